#include "sweep/row_model_invariants.h"

#include <sstream>

namespace {

class Violations {
  public:
    // Records text (with the row it concerns, -1 for none) unless holds.
    void check(bool holds, int row, const char* text) {
        if (holds)
            return;
        std::ostringstream out;
        if (row >= 0)
            out << "row " << row << ": ";
        out << text;
        found_.push_back(out.str());
    }
    std::vector<std::string> take() {
        std::vector<std::string> taken;
        taken.swap(found_);
        return taken;
    }

  private:
    std::vector<std::string> found_;
};

template <typename Table> bool hasRowCount(const Table& table, int rows) {
    return table.size() == static_cast<size_t>(rows);
}

bool isFlag(int value) {
    return value == 0 || value == 1;
}

bool isRowOrNone(int row, int rows) {
    return row >= -1 && row < rows;
}

void checkTables(const RowModel& m, Violations& v) {
    const int n = m.m_rowCount;
    v.check(n >= 0 && n <= MAX_ROWS, -1, "row count outside 0..MAX_ROWS");
    v.check(hasRowCount(m.m_rowId, n), -1, "m_rowId size is not the row count");
    v.check(hasRowCount(m.m_rowParent, n), -1, "m_rowParent size is not the row count");
    v.check(hasRowCount(m.m_rowName, n), -1, "m_rowName size is not the row count");
    v.check(hasRowCount(m.m_rowCustomName, n), -1, "m_rowCustomName size is not the row count");
    v.check(hasRowCount(m.m_rowKey, n), -1, "m_rowKey size is not the row count");
    v.check(hasRowCount(m.m_rowPartNames, n), -1, "m_rowPartNames size is not the row count");
    v.check(hasRowCount(m.m_rowPartCount, n), -1, "m_rowPartCount size is not the row count");
    v.check(hasRowCount(m.m_rowOccs, n), -1, "m_rowOccs size is not the row count");
    v.check(hasRowCount(m.m_rowHasChildren, n), -1, "m_rowHasChildren size is not the row count");
    v.check(hasRowCount(m.m_sessionPartNames, m.m_sessionPartCount), -1,
            "m_sessionPartNames size is not m_sessionPartCount");
    v.check(m.m_list.GetItemCount() == n, -1, "the list's item count is not the row count");
    v.check(m.m_builtItemCount == n, -1, "m_builtItemCount is not the row count");
    v.check(isRowOrNone(m.m_highlightedRow, n), -1, "highlighted row out of range");
    v.check(isRowOrNone(m.m_clickedRow, n), -1, "clicked row out of range");
}

void checkRow(const RowModel& m, int r, Violations& v) {
    v.check(m.m_rowId[r] == r, r, "m_rowId is not the row");
    const int parent = m.m_rowParent[r];
    v.check(parent >= -1 && parent < r, r, "parent not -1 or an earlier row");
    v.check(m.m_rowPartCount[r] == static_cast<int>(m.m_rowPartNames[r].size()), r,
            "m_rowPartCount is not the number of part names");
    v.check(m.m_otherRowIndex[r] == -1 || m.m_otherRowIndex[r] == r, r,
            "m_otherRowIndex is neither -1 nor the row");
    v.check(!m.IsOtherRow(r) || parent >= 0, r, "an _OTHER row without a parent");
    v.check(m.m_rowOccCount[r] >= 0, r, "negative occurrence count");
    v.check(m.m_rowOccCount[r] == static_cast<int>(m.m_rowOccs[r].size()), r,
            "occurrence count is not the number of occurrences");
    v.check(!m.IsOtherRow(r) || m.m_rowOccCount[r] == m.m_rowPartCount[r], r,
            "an _OTHER row's count is not its number of names");
    v.check(isFlag(m.m_rowOpen[r]) && isFlag(m.m_rowShown[r]) && isFlag(m.m_rowUnfrozen[r]), r,
            "open, shown or unfrozen flag not 0 or 1");
    v.check(isFlag(m.m_rowHasChildren[r]), r, "has-children flag not 0 or 1");
    v.check(m.m_list.GetItemNumber(r) == m.m_rowOccCount[r], r,
            "the count shown is not the row's occurrence count");
}

// Children as the list sees them against the parents the model keeps.
void checkTree(const RowModel& m, Violations& v) {
    const int n = m.m_rowCount;
    std::vector<int> children(static_cast<size_t>(n), 0);
    for (int r = 0; r < n; ++r) {
        const int parent = m.m_rowParent[r];
        if (parent >= 0 && parent < r)
            ++children[static_cast<size_t>(parent)];
    }
    for (int r = 0; r < n; ++r) {
        const bool hasChildren = children[static_cast<size_t>(r)] != 0;
        v.check(m.m_list.HasChildItems(r) == hasChildren, r,
                "the list's children differ from the model's parents");
        v.check((m.m_rowHasChildren[r] == 1) == hasChildren, r,
                "m_rowHasChildren differs from the model's parents");
    }
}

} // namespace

std::vector<std::string> RowModelViolations(const RowModel& model) {
    Violations v;
    checkTables(model, v);
    const std::vector<std::string> tableFaults = v.take();
    if (!tableFaults.empty())
        return tableFaults; // rows cannot be read safely
    for (int r = 0; r < model.m_rowCount; ++r)
        checkRow(model, r, v);
    checkTree(model, v);
    return v.take();
}
