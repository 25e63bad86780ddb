// The row model of the View Manager, tree building and part status,
// portable. The dialog's commands work on it; it reaches its list only
// through the tree-list seam. Rows are read through RowAt, which takes only
// a row that exists: any other index is a bug of the caller. What is
// observable (rows, their order and names, counts, pictures, colours, host
// calls that change the session) is exact.
#pragma once

#include "host/host_display.h"
#include "host/host_types.h"
#include "model/row.h"
#include "model/session_cache.h"
#include "model/session_part_index.h"
#include "model/tree_list.h"
#include "model/tree_shape.h"

#include <cassert>
#include <cstdint>
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

// The two trees the rows show: the attribute tree labels them by their
// groups' names, the name tree by their descriptions.
enum class TreeMode { kName, kAttribute };
// The tree a stored tree mode names: 1 the attribute tree, any other value
// the name tree.
inline TreeMode TreeModeOf(int stored) {
    return stored == 1 ? TreeMode::kAttribute : TreeMode::kName;
}

struct ViewConfig;

class RowModel {
  public:
    // The model writes the list's colour table (every entry 0) here, so the
    // list must be constructed before the model.
    explicit RowModel(TreeList& list);
    virtual ~RowModel();
    RowModel(const RowModel&) = delete;
    RowModel& operator=(const RowModel&) = delete;

    // ---- Rows ------------------------------------------------------------
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const Row& RowAt(int r) const {
        assert(r >= 0 && r < RowCount() && "not a row");
        return m_rows[static_cast<size_t>(r)];
    }
    const std::vector<Row>& Rows() const { return m_rows; }
    bool IsRow(int r) const { return r >= 0 && r < RowCount(); }
    bool HasParts(int r) const { return !RowAt(r).partNames.empty(); }
    bool IsOtherRow(int r) const { return RowAt(r).isOther; }
    // What row r's label says in the tree mode: its group's name in the
    // attribute tree, its description in the name tree.
    const std::string& RowLabel(int r) const {
        return m_treeMode == TreeMode::kAttribute ? RowAt(r).name : RowAt(r).customName;
    }
    // The session's parts as the last build saw them, and those the Open
    // command opened since.
    const std::vector<std::string>& SessionPartNames() const { return m_sessionPartNames; }
    // The number of list items the last build made.
    int BuiltItemCount() const { return m_builtItemCount; }
    TreeMode GetTreeMode() const { return m_treeMode; }
    void SetTreeMode(TreeMode mode) { m_treeMode = mode; }
    const TreeList& List() const { return m_list; }

    // Makes row r's cells agree with its flags: the padlock follows its
    // frozen state and a group's blocks are solid again; then ShowRowCells.
    void ShowRowState(int r);
    // Gives the list what row r's cells show now (CellsOf): the one way a
    // row's state reaches the screen.
    void ShowRowCells(int r);
    // Empties the rows and the session parts; the list keeps its colours.
    // The rows live in one vector, which this clears: there are no separate
    // tables left to release, only the name.
    void ReleaseRowTables();

    // ---- Tree building -----------------------------------------------------
    // Builds the rows of the configuration at configPath from the session's
    // parts into an empty model and an empty list, and keeps the number of
    // list items made. The caller has set up the work-part record before. A
    // configuration that cannot be read now builds no rows.
    // The tree shows the shape given, where it has the shape's rows, and is
    // expanded elsewhere.
    void BuildTree(const char* configPath, const TreeShape& shape = TreeShape());
    // Fills _OTHER row r from its parent's occurrences on display: after
    // the build, and again after its parts were reopened.
    void FillOtherRow(int r);
    // Reads row r's colour, blank, frozen and open state from the host.
    void ReadRowState(int r);
    // ReadRowState and ShowRowState for every row, as a build reads them.
    void ReadAndShowRowStates();
    // Colour, blank and frozen state of row r from the occurrences it
    // counts (the root occurrence for the display part). False, with
    // nothing changed, when none of them tells.
    bool ReadPartDisplayState(int r);

    // ---- The filter ----------------------------------------------------------
    // Shows only the rows text finds (RowMatches) and the rows above them,
    // now and after every build, until an empty text clears the filter and
    // gives back the shape the tree had before it. The commands still reach
    // every row beneath a row, shown or not.
    void SetFilterText(std::string text);
    const std::string& FilterText() const { return m_filterText; }
    // The number of rows the filter finds; 0 without one.
    int FilterMatches() const { return m_filterMatches; }

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
    // Parts that stay open stay in the row, unrecorded, and are kept for
    // TakePartsLeftOpen. closedParts: the names known not to be loaded,
    // which are not asked about again; the names this finds closed are
    // added.
    void CloseRowParts(int r, std::unordered_set<std::string>& closedParts);
    // The parts that closes left open since the last call.
    std::vector<std::string> TakePartsLeftOpen();

    // ---- For the commands ----------------------------------------------------
    // Row r, for a command that changes its state.
    Row& EditRow(int r) {
        assert(r >= 0 && r < RowCount() && "not a row");
        return m_rows[static_cast<size_t>(r)];
    }
    // The session parts by attribute for the rebuilds of one Open, whose
    // scope the Open command holds.
    SessionPartIndex& PartIndex() { return m_partIndex; }

  protected:
    // Holds the rows' items and links, and shows each row's cells as
    // ShowRowCells gives them.
    TreeList& m_list;
    SessionPartIndex m_partIndex;

  private:
    // The steps of BuildTree, in order: the session's parts (their tags,
    // the names kept), the parts each entry matches, the rows of the entries
    // kept (the number the whole configuration would give), their list
    // items, the _OTHER rows' contents, the rows' states from the host.
    std::vector<tag_t> collectSessionParts();
    std::vector<std::vector<int>> matchPartsToEntries(const ViewConfig& config,
                                                      const std::vector<tag_t>& partTags) const;
    int appendKeptRows(const ViewConfig& config, const std::vector<std::vector<int>>& matched);
    void insertListItems();
    void FillOtherRows();
    void readRowStates(const TreeShape& shape);
    void applyFilter();

    // The occurrences on display of a group's matched parts (indices into
    // m_sessionPartNames); empty when the group shows none.
    std::vector<tag_t> CollectGroupOccurrences(const std::vector<int>& matchedParts);
    // Whether a group without occurrences stays a row: an _OTHER group, or
    // one the work-part record remembers closed parts of.
    bool keepsEmptyGroup(const std::string& groupName, const std::string& keyValue,
                         const std::string& parentGroupName);
    // Fills _OTHER row r, leaving out the names shownBetween(name) says a
    // row between it and its parent shows.
    template <typename ShownBetween> void fillOtherRow(int r, ShownBetween shownBetween);
    // Appends the list item of row r under its parent.
    void InsertRow(int r);
    // The prototype names of the occurrences and of everything below them,
    // depth first, each with its occurrence, passing over the occurrences
    // in visited and adding those it walks.
    struct Component {
        std::string name;
        tag_t occurrence;
    };
    std::vector<Component> CollectComponentNames(const std::vector<tag_t>& occs,
                                                 std::unordered_set<tag_t>& visited);
    // Row r, open, with only these of its parts and their occurrences.
    void keepOpenParts(int r, std::vector<std::string> names);

    std::vector<Row> m_rows;
    std::vector<std::string> m_sessionPartNames;
    int m_builtItemCount = 0;
    TreeMode m_treeMode = TreeMode::kName;
    std::vector<std::string> m_partsLeftOpen;
    std::string m_filterText;
    int m_filterMatches = 0;
    // What a build learns of the session, forgotten when it ends.
    SessionCache m_cache;
};
