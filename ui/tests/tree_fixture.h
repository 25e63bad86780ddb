// A tree list attached to the host dialog's list, with the View Manager's
// seven columns, and what the tree tests read back from it.
#pragma once

#include "ui/tests/list_host.h"
#include "ui/tree_list_ctrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Items = std::vector<int>;

class TreeListTest : public ::testing::Test {
  protected:
    // Column 0 is 200 pixels wide, the six others 30: all fit in the list.
    static constexpr int kTreeWidth = 200;
    static constexpr int kColumnWidth = 30;

    void SetUp() override;

    // Appends count items "0:item <n>".
    void Append(int count);
    // item 0 with children 1 and 4; item 1 with children 2 and 3; item 4
    // with child 5; top-level item 6.
    void BuildSample();
    // The item data of the shown rows, top to bottom.
    Items Shown() const;
    // The shown row of an item, -1 if none.
    int RowOf(int item) const;
    // The rectangle column 0's tree graphics start in for a shown item.
    RECT TreeRect(int item) const;
    HWND CompleteList() const;

    ListHost host;
    std::unique_ptr<TreeListCtrl> list = std::make_unique<TreeListCtrl>();
};
