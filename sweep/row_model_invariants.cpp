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

bool isRowOrNone(int row, int rows) {
    return row >= -1 && row < rows;
}

void checkCounts(const ViewManagerCommands& m, Violations& v) {
    const int n = m.Model().RowCount();
    v.check(n <= MAX_ROWS, -1, "more rows than MAX_ROWS");
    v.check(m.Model().List().GetItemCount() == n, -1, "the list's item count is not the row count");
    v.check(m.Model().BuiltItemCount() == n, -1, "m_builtItemCount is not the row count");
    v.check(isRowOrNone(m.HighlightedRow(), n), -1, "highlighted row out of range");
    v.check(isRowOrNone(m.ClickedRow(), n), -1, "clicked row out of range");
}

void checkRow(const RowModel& m, int r, Violations& v) {
    const Row& row = m.RowAt(r);
    v.check(row.parent >= -1 && row.parent < r, r, "parent not -1 or an earlier row");
    v.check(!row.isOther || row.parent >= 0, r, "an _OTHER row without a parent");
    v.check(row.occCount == static_cast<int>(row.occs.size()), r,
            "occurrence count is not the number of occurrences");
    v.check(!row.isOther || row.occCount == static_cast<int>(row.partNames.size()), r,
            "an _OTHER row's count is not its number of names");
    v.check(m.List().GetItemNumber(r) == row.occCount, r,
            "the count shown is not the row's occurrence count");
}

// Children as the list sees them against the parents the model keeps.
void checkTree(const RowModel& m, Violations& v) {
    const int n = m.RowCount();
    std::vector<int> children(static_cast<size_t>(n), 0);
    for (const Row& row : m.Rows()) {
        if (row.parent >= 0 && row.parent < n)
            ++children[static_cast<size_t>(row.parent)];
    }
    for (int r = 0; r < n; ++r) {
        const bool hasChildren = children[static_cast<size_t>(r)] != 0;
        v.check(m.List().HasChildItems(r) == hasChildren, r,
                "the list's children differ from the model's parents");
        v.check(m.RowAt(r).hasChildren == hasChildren, r,
                "m_rowHasChildren differs from the model's parents");
    }
}

} // namespace

std::vector<std::string> RowModelViolations(const ViewManagerCommands& model) {
    Violations v;
    checkCounts(model, v);
    std::vector<std::string> countFaults = v.take();
    if (!countFaults.empty())
        return countFaults; // the list cannot be read row by row
    for (int r = 0; r < model.Model().RowCount(); ++r)
        checkRow(model.Model(), r, v);
    checkTree(model.Model(), v);
    return v.take();
}
