// The row model of the View Manager, tree building and part status,
// portable. The dialog derives from it or owns it;
// it reaches its list only through the tree-list seam.
//
// Members are accessed directly, by
// row index, by the commands. The fixed per-row tables are arrays of
// MAX_ROWS entries; the per-row heap tables are standard containers with one
// element per row. What is observable (rows, their order and names, counts,
// pictures, colours, host calls that change the session) is exact.
#pragma once

#include "host/host_display.h"
#include "host/host_types.h"
#include "model/tree_list.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

// The display part that the Open command remembers before it opens parts;
// OpenPartQuietly makes each opened part the display part, and the command
// puts this one back when it is done.
extern tag_t g_displayPartBeforeOpen;

// The text of the message shown once when a configuration yields more rows
// than the model holds; %d is the number of rows it would have given.
constexpr char kRowsCutMessage[] = "The view was cut: only the first 5000 of %d groups are shown.";

// m_treeMode of the attribute tree, whose rows are labelled by group names;
// any other value is the name tree of the groups' descriptions.
constexpr int kAttributeTree = 1;

class RowModel {
  public:
    // The model writes the list's colour table (every entry 0) here, so the
    // list must be constructed before the model.
    explicit RowModel(TreeList& list);
    virtual ~RowModel();
    RowModel(const RowModel&) = delete;
    RowModel& operator=(const RowModel&) = delete;

    // ---- Rows and their cells ----------------------------------------------
    // Makes row r's cells agree with its state: the count and the pictures of
    // columns 0, 1, 2, 4 and 5.
    void ShowRowState(int r);
    // Empties the heap tables and the session parts; the fixed tables keep
    // their values, the list keeps its colours.
    void ReleaseRowTables();
    bool IsOtherRow(int r) const { return m_otherRowIndex[r] != -1; }

    // ---- Tree building -----------------------------------------------------
    // Builds the rows of the configuration at configPath from the session's
    // parts into an empty model and an empty list. The caller has set up the
    // work-part record before, and sets m_builtItemCount after. A
    // configuration that cannot be read now builds no rows.
    void BuildTree(const char* configPath);
    // The occurrences on display of a group's matched parts (indices into
    // m_sessionPartNames), into outOccs; 1 to keep the group as a row, 0 to
    // drop it.
    int CollectGroupOccurrences(const std::string& groupName, const std::string& keyValue,
                                const std::string& parentGroupName,
                                const std::vector<int>& matchedParts, std::vector<tag_t>& outOccs);
    // Appends the list item of the next row under its parent; returns its
    // index. Marks the row as an _OTHER row when it is one.
    int InsertRow(const std::string& groupName, const std::string& customName);
    // Fills every _OTHER row with the components of its parent's occurrences
    // that no row between the parent and it shows.
    void FillOtherRows();
    // Fills _OTHER row r from its parent's occurrences on display: after
    // the build, and again after its parts were reopened.
    void FillOtherRow(int r);
    // Appends the prototype names of the occurrences and of everything below
    // them, depth first, to m_childPartNames, passing over the occurrences
    // in visited and adding those it walks.
    void CollectComponentNames(int count, const tag_t* occs, std::unordered_set<tag_t>& visited);
    // Reads row r's colour, blank, frozen and open state from the host.
    void ReadRowState(int r);
    // Colour, blank and frozen state of row r from the occurrences it
    // counts (the root occurrence for the display part). False, with
    // nothing changed, when none of them tells.
    bool ReadOccurrenceState(int r);

    // ---- Part status and loading -------------------------------------------
    // Opens the part without interaction unless it is loaded; the host's
    // code, 0 when it was opened or was loaded already. A part opened here
    // becomes the display part.
    int OpenPartQuietly(const char* partName);
    // Opens the parts that the work-part record remembers for row r.
    void OpenRowParts(int r);
    // Rebuilds row r's part names and occurrences after an open; forgets the
    // row's record entries when it still has no occurrence.
    void RebuildRowParts(int r);
    // Records and closes the loaded parts of row r and empties its lists.
    // Parts that stay open stay in the row, unrecorded, and are added to
    // m_partsLeftOpen.
    void CloseRowParts(int r);

    // ---- The model ---------------------------------------------------------
    TreeList& m_list; // holds m_itemColor and m_itemNumber
    int m_builtItemCount = 0;
    std::array<int, MAX_ROWS> m_rowOpen;     // 1: parts open
    std::array<int, MAX_ROWS> m_rowUnfrozen; // 1: not frozen
    std::array<int, MAX_ROWS> m_rowShown;    // 1: shown (or mixed), 0: blanked
    int m_childPartCount = 0;
    int m_highlightedRow = -1;
    std::vector<int> m_rowPartCount; // = m_rowPartNames[r].size()
    int m_clickedRow = -1;
    std::vector<std::vector<std::string>> m_rowPartNames;
    std::array<int, MAX_ROWS> m_otherRowIndex; // r for an _OTHER row, else -1
    // 0 stands for the display part; an _OTHER row's are the component
    // occurrences it counts, one per name.
    std::vector<std::vector<tag_t>> m_rowOccs;
    std::array<int, MAX_ROWS> m_rowOccCount; // an _OTHER row's count is its names'
    int m_sessionPartCount = 0;
    std::vector<std::string> m_sessionPartNames;
    int m_rowCount = 0;
    std::vector<int> m_rowId;
    std::vector<int> m_rowHasChildren;
    std::vector<int> m_rowParent; // -1 for a top row
    std::vector<std::string> m_rowName;
    std::vector<std::string> m_rowCustomName;
    std::vector<std::string> m_rowKey;
    int m_treeMode = 0; // kAttributeTree, else name tree
    std::vector<std::string> m_childPartNames;
    std::vector<tag_t> m_childPartOccs; // the occurrence of each collected name
    // The parts that closes left open, for the command to tell the user.
    std::vector<std::string> m_partsLeftOpen;

    // Working data of one build (model/tree_building_scratch.h).
    struct BuildScratch;

  private:
    // The parts' occurrences on display that a group gets from one matched
    // part (CollectGroupOccurrences step 2).
    std::vector<tag_t> partOccurrencesOnDisplay(int part, tag_t displayPart);
    bool recordRemembers(const std::string& groupName, const std::string& keyValue);
    // The child occurrences and the prototype's name of an occurrence,
    // asked once per build.
    std::vector<tag_t> childOccurrencesOf(tag_t occurrence);
    std::string prototypeNameOf(tag_t occurrence);
    // The display properties of one of a row's occurrences, asked once per
    // build; false when the host does not tell them.
    bool displayPropertiesOf(tag_t occurrence, tag_t displayPart, UF_OBJ_disp_props_t& properties);
    // Row r, open, with only these of its parts and their occurrences.
    void keepOpenParts(int r, std::vector<std::string> names);

    // Working data of the build in progress, none outside BuildTree.
    std::unique_ptr<BuildScratch> m_build;
};
