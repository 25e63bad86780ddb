// The tooltip of shortened cells: shown for them, not for texts that fit,
// and destroyed as soon as the pointer leaves.
#include "ui/tests/tree_fixture.h"

#include <functional>
#include <string>

namespace {

// The visible tooltip of the list's dialog, or null. A pop-up window of a
// control belongs to the control's top-level window.
HWND shownTooltip(HWND list) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) != nullptr;)
        if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == GetAncestor(list, GA_ROOT))
            return w;
    return nullptr;
}

std::string tooltipText(HWND tooltip, HWND list) {
    char text[300] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(list);
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

const char kLongLabel[] = "Progressive die upper shoe with its punch holders and strippers";

class TooltipTest : public TreeListTest {
  protected:
    void SetUp() override {
        TreeListTest::SetUp();
        list->AppendItem((std::string("0:") + kLongLabel).c_str());
        list->AppendItem("0:ab");
        // A picture beside each label, as the View Manager's rows have: the
        // label's text starts with the picture's index, which neither the
        // cell nor its tooltip shows.
        for (int item : {0, 1})
            list->SetItemBitmap(item, kTreeColumn,
                                MakeBitmap(20, 19, [](int, int) { return RGB(0, 0, 200); }), 20, 19,
                                0);
        list->SetItemText(0, 2, "a count too long for its column");
        list->SetItemNumber(0, 1000);
        Snapshot paintedOnce(list->m_hWnd); // leaves what the tooltip reads
    }

    void MoveTo(POINT point) const {
        SendMessageA(list->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }
    POINT InCell(int row, int column, int offset) const {
        RECT cell = {};
        list->GetCellRect(row, column, &cell);
        return {cell.left + offset, (cell.top + cell.bottom) / 2};
    }
    POINT BelowRow(int row, int x) const {
        RECT label = {};
        list->GetItemRect(row, &label, LVIR_LABEL);
        POINT point = {x, label.bottom};
        ClientToScreen(list->m_hWnd, &point);
        return point;
    }
};

TEST_F(TooltipTest, AShortenedCellShowsItsFullTextBelowTheRowUntilThePointerLeaves) {
    MoveTo(InCell(0, 0, 60));
    HWND tooltip = shownTooltip(list->m_hWnd);
    ASSERT_TRUE(tooltip);
    EXPECT_EQ(kLongLabel, tooltipText(tooltip, list->m_hWnd));
    // Placed at the point, give or take the tooltip's 1-pixel border.
    RECT placed = {};
    GetWindowRect(tooltip, &placed);
    TreeCellLayout layout;
    ASSERT_TRUE(list->GetTreeCellLayout(0, &layout));
    const POINT expected = BelowRow(0, layout.linesEnd + 20);
    EXPECT_NEAR(expected.x, placed.left, 1);
    EXPECT_NEAR(expected.y, placed.top, 1);

    // Another shortened cell moves the one tooltip there.
    MoveTo(InCell(0, 2, 15));
    EXPECT_EQ(tooltip, shownTooltip(list->m_hWnd));
    EXPECT_EQ("a count too long for its column", tooltipText(tooltip, list->m_hWnd));
    GetWindowRect(tooltip, &placed);
    RECT content = {};
    ASSERT_TRUE(list->GetCellContentRect(0, 2, &content));
    EXPECT_NEAR(BelowRow(0, content.left).x, placed.left, 1);

    // The count column draws the row's number, not its empty text.
    MoveTo(InCell(0, kNumberColumn, 15));
    EXPECT_EQ(tooltip, shownTooltip(list->m_hWnd));
    EXPECT_EQ("1000", tooltipText(tooltip, list->m_hWnd));

    // The pointer leaving the shortened cell, or the dialog, take the tooltip
    // away.
    const POINT shortened = InCell(0, 0, 60);
    const std::pair<const char*, std::function<void()>> leaving[] = {
        {"a text that fits", [&] { MoveTo(InCell(1, 0, 60)); }},
        {"the tree graphics", [&] { MoveTo(InCell(0, 0, 5)); }},
        {"below the last row",
         [&] {
             MoveTo({shortened.x, 18 * 10});
         }},
        {"right of the last column", [&] { MoveTo(InCell(0, kNumberColumn, 29 + 30)); }},
        {"the dialog hides it", [&] { list->HideTooltip(); }},
    };
    for (const auto& [where, leave] : leaving) {
        MoveTo(shortened);
        tooltip = shownTooltip(list->m_hWnd);
        ASSERT_TRUE(tooltip) << where;
        leave();
        EXPECT_FALSE(IsWindow(tooltip)) << where;
        EXPECT_FALSE(shownTooltip(list->m_hWnd)) << where;
    }

    // A cell widened so that its text fits has no tooltip, painted or not.
    SendMessageA(list->m_hWnd, LVM_SETCOLUMNWIDTH, 2, 400);
    MoveTo(InCell(0, 2, 15));
    EXPECT_FALSE(shownTooltip(list->m_hWnd));
}

} // namespace
