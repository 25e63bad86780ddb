#include "ui/tests/tree_fixture.h"

#include <string>

void TreeListTest::SetUp() {
    ASSERT_TRUE(list->SubclassWindow(host.List()));
    SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
    // As the dialog does: six columns appended, then the name column put in
    // front of them.
    for (int column = 0; column < kNumberColumn; ++column)
        list->InsertColumn(column, "c", LVCFMT_LEFT, kColumnWidth);
    list->InsertColumn(0, "Customized Name", LVCFMT_LEFT, kTreeWidth);
}

void TreeListTest::Append(int count) {
    for (int i = 0; i < count; ++i) {
        const std::string text = "0:item " + std::to_string(list->GetItemCount());
        list->AppendItem(text.c_str());
    }
}

void TreeListTest::BuildSample() {
    Append(7);
    list->SetItemParent(1, 0);
    list->SetItemParent(2, 1);
    list->SetItemParent(3, 1);
    list->SetItemParent(4, 0);
    list->SetItemParent(5, 4);
}

Items TreeListTest::Shown() const {
    Items items;
    for (int row = 0;; ++row) {
        LVITEMA request = {};
        request.mask = LVIF_PARAM;
        request.iItem = row;
        if (!SendMessageA(list->m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request)))
            return items;
        items.push_back(static_cast<int>(request.lParam));
    }
}

int TreeListTest::RowOf(int item) const {
    const Items items = Shown();
    for (size_t row = 0; row < items.size(); ++row)
        if (items[row] == item)
            return static_cast<int>(row);
    return -1;
}

RECT TreeListTest::TreeRect(int item) const {
    RECT cell = {};
    list->GetCellRect(RowOf(item), 0, &cell);
    return {cell.left + 11, cell.top + 1, cell.right - 7, cell.bottom - 1};
}

HWND TreeListTest::CompleteList() const {
    return GetDlgItem(list->m_hWnd, kCompleteListId);
}
