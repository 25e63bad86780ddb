// The tree list on real list views: where the list view's requests go, the
// shown rows as items are linked, expanded and collapsed, the queries, the
// box click, and the same tree built through the TreeList seam as natively.
#include "model/memory_tree_list.h"
#include "ui/tests/tree_fixture.h"

#include <string>

namespace {

std::string textOf(HWND listView, int row, int column) {
    char text[64] = "";
    LVITEMA request = {};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = sizeof text;
    SendMessageA(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&request));
    return text;
}

int columnCount(HWND listView) {
    int count = 0;
    LVCOLUMNA request = {};
    request.mask = LVCF_WIDTH;
    while (SendMessageA(listView, LVM_GETCOLUMNA, count, reinterpret_cast<LPARAM>(&request)))
        ++count;
    return count;
}

TEST_F(TreeListTest, ItemRequestsGoToTheCompleteListAndColumnsToBoth) {
    Append(3);
    list->SetItemParent(1, 0);
    list->SetItemParent(2, 0);
    // The count answers every item, shown or not.
    EXPECT_EQ(3, list->GetItemCount());
    EXPECT_EQ(3, SendMessageA(list->m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ((Items{0}), Shown());
    ASSERT_TRUE(CompleteList());
    EXPECT_FALSE(IsWindowVisible(CompleteList()));
    EXPECT_EQ(3, SendMessageA(CompleteList(), LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ("0:item " + std::to_string(item), textOf(CompleteList(), item, 0));

    EXPECT_EQ(kNumberColumn + 1, columnCount(list->m_hWnd));
    EXPECT_EQ(kNumberColumn + 1, columnCount(CompleteList()));
    LVCOLUMNA first = {};
    first.mask = LVCF_WIDTH;
    SendMessageA(CompleteList(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(kTreeWidth, first.cx);

    // A cell text set afterwards reaches the item and its shown row.
    list->SetItemText(0, 2, "set");
    EXPECT_EQ("set", textOf(CompleteList(), 0, 2));
    EXPECT_EQ("set", textOf(list->m_hWnd, 0, 2));
    list->ExpandAll(0);
    EXPECT_EQ("item 1", textOf(list->m_hWnd, 1, 0).substr(2));
}

TEST_F(TreeListTest, RequestsThatWouldRenumberItemsAreRefused) {
    Append(2);
    LVITEMA request = {};
    request.mask = LVIF_TEXT;
    request.iItem = 0;
    request.pszText = const_cast<char*>("0:front");
    EXPECT_EQ(-1,
              SendMessageA(list->m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
    EXPECT_FALSE(SendMessageA(list->m_hWnd, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(2, list->GetItemCount());
    EXPECT_EQ("0:item 0", textOf(CompleteList(), 0, 0));
    EXPECT_EQ((Items{0, 1}), Shown());
    // Beyond the end is an append.
    request.iItem = 100;
    EXPECT_EQ(2,
              SendMessageA(list->m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request)));
}

TEST_F(TreeListTest, NoMoreItemsThanTheTablesHold) {
    for (int i = 0; i < MAX_ROWS; ++i)
        ASSERT_EQ(i, list->AppendItem("0:x"));
    EXPECT_EQ(-1, list->AppendItem("0:one too many"));
    EXPECT_EQ(MAX_ROWS, list->GetItemCount());
    list->SetItemColor(MAX_ROWS - 1, 0x123456);
    EXPECT_EQ(0x123456u, list->m_itemColor[MAX_ROWS - 1]);
    list->SetItemColor(MAX_ROWS, 0x654321);
    EXPECT_EQ(0u, list->GetItemColor(MAX_ROWS));
    list->SetItemNumber(-1, 5);
    EXPECT_EQ(0, list->GetItemNumber(-1));
}

TEST_F(TreeListTest, LinkedItemsShowWhenTheirParentsExpand) {
    Append(3);
    list->SetItemParent(1, 0);
    list->SetItemParent(2, 0);
    EXPECT_EQ((Items{0}), Shown());
    EXPECT_TRUE(list->HasChildItems(0));
    EXPECT_FALSE(list->HasChildItems(1));
    list->ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2}), Shown());
    EXPECT_TRUE(list->IsExpanded(0));
    // A shown row copies its item's texts.
    EXPECT_EQ("0:item 2", textOf(list->m_hWnd, 2, 0));

    EXPECT_EQ(1, list->GetFirstChildItem(0));
    EXPECT_EQ(2, list->GetNextChildItem());
    EXPECT_EQ(-1, list->GetNextChildItem());
    EXPECT_EQ(-1, list->GetNextChildItem());
    EXPECT_EQ(0, list->GetFirstChildItem(-1));
    EXPECT_EQ(-1, list->GetNextChildItem());

    // Linked under an expanded parent, an item shows directly below it.
    Append(1);
    list->SetItemParent(3, 0);
    EXPECT_EQ((Items{0, 3, 1, 2}), Shown());
}

TEST_F(TreeListTest, CollapsingForgetsTheExpansionOfEverythingBelow) {
    BuildSample();
    EXPECT_EQ((Items{0, 6}), Shown());
    host.notices.clear();
    list->ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    // An item is expanded before its children, the children in item order.
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{
                  {TLN_EXPANDED, 0}, {TLN_EXPANDED, 1}, {TLN_EXPANDED, 4}}),
              host.notices);
    host.notices.clear();

    list->CollapseItem(0);
    EXPECT_EQ((Items{0, 6}), Shown());
    EXPECT_FALSE(list->IsExpanded(1));
    EXPECT_FALSE(list->IsExpanded(4));
    list->ExpandItem(0);
    EXPECT_EQ((Items{0, 1, 4, 6}), Shown());
    list->ExpandItem(4);
    EXPECT_EQ((Items{0, 1, 4, 5, 6}), Shown());
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{
                  {TLN_COLLAPSED, 0}, {TLN_EXPANDED, 0}, {TLN_EXPANDED, 4}}),
              host.notices);

    // Nothing happens, and nothing is reported, for items that cannot.
    host.notices.clear();
    list->ExpandItem(5); // no children
    list->ExpandItem(4); // already expanded
    list->ExpandItem(2); // not shown
    list->CollapseItem(2);
    list->CollapseItem(6);
    EXPECT_EQ((Items{0, 1, 4, 5, 6}), Shown());
    EXPECT_TRUE(host.notices.empty());
}

// Counts the requests to stop and resume drawing that the list receives.
int g_stops = 0;
int g_resumes = 0;
WNDPROC g_listProc = nullptr;
LRESULT CALLBACK countRedraws(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETREDRAW)
        ++(wParam ? g_resumes : g_stops);
    return CallWindowProcA(g_listProc, window, message, wParam, lParam);
}

TEST_F(TreeListTest, ExpandingAllAndCollapsingDrawOnceAndKeepACallersSuspension) {
    BuildSample();
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countRedraws)));
    list->ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    EXPECT_EQ(1, g_stops);
    EXPECT_EQ(1, g_resumes);

    list->CollapseItem(0);
    EXPECT_EQ((Items{0, 6}), Shown());
    EXPECT_EQ(2, g_stops);
    EXPECT_EQ(2, g_resumes);
    SendMessageA(list->m_hWnd, WM_SETREDRAW, FALSE, 0);
    list->ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    EXPECT_EQ(3, g_stops);
    EXPECT_EQ(2, g_resumes);
    SetWindowLongPtrA(list->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
}

TEST_F(TreeListTest, QueriesFollowTheLinks) {
    BuildSample();
    std::vector<int> ancestors;
    EXPECT_EQ(2, list->GetAncestorItems(3, &ancestors));
    EXPECT_EQ((Items{0, 1}), ancestors);
    EXPECT_EQ(0, list->GetAncestorItems(6, &ancestors));
    EXPECT_EQ(2, list->GetItemLevel(5));
    EXPECT_FALSE(list->IsLastChildItem(2));
    EXPECT_TRUE(list->IsLastChildItem(3));
    EXPECT_FALSE(list->IsLastChildItem(1));
    EXPECT_TRUE(list->IsLastChildItem(4));
    // Top-level items are siblings.
    EXPECT_FALSE(list->IsLastChildItem(0));
    EXPECT_TRUE(list->IsLastChildItem(6));
}

TEST_F(TreeListTest, LinkingReportsToTheParentWindowAndRefusesLoops) {
    Append(3);
    list->SetItemParent(1, 0);
    list->SetItemParent(2, 1);
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{{TLN_PARENTSET, 1}, {TLN_PARENTSET, 2}}),
              host.notices);
    host.notices.clear();
    list->SetItemParent(0, 2);
    list->SetItemParent(1, 1);
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(0, list->GetItemLevel(0));
    list->ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2}), Shown());
}

TEST_F(TreeListTest, ANewParentTakesTheItemWithItsShownSubtreeAway) {
    BuildSample();
    list->ExpandAll(0);
    list->SetItemParent(1, 6);
    EXPECT_EQ((Items{0, 4, 5, 6}), Shown());
    EXPECT_FALSE(list->IsExpanded(1));
    list->ExpandAll(6);
    EXPECT_EQ((Items{0, 4, 5, 6, 1, 2, 3}), Shown());
    // Back to the top level it shows at the end.
    list->SetItemParent(1, -1);
    EXPECT_EQ((Items{0, 4, 5, 6, 1}), Shown());
}

TEST_F(TreeListTest, ResetEmptiesBothListsAndKeepsTheColours) {
    BuildSample();
    list->ExpandAll(0);
    list->SetItemColor(2, 0x0000FF);
    list->ResetTree();
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(0, SendMessageA(CompleteList(), LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0x0000FFu, list->GetItemColor(2));
    EXPECT_EQ(0x00FF0000u, list->GetItemColor(3));
    Append(2);
    EXPECT_FALSE(list->HasChildItems(0));
    EXPECT_EQ((Items{0, 1}), Shown());

    // The list view's own request does the same.
    SendMessageA(list->m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(TreeListTest, ClickingTheBoxExpandsAndCollapses) {
    BuildSample();
    list->ExpandAll(0);
    const auto click = [this](POINT point) {
        SendMessageA(list->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageA(list->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    };
    // The box of item 1 (level 1) is centred 20 + 18 pixels right of the
    // cell's left edge.
    RECT cell = {};
    list->GetCellRect(RowOf(1), 0, &cell);
    const int mid = (cell.top + cell.bottom) / 2;
    EXPECT_TRUE(list->IsOnExpandBox({cell.left + 18, mid}));
    EXPECT_TRUE(list->IsOnExpandBox({cell.left + 18 + 27, cell.top}));
    EXPECT_FALSE(list->IsOnExpandBox({cell.left + 17, mid}));
    EXPECT_FALSE(list->IsOnExpandBox({cell.left + 18 + 28, mid}));
    click({cell.left + 38, mid});
    EXPECT_EQ((Items{0, 1, 4, 5, 6}), Shown());
    click({cell.left + 38, mid});
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());

    // Elsewhere in the row, on a row without children, or in another
    // column, a click only selects.
    click({cell.left + 100, mid});
    RECT leaf = {};
    list->GetCellRect(RowOf(2), 0, &leaf);
    EXPECT_FALSE(list->IsOnExpandBox({leaf.left + 56, (leaf.top + leaf.bottom) / 2}));
    click({leaf.left + 56, (leaf.top + leaf.bottom) / 2});
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    EXPECT_TRUE(list->GetItemState(RowOf(2), LVIS_SELECTED) & LVIS_SELECTED);
}

// The same calls through the seam give the same tree on Windows as in memory.
void buildThroughTheSeam(TreeList& tree) {
    tree.ResetTree();
    const int parents[] = {-1, 0, 1, 1, 0, -1, 5, 6, 6, 0};
    for (int parent : parents) {
        const int item = tree.AppendItem("0:row");
        if (parent >= 0)
            tree.SetItemParent(item, parent);
        tree.SetItemColor(item, static_cast<uint32_t>(item) * 0x10101);
        tree.SetItemNumber(item, item * 3);
    }
    tree.ExpandAll(0);
}

TEST_F(TreeListTest, BuildsTheSameTreeAsTheListInMemory) {
    MemoryTreeList memory;
    buildThroughTheSeam(memory);
    buildThroughTheSeam(*list);
    EXPECT_EQ(memory.ShownItems(), Shown());
    EXPECT_EQ(memory.GetItemCount(), list->GetItemCount());
    for (int parent = -1; parent < memory.GetItemCount(); ++parent) {
        EXPECT_EQ(memory.HasChildItems(parent), list->HasChildItems(parent));
        for (int a = memory.GetFirstChildItem(parent), b = list->GetFirstChildItem(parent);
             a != -1 || b != -1; a = memory.GetNextChildItem(), b = list->GetNextChildItem())
            ASSERT_EQ(a, b);
    }
    EXPECT_EQ(7u * 0x10101, list->m_itemColor[7]);
    EXPECT_EQ(21, list->m_itemNumber[7]);
}

} // namespace
