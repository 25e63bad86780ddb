// The tree list on real list views: where the list view's requests go, the
// shown rows as items are linked, expanded and collapsed, and the box click.
// The links themselves (queries, loops) are model/'s TreeLinks, tested
// natively; the colours and numbers the probe reads, devhost's scripts.
#include "ui/tests/tree_fixture.h"

#include <functional>
#include <string>

namespace {

std::string textOf(HWND listView, int row, int column) {
    char text[64] = "";
    ListView_GetItemText(listView, row, column, text, sizeof text);
    return text;
}

TEST_F(TreeListTest, ItemRequestsGoToTheCompleteListAndColumnsToBoth) {
    Append(3);
    list->SetItemParent(1, 0);
    list->SetItemParent(2, 0);
    // The count answers every item, shown or not.
    EXPECT_EQ(3, SendMessageA(list->m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ((Items{0}), Shown());
    EXPECT_EQ("0:item 2", textOf(CompleteList(), 2, 0));
    EXPECT_EQ(kTreeWidth, SendMessageA(CompleteList(), LVM_GETCOLUMNWIDTH, 0, 0));

    // A cell text set afterwards reaches the item and its shown row.
    list->SetItemText(0, 2, "set");
    EXPECT_EQ("set", textOf(CompleteList(), 0, 2));
    EXPECT_EQ("set", textOf(list->m_hWnd, 0, 2));
    list->ExpandAll(0);
    EXPECT_EQ("0:item 1", textOf(list->m_hWnd, 1, 0));

    // Inserting before the end or deleting one item would renumber items:
    // refused. Beyond the end is an append.
    LVITEMA request = {};
    request.mask = LVIF_TEXT;
    request.pszText = const_cast<char*>("0:front");
    const auto insert = [&] {
        return SendMessageA(list->m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&request));
    };
    EXPECT_EQ(-1, insert());
    EXPECT_FALSE(SendMessageA(list->m_hWnd, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ("0:item 0", textOf(CompleteList(), 0, 0));
    request.iItem = 100;
    EXPECT_EQ(3, insert());
    // Outside the tables a colour or number is neither kept nor read.
    list->SetItemColor(MAX_ROWS, 0x654321);
    EXPECT_EQ(0u, list->GetItemColor(MAX_ROWS));
    list->SetItemNumber(-1, 5);
    EXPECT_EQ(0, list->GetItemNumber(-1));

    // The list view's own request to empty it empties both lists.
    SendMessageA(list->m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(0, SendMessageA(CompleteList(), LVM_GETITEMCOUNT, 0, 0));
    EXPECT_TRUE(Shown().empty());
}

// Each step on the sample tree (0 with children 1 and 4, 1 with 2 and 3, 4
// with 5; 6 on top), and the rows shown after it.
TEST_F(TreeListTest, TheShownRowsFollowEveryStep) {
    BuildSample();
    TreeListCtrl& tree = *list;
    const struct {
        const char* step;
        std::function<void()> action;
        Items shown;
    } steps[] = {
        {"linked", [] {}, {0, 6}},
        {"expand all", [&] { tree.ExpandAll(0); }, {0, 1, 2, 3, 4, 5, 6}},
        {"collapse forgets below", [&] { tree.CollapseItem(0); }, {0, 6}},
        {"expand one level", [&] { tree.ExpandItem(0); }, {0, 1, 4, 6}},
        {"expand 4", [&] { tree.ExpandItem(4); }, {0, 1, 4, 5, 6}},
        {"nothing to do",
         [&] {
             tree.ExpandItem(5); // no children
             tree.ExpandItem(4); // already expanded
             tree.ExpandItem(2); // not shown
             tree.CollapseItem(2);
             tree.CollapseItem(6);
         },
         {0, 1, 4, 5, 6}},
        {"expand all again", [&] { tree.ExpandAll(0); }, {0, 1, 2, 3, 4, 5, 6}},
        {"a new parent takes the subtree", [&] { tree.SetItemParent(1, 6); }, {0, 4, 5, 6}},
        {"under its new parent", [&] { tree.ExpandAll(6); }, {0, 4, 5, 6, 1, 2, 3}},
        {"back on top at the end", [&] { tree.SetItemParent(1, -1); }, {0, 4, 5, 6, 1}},
        {"linked under an expanded parent: right below it",
         [&] { tree.SetItemParent(tree.AppendItem("0:new"), 0); },
         {0, 7, 4, 5, 6, 1}},
        {"a loop is refused", [&] { tree.SetItemParent(0, 5); }, {0, 7, 4, 5, 6, 1}},
        {"appended under an expanded parent: right below it",
         [&] { tree.AppendChildItem("0:child", 4); },
         {0, 7, 4, 8, 5, 6, 1}},
        {"appended under a collapsed parent: no row",
         [&] { tree.AppendChildItem("0:deep", 2); },
         {0, 7, 4, 8, 5, 6, 1}},
        {"appended under itself: refused, on top at the end",
         [&] { tree.AppendChildItem("0:self", tree.GetItemCount()); },
         {0, 7, 4, 8, 5, 6, 1, 10}},
        {"the collapsed parent shows what was appended",
         [&] { tree.ExpandAll(1); },
         {0, 7, 4, 8, 5, 6, 1, 2, 9, 3, 10}},
        {"reset", [&] { tree.ResetTree(); }, {}},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(step.shown, Shown()) << step.step;
    }
}

// A link that shows or hides no row still gives its parent an expand box:
// the list must be drawn again.
TEST_F(TreeListTest, ALinkUnderACollapsedRowRepaintsTheList) {
    Append(3);
    list->SetItemParent(1, 0);
    ShowWindow(host.m_hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(host.m_hWnd);
    ASSERT_FALSE(GetUpdateRect(list->m_hWnd, nullptr, FALSE));
    list->SetItemParent(1, 2);
    EXPECT_EQ((Items{0, 2}), Shown());
    EXPECT_TRUE(GetUpdateRect(list->m_hWnd, nullptr, FALSE));
}

// A redraw reaches the rows on the page, the one partly shown below it
// included, and none off it.
TEST_F(TreeListTest, ARedrawInvalidatesOnlyTheRowsOnThePage) {
    Append(60);
    RECT row = {};
    list->GetItemRect(0, &row, LVIR_BOUNDS);
    const int rowHeight = row.bottom - row.top;
    // Ten and a half rows below the header, scrolled down by five.
    RECT window = {};
    RECT client = {};
    GetWindowRect(list->m_hWnd, &window);
    GetClientRect(list->m_hWnd, &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    SetWindowPos(list->m_hWnd, nullptr, 0, 0, window.right - window.left,
                 frame + row.top + 10 * rowHeight + rowHeight / 2, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(list->m_hWnd, LVM_SCROLL, 0, 5 * rowHeight);
    ShowWindow(host.m_hWnd, SW_SHOWNOACTIVATE);
    ASSERT_EQ(5, list->GetTopIndex());
    ASSERT_EQ(10, list->GetCountPerPage());

    // Empty when nothing is to be drawn.
    const auto invalidated = [&](int first, int last) {
        UpdateWindow(host.m_hWnd);
        list->RedrawItems(first, last);
        RECT update = {};
        return GetUpdateRect(list->m_hWnd, &update, FALSE) ? update : RECT{};
    };
    EXPECT_EQ(0, invalidated(0, 4).bottom);
    EXPECT_EQ(0, invalidated(16, 59).bottom);
    RECT partly = {};
    list->GetItemRect(15, &partly, LVIR_BOUNDS);
    EXPECT_EQ(partly.top, invalidated(15, 15).top);
    RECT first = {};
    list->GetItemRect(5, &first, LVIR_BOUNDS);
    const RECT all = invalidated(0, 59);
    EXPECT_EQ(first.top, all.top);
    GetClientRect(list->m_hWnd, &client);
    EXPECT_EQ(client.bottom, all.bottom);
}

TEST_F(TreeListTest, ClickingTheBoxExpandsAndCollapses) {
    BuildSample();
    list->ExpandAll(0);
    const auto click = [this](int x, int y) {
        SendMessageA(list->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(list->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    // The box of item 1 (level 1) is centred 20 + 18 pixels right of the
    // cell's left edge.
    RECT cell = {};
    list->GetCellRect(PositionOf(1), 0, &cell);
    const int mid = (cell.top + cell.bottom) / 2;
    EXPECT_TRUE(list->IsOnExpandBox({cell.left + 18, mid}));
    EXPECT_TRUE(list->IsOnExpandBox({cell.left + 18 + 27, cell.top}));
    EXPECT_FALSE(list->IsOnExpandBox({cell.left + 17, mid}));
    EXPECT_FALSE(list->IsOnExpandBox({cell.left + 18 + 28, mid}));
    click(cell.left + 38, mid);
    EXPECT_EQ((Items{0, 1, 4, 5, 6}), Shown());
    click(cell.left + 38, mid);
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());

    // Elsewhere in the row, or on a row without children, a click only
    // selects.
    click(cell.left + 100, mid);
    RECT leaf = {};
    list->GetCellRect(PositionOf(2), 0, &leaf);
    click(leaf.left + 56, (leaf.top + leaf.bottom) / 2);
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    EXPECT_TRUE(list->GetItemState(PositionOf(2), LVIS_SELECTED) & LVIS_SELECTED);
}

} // namespace
