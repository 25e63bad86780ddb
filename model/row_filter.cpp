#include "model/row_filter.h"

#include "model/find_ignoring_case.h"
#include "model/part_name.h"
#include "model/row_model.h"

#include <algorithm>
#include <utility>

namespace {

bool contains(std::string_view label, std::string_view text) {
    return FindIgnoringCase(label, text) != std::string_view::npos;
}

} // namespace

bool RowMatches(const Row& row, std::string_view text) {
    if (contains(row.name, text) || contains(row.customName, text) || contains(row.key, text))
        return true;
    return std::any_of(row.partNames.begin(), row.partNames.end(), [text](const std::string& part) {
        return contains(FileNameOf(part), text);
    });
}

FilteredRows FilterRows(const RowModel& model, std::string_view text) {
    FilteredRows filtered;
    if (text.empty())
        return filtered;
    filtered.left.assign(static_cast<size_t>(model.RowCount()), false);
    // A row's parent comes before it: from the last row up, a row left
    // leaves its parent too.
    for (int r = model.RowCount() - 1; r >= 0; --r) {
        const Row& row = model.RowAt(r);
        if (RowMatches(row, text)) {
            filtered.left[r] = true;
            ++filtered.matches;
        }
        if (filtered.left[r] && row.parent >= 0)
            filtered.left[row.parent] = true;
    }
    return filtered;
}

void RowModel::SetFilterText(std::string text) {
    m_filterText = std::move(text);
    applyFilter();
}

void RowModel::applyFilter() {
    FilteredRows filtered = FilterRows(*this, m_filterText);
    m_filterMatches = filtered.matches;
    m_list.FilterItems(std::move(filtered.left));
}
