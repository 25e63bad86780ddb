#include "ui/view_manager_probe_answer.h"

#include "ui/tree_list_ctrl.h"
#include "ui/view_manager_probe.h"

namespace {

ShownRowState describeRow(TreeListCtrl& list, int row) {
    ShownRowState state = {};
    state.item = static_cast<int>(list.GetItemData(row));
    list.GetReaderText(row, kTreeColumn, state.label, sizeof state.label);
    state.level = list.GetItemLevel(state.item);
    state.hasChildren = list.ShowsChildItems(state.item) ? 1 : 0;
    state.expanded = list.IsExpanded(state.item) ? 1 : 0;
    for (int column = 0; column < kShownColumns; ++column)
        state.images[column] = list.GetItemBitmapId(state.item, column);
    state.color = list.GetItemColor(state.item);
    state.count = list.GetItemNumber(state.item);
    return state;
}

LRESULT cellPoint(TreeListCtrl& list, int row, int column) {
    if (row < 0 || row >= list.GetShownRowCount())
        return -1;
    SendMessageA(list.m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    POINT point = {};
    RECT cell = {};
    if (column == kExpandBoxColumn) {
        if (!list.GetExpandBoxPoint(row, &point))
            return -1;
    } else if (column >= 0 && column < kShownColumns && list.GetCellRect(row, column, &cell)) {
        point = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    } else {
        return -1;
    }
    return MAKELONG(point.x, point.y);
}

} // namespace

bool ViewManagerProbeAnswer::Answer(TreeListCtrl& list, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result) {
    // A send from another thread or process goes unanswered.
    if (InSendMessage())
        return false;
    if (message == ShownRowsMessage()) {
        m_rows.clear();
        const int count = list.GetShownRowCount();
        for (int row = 0; row < count; ++row)
            m_rows.push_back(describeRow(list, row));
        m_shown = {m_rows.data(), static_cast<int>(m_rows.size())};
        *result = reinterpret_cast<LRESULT>(&m_shown);
        return true;
    }
    if (message == CellPointMessage()) {
        *result = cellPoint(list, static_cast<int>(wParam), static_cast<int>(lParam));
        return true;
    }
    return false;
}
