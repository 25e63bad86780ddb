// A tree list attached to the host dialog's list, with the View Manager's
// seven columns, and what the tree tests read back from it.
#pragma once

#include "ui/tests/list_host.h"
#include "ui/tree_list_ctrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Items = std::vector<int>;

class TreeListTest : public ::testing::Test {
  protected:
    // Column 0 is 200 pixels wide, the six others 30: all fit in the list.
    static constexpr int kTreeWidth = 200;
    static constexpr int kColumnWidth = 30;

    // As the dialog does: six columns appended, then the name column put in
    // front of them.
    void SetUp() override {
        ASSERT_TRUE(list->SubclassWindow(host.List()));
        SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
        for (int column = 0; column < kNumberColumn; ++column)
            list->InsertColumn(column, "c", LVCFMT_LEFT, kColumnWidth);
        list->InsertColumn(0, "Customized Name", LVCFMT_LEFT, kTreeWidth);
    }

    // Appends count items "0:item <n>".
    void Append(int count) {
        for (int i = 0; i < count; ++i)
            list->AppendItem(("0:item " + std::to_string(list->GetItemCount())).c_str());
    }
    // item 0 with children 1 and 4; item 1 with children 2 and 3; item 4
    // with child 5; top-level item 6.
    void BuildSample() {
        Append(7);
        for (auto [item, parent] : {std::pair{1, 0}, {2, 1}, {3, 1}, {4, 0}, {5, 4}})
            list->SetItemParent(item, parent);
    }
    // The item data of the shown rows, top to bottom.
    Items Shown() const {
        Items items;
        LVITEMA request = {};
        for (request.mask = LVIF_PARAM;; ++request.iItem) {
            if (!SendMessageA(list->m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request)))
                return items;
            items.push_back(static_cast<int>(request.lParam));
        }
    }
    // The shown row of an item, -1 if none.
    int PositionOf(int item) const {
        const Items items = Shown();
        const auto found = std::find(items.begin(), items.end(), item);
        return found == items.end() ? -1 : static_cast<int>(found - items.begin());
    }
    HWND CompleteList() const { return GetDlgItem(list->m_hWnd, kCompleteListId); }

    ListHost host;
    std::unique_ptr<TreeListCtrl> list = std::make_unique<TreeListCtrl>();
};
