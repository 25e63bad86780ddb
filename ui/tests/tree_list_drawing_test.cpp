// What the tree list paints into a memory device context: the lines, boxes
// and indentation of column 0 and the colour swatch of column 3.
#include "ui/tests/tree_fixture.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Every pixel from (x1, y1) to (x2, y2) inclusive has the colour.
void expectLine(const Snapshot& shot, int x1, int y1, int x2, int y2, COLORREF color) {
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            EXPECT_EQ(color, shot.At(x, y)) << "x " << x << ", y " << y;
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
    // Where column 0's tree graphics start for a shown item; top and bottom
    // are the row's first and last pixel rows.
    Geometry Of(int item) const {
        RECT cell = {};
        list->GetCellRect(PositionOf(item), 0, &cell);
        return {cell.left + 11, cell.top, cell.bottom - 1, (cell.top + cell.bottom) / 2};
    }

    // Where the layout of a shown row's column 0 ends its line to the label.
    int linesEnd(int row) const {
        TreeCellLayout layout;
        EXPECT_TRUE(list->GetTreeCellLayout(row, &layout));
        return layout.linesEnd;
    }

    // The 10 x 10 box centred on (x, mid), with its bar or cross.
    static void expectBox(const Snapshot& shot, int x, int mid, bool plus) {
        for (int side : {-5, 4}) {
            expectLine(shot, x + side, mid - 5, x + side, mid + 4, kGrey);
            expectLine(shot, x - 5, mid + side, x + 4, mid + side, kGrey);
        }
        expectLine(shot, x - 3, mid, x + 3, mid, kBlack);
        expectLine(shot, x, mid - 3, x, mid - 1, plus ? kBlack : kWhite);
        expectLine(shot, x, mid + 1, x, mid + 3, plus ? kBlack : kWhite);
        expectLine(shot, x - 4, mid - 1, x - 4, mid - 1, kWhite);
    }
};

// Top-level items have boxes and are joined; guide lines stand for ancestors
// with later siblings; column 3 shows a swatch of the item's colour.
TEST_F(TreeDrawingTest, LinesBoxesGuidesAndTheColourSwatch) {
    list->SetItemBitmap(2, 0, MakeBitmap(20, 19, [](int, int) { return RGB(200, 0, 0); }), 20, 19,
                        0);
    list->SetItemColor(2, RGB(10, 200, 30));
    Snapshot shot(list->m_hWnd);
    // Item 0: a minus box, no line above it, a line below it to item 6.
    const Geometry first = Of(0);
    const int x = first.left + 9;
    expectBox(shot, x, first.mid, false);
    expectLine(shot, x, first.top, x, first.mid - 6, kWhite);
    expectLine(shot, x, first.mid + 5, x, first.bottom, kGrey);
    EXPECT_EQ(kWhite, shot.At(x + 5, first.mid));
    expectLine(shot, x + 6, first.mid, first.left + 18, first.mid, kGrey);
    EXPECT_NE(kGrey, shot.At(first.left + 19, first.mid));
    EXPECT_EQ(first.left + 19, linesEnd(0));
    RECT content = {};
    ASSERT_TRUE(list->GetCellContentRect(0, 0, &content));
    EXPECT_EQ(first.left + 20, content.left);

    // Item 6, the last top-level item: joined from above, nothing below,
    // collapsed.
    const Geometry last = Of(6);
    expectLine(shot, x, last.top, x, last.mid - 6, kGrey);
    expectBox(shot, x, last.mid, true);
    expectLine(shot, x, last.mid + 5, x, last.bottom, kWhite);

    // Item 2 (level 2, a child before its sibling 3): guide lines for item 0
    // and item 1, its own line through the row, no box.
    const Geometry two = Of(2);
    expectLine(shot, two.left + 9, two.top, two.left + 9, two.bottom, kGrey);
    expectLine(shot, two.left + 27, two.top, two.left + 27, two.bottom, kGrey);
    const int own = two.left + 45;
    expectLine(shot, own, two.top, own, two.bottom, kGrey);
    expectLine(shot, own + 1, two.mid, two.left + 54, two.mid, kGrey);
    EXPECT_NE(kGrey, shot.At(own - 1, two.mid));
    EXPECT_EQ(two.left + 55, linesEnd(PositionOf(2)));
    // The label's picture follows the tree graphics.
    EXPECT_EQ(kWhite, shot.At(two.left + 55, two.mid));
    expectLine(shot, two.left + 56, two.mid, two.left + 75, two.mid, RGB(200, 0, 0));

    // Item 3, the last child of item 1: its own line stops above the middle,
    // where the horizontal line starts one pixel to the right.
    const Geometry three = Of(3);
    expectLine(shot, three.left + 45, three.top, three.left + 45, three.mid - 1, kGrey);
    expectLine(shot, three.left + 45, three.mid, three.left + 45, three.bottom, kWhite);

    // Item 5: its parent 4 is the last child of item 0, which is not the
    // last top-level item: one guide line only, at L + 9.
    const Geometry five = Of(5);
    expectLine(shot, five.left + 9, five.top, five.left + 9, five.bottom, kGrey);
    expectLine(shot, five.left + 27, five.top, five.left + 27, five.bottom, kWhite);

    // Item 4: the last child of item 0, expanded: no line below its box.
    const Geometry four = Of(4);
    expectBox(shot, four.left + 27, four.mid, false);
    expectLine(shot, four.left + 27, four.top, four.left + 27, four.mid - 6, kGrey);
    expectLine(shot, four.left + 27, four.mid + 5, four.left + 27, four.bottom, kWhite);

    RECT cell = {};
    list->GetCellRect(PositionOf(2), kColorColumn, &cell);
    const int left = cell.left + 11;
    const int mid = (cell.top + 1 + cell.bottom - 1) / 2;
    expectLine(shot, left, mid - 6, left + 13, mid + 5, RGB(10, 200, 30));
    // Nothing around it.
    for (POINT p : {POINT{left - 1, mid}, {left + 14, mid}, {left, mid - 7}, {left, mid + 6}})
        EXPECT_EQ(kWhite, shot.At(p.x, p.y));

    // An item whose colour was never written is blue.
    list->GetCellRect(PositionOf(3), kColorColumn, &cell);
    EXPECT_EQ(RGB(0, 0, 255), shot.At(cell.left + 15, (cell.top + cell.bottom) / 2));
}

// At 192 DPI every length drawn at 96 doubles: the rows' padding, the margins, the indentation,
// the boxes, the swatch and the area a press opens a box in.
TEST_F(TreeDrawingTest, LengthsDoubleAt192Dpi) {
    RECT before = {};
    list->GetItemRect(0, &before, LVIR_BOUNDS);
    list->SetScale(DisplayScale(192));
    // As on a change of DPI, the font measures the rows again.
    SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
    list->SetItemColor(2, RGB(10, 200, 30));
    RECT after = {};
    list->GetItemRect(0, &after, LVIR_BOUNDS);
    // The font is still that of 96 DPI: the rows grow to hold the 200 % pictures' 36 drawn rows,
    // more than the padding alone gives.
    EXPECT_LT(before.bottom - before.top + 6, 36);
    EXPECT_EQ(36, after.bottom - after.top);

    Snapshot shot(list->m_hWnd);
    RECT cell = {};
    list->GetCellRect(PositionOf(4), 0, &cell);
    const int mid = (cell.top + cell.bottom) / 2;
    const int x = cell.left + 22 + 36 + 18;
    for (int side : {-10, 9}) {
        expectLine(shot, x + side, mid - 10, x + side, mid + 9, kGrey);
        expectLine(shot, x - 10, mid + side, x + 9, mid + side, kGrey);
    }
    expectLine(shot, x - 6, mid, x + 6, mid, kBlack);
    expectLine(shot, x + 11, mid, cell.left + 22 + 36 + 37, mid, kGrey);
    EXPECT_EQ(cell.left + 22 + 36 + 38, linesEnd(PositionOf(4)));

    EXPECT_TRUE(list->IsOnExpandBox({x, mid}));
    EXPECT_FALSE(list->IsOnExpandBox({cell.left + 36 + 56, mid}));
    EXPECT_TRUE(list->IsOnExpandBox({cell.left + 36 + 55, mid}));

    list->GetCellRect(PositionOf(2), kColorColumn, &cell);
    const int left = cell.left + 22;
    const int swatchMid = (cell.top + 1 + cell.bottom - 1) / 2;
    expectLine(shot, left, swatchMid - 12, left + 27, swatchMid + 11, RGB(10, 200, 30));
    // The rows' swatches nearly touch at this font; beside the swatch is nothing.
    EXPECT_EQ(kWhite, shot.At(left - 1, swatchMid));
    EXPECT_EQ(kWhite, shot.At(left + 28, swatchMid));
}

} // namespace
