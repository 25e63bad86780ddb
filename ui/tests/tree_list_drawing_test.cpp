// What the tree list paints into a memory device context: the lines, boxes
// and indentation of column 0 and the colour swatch of column 3.
#include "ui/tests/tree_fixture.h"

#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Every pixel from (x, y1) to (x, y2) inclusive has the colour.
void expectColumn(const Snapshot& shot, int x, int y1, int y2, COLORREF color) {
    for (int y = y1; y <= y2; ++y) {
        SCOPED_TRACE("x " + std::to_string(x) + ", y " + std::to_string(y));
        EXPECT_EQ(color, shot.At(x, y));
    }
}

// Every pixel from (x1, y) to (x2, y) inclusive has the colour.
void expectRow(const Snapshot& shot, int x1, int x2, int y, COLORREF color) {
    for (int x = x1; x <= x2; ++x) {
        SCOPED_TRACE("x " + std::to_string(x) + ", y " + std::to_string(y));
        EXPECT_EQ(color, shot.At(x, y));
    }
}

class TreeDrawingTest : public TreeListTest {
  protected:
    void SetUp() override {
        TreeListTest::SetUp();
        // The sample tree with a child 7 under the top-level item 6, expanded
        // below item 0 only: item 6 keeps its plus.
        BuildSample();
        Append(1);
        list->SetItemParent(7, 6);
        list->ExpandAll(0);
        ASSERT_EQ((Items{0, 1, 2, 3, 4, 5, 6}), Shown());
    }

    struct Geometry {
        int left, top, bottom, mid;
    };
    // The tree rectangle of a shown item; top and bottom are the row's
    // first and last pixel rows.
    Geometry Of(int item) const {
        const RECT rect = TreeRect(item);
        return {rect.left, rect.top - 1, rect.bottom, (rect.top + rect.bottom) / 2};
    }

    // The 10 x 10 box centred on (x, mid), with its bar or cross.
    static void expectBox(const Snapshot& shot, int x, int mid, bool plus) {
        expectColumn(shot, x - 5, mid - 5, mid + 4, kGrey);
        expectColumn(shot, x + 4, mid - 5, mid + 4, kGrey);
        expectRow(shot, x - 5, x + 4, mid - 5, kGrey);
        expectRow(shot, x - 5, x + 4, mid + 4, kGrey);
        expectRow(shot, x - 3, x + 3, mid, kBlack);
        expectColumn(shot, x, mid - 3, mid - 1, plus ? kBlack : kWhite);
        expectColumn(shot, x, mid + 1, mid + 3, plus ? kBlack : kWhite);
        expectRow(shot, x - 4, x - 4, mid - 1, kWhite);
    }
};

TEST_F(TreeDrawingTest, TopLevelItemsHaveBoxesAndAreJoined) {
    Snapshot shot(list->m_hWnd);
    // Item 0: a minus box, no line above it, a line below it to item 6.
    const Geometry first = Of(0);
    const int x = first.left + 9;
    expectBox(shot, x, first.mid, false);
    expectColumn(shot, x, first.top, first.mid - 6, kWhite);
    expectColumn(shot, x, first.mid + 5, first.bottom, kGrey);
    EXPECT_EQ(kWhite, shot.At(x + 5, first.mid));
    expectRow(shot, x + 6, first.left + 18, first.mid, kGrey);
    EXPECT_NE(kGrey, shot.At(first.left + 19, first.mid));
    EXPECT_EQ(first.left + 19, list->m_treeTextX[0]);
    EXPECT_EQ(first.left + 20, list->m_cellTextLeft[0][0]);

    // Item 6, the last top-level item: joined from above, nothing below,
    // collapsed.
    const Geometry last = Of(6);
    expectColumn(shot, x, last.top, last.mid - 6, kGrey);
    expectBox(shot, x, last.mid, true);
    expectColumn(shot, x, last.mid + 5, last.bottom, kWhite);
}

TEST_F(TreeDrawingTest, GuideLinesStandForAncestorsWithLaterSiblings) {
    list->SetItemBitmap(2, 0, MakeBitmap(20, 19, [](int, int) { return RGB(200, 0, 0); }), 20, 19,
                        0);
    Snapshot shot(list->m_hWnd);
    // Item 2 (level 2, a child before its sibling 3): guide lines for item 0
    // and item 1, its own line through the row, no box.
    const Geometry two = Of(2);
    expectColumn(shot, two.left + 9, two.top, two.bottom, kGrey);
    expectColumn(shot, two.left + 27, two.top, two.bottom, kGrey);
    const int x = two.left + 45;
    expectColumn(shot, x, two.top, two.bottom, kGrey);
    expectRow(shot, x + 1, two.left + 54, two.mid, kGrey);
    EXPECT_NE(kGrey, shot.At(x - 1, two.mid));
    EXPECT_EQ(two.left + 55, list->m_treeTextX[RowOf(2)]);
    // The label's picture follows the tree graphics.
    EXPECT_EQ(kWhite, shot.At(two.left + 55, two.mid));
    expectRow(shot, two.left + 56, two.left + 75, two.mid, RGB(200, 0, 0));

    // Item 3, the last child of item 1: its own line stops above the middle,
    // where the horizontal line starts one pixel to the right.
    const Geometry three = Of(3);
    expectColumn(shot, three.left + 45, three.top, three.mid - 1, kGrey);
    expectColumn(shot, three.left + 45, three.mid, three.bottom, kWhite);

    // Item 5: its parent 4 is the last child of item 0, which is not the
    // last top-level item: one guide line only, at L + 9.
    const Geometry five = Of(5);
    expectColumn(shot, five.left + 9, five.top, five.bottom, kGrey);
    expectColumn(shot, five.left + 27, five.top, five.bottom, kWhite);

    // Item 4: the last child of item 0, expanded: no line below its box.
    const Geometry four = Of(4);
    expectBox(shot, four.left + 27, four.mid, false);
    expectColumn(shot, four.left + 27, four.top, four.mid - 6, kGrey);
    expectColumn(shot, four.left + 27, four.mid + 5, four.bottom, kWhite);
}

TEST_F(TreeDrawingTest, ColourColumnShowsASwatchOfTheItemsColour) {
    list->m_itemColor[2] = RGB(10, 200, 30);
    Snapshot shot(list->m_hWnd);
    RECT cell = {};
    list->GetCellRect(RowOf(2), kColorColumn, &cell);
    const int left = cell.left + 11;
    const int mid = (cell.top + 1 + cell.bottom - 1) / 2;
    for (int y = mid - 6; y < mid + 6; ++y)
        expectRow(shot, left, left + 13, y, RGB(10, 200, 30));
    // Nothing around it.
    expectRow(shot, left - 1, left - 1, mid, kWhite);
    expectRow(shot, left + 14, left + 14, mid, kWhite);
    expectColumn(shot, left, mid - 7, mid - 7, kWhite);
    expectColumn(shot, left, mid + 6, mid + 6, kWhite);

    // An item whose colour was never written is blue.
    list->GetCellRect(RowOf(3), kColorColumn, &cell);
    EXPECT_EQ(RGB(0, 0, 255), shot.At(cell.left + 15, (cell.top + cell.bottom) / 2));
}

} // namespace
