// The View Manager's tree building and column commands written as the
// loops they are described by, host call for host call, with nothing asked
// once for several uses. Kept for the host-call benchmark only, which runs
// it beside the plug-in on the same sessions and compares what each leaves
// behind; never linked into the plug-in.
#pragma once

#include "host/host_types.h"
#include "model/memory_tree_list.h"
#include "model/row.h"

#include <cstdint>
#include <string>
#include <vector>

class LiteralViewManager {
  public:
    // list must be empty; its colour table is cleared as the model's is.
    explicit LiteralViewManager(MemoryTreeList& list);

    void BuildTree(const char* configPath);
    const std::vector<Row>& Rows() const { return rows_; }

    // The handlers with the highlight box unchecked: a click in column 1, 2
    // or 3 (color is the user's choice), a double-click in column 4 or 5.
    void ClickList(int row, int column, uint32_t color);
    void DblclkList(int row, int column);

  private:
    // Tree building.
    std::vector<tag_t> collectGroupOccurrences(const std::string& groupName,
                                               const std::string& keyValue,
                                               const std::string& parentGroupName,
                                               const std::vector<std::string>& partNames,
                                               bool* keep);
    void insertRow(int r);
    void fillOtherRow(int r);
    void collectComponentNames(const tag_t* occs, int count, std::vector<std::string>& names,
                               std::vector<tag_t>& occurrences);
    void readRowState(int r);
    void readPartDisplayState(const std::string& partName, int r);
    void showRowState(int r);

    // Propagation: visit applies the command to one row; the walk gathers
    // each row's children before descending into them.
    template <typename Visit> void descend(int row, Visit visit);
    void setShownImages(int row, int shown);
    void applyShownState(int row, int shown);
    void markBlankedExcept(int row, int kept);
    void showSubtree(int row);
    void applyColor(int row, uint32_t packed, int index);
    void applyFrozenState(int row, int column, int unfrozen);
    void applyOpenState(int row, int open);
    void refreshRowState(int row);

    // Part status and loading.
    int openPartQuietly(const char* partName);
    void openRowParts(int r);
    void rebuildRowParts(int r);
    void closeRowParts(int r);

    void blank(int row);
    void isolate(int row);
    void color(int row, uint32_t chosen);
    void freeze(int row);
    void open(int row);
    void close(int row);

    MemoryTreeList& list_;
    std::vector<Row> rows_;
    std::vector<std::string> sessionPartNames_;
    tag_t displayPartBeforeOpen_ = NULL_TAG;
};
