// The owner-drawn list base on a real list view: row height, cell pictures,
// shortened texts, the number column and hit-testing, checked on the pixels
// the list paints.
#include "ui/cell_list_ctrl.h"
#include "ui/fit_text.h"
#include "ui/tests/list_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kImageColors[] = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 150, 150),
                                 RGB(150, 0, 150)};

// Four 20 x 19 images side by side; in each the 5 leftmost columns are
// transparent green and the rest is the image's own colour.
HBITMAP fourImages() {
    return MakeBitmap(
        80, 19, [](int x, int) { return x % 20 < 5 ? RGB(0, 255, 0) : kImageColors[x / 20]; });
}

// All seven columns fit in the list's 421-pixel client width.
constexpr int kNameWidth = 120;
constexpr int kColumnWidth = 45;

class CellListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SelectObject(dc, host.Font());
        ASSERT_TRUE(list->SubclassWindow(host.List()));
        SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
        list->InsertColumn(0, "Name", LVCFMT_LEFT, kNameWidth);
        for (int column = 1; column <= kNumberColumn; ++column)
            list->InsertColumn(column, "c", column == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT, kColumnWidth);
    }

    // The rectangle a cell's text and picture are drawn in.
    RECT TextRect(int row, int column) const {
        RECT cell = {};
        list->GetCellRect(row, column, &cell);
        return {cell.left + 11, cell.top + 1, cell.right - 7, cell.bottom - 1};
    }
    static int Mid(const RECT& rect) { return (rect.top + rect.bottom) / 2; }

    // The x of the leftmost and rightmost pixel in [from, to) over the rows
    // of rect that is not white; -1 when there is none.
    static std::pair<int, int> Ink(const Snapshot& shot, const RECT& rect, int from, int to) {
        EXPECT_LE(to, shot.Width());
        int first = -1;
        int last = -1;
        for (int x = from; x < to; ++x) {
            const std::vector<COLORREF> column = shot.In({x, rect.top, x + 1, rect.bottom});
            if (std::any_of(column.begin(), column.end(), [](COLORREF c) { return c != kWhite; })) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return {first, last};
    }

    void TearDown() override { DeleteDC(dc); }

    ListHost host;
    // A memory device context with the dialog's font, to fit texts in.
    HDC dc = CreateCompatibleDC(nullptr);
    std::unique_ptr<CellListCtrl> list = std::make_unique<CellListCtrl>();
};

TEST_F(CellListTest, RowsAreAsHighAsTheFontPlusSixAndANewFontMeasuresAgain) {
    list->InsertItem(0, "a", 0);
    HFONT large = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    // The dialog's Arial 9 at 96 dots per inch is 12 pixels high.
    for (auto [font, height] : {std::pair{host.Font(), 18}, std::pair{large, 26}}) {
        SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        RECT row = {};
        list->GetItemRect(0, &row, LVIR_BOUNDS);
        EXPECT_EQ(height, row.bottom - row.top);
    }
    list->UnsubclassWindow();
    DeleteObject(large);
}

TEST_F(CellListTest, PictureIsCutFromTheBitmapByTheTextsIndexAndLeavesGreenOut) {
    const std::pair<const char*, int> rows[] = {{"0:label", 5}, {"2", 6},      {"1:x", 7},
                                                {"0:label", 8}, {"label", 10}, {"4:label", 9}};
    for (int row = 0; row < 6; ++row)
        list->InsertItem(row, rows[row].first, rows[row].second);
    for (int item : {5, 6, 7, 9})
        ASSERT_EQ(1, list->SetItemBitmap(item, 0, fourImages(), 20, 19, 0));
    // A second picture replaces the first; a missing resource draws none.
    for (COLORREF colour : {RGB(200, 0, 0), RGB(0, 0, 200)})
        list->SetItemBitmap(5, 1, MakeBitmap(20, 19, [=](int, int) { return colour; }), 20, 19, 0);
    EXPECT_EQ(1, list->SetItemImage(8, 0, 4711, 20, 19, 0));
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    Snapshot shot(list->m_hWnd);

    const RECT label = TextRect(0, 0);
    EXPECT_EQ(kWhite, shot.At(label.left + 2, Mid(label)));
    EXPECT_EQ(kImageColors[0], shot.At(label.left + 5, Mid(label)));
    EXPECT_EQ(kImageColors[0], shot.At(label.left + 19, Mid(label)));
    // The picture is centred on the 16-pixel text rectangle: one row above it.
    EXPECT_EQ(kImageColors[0], shot.At(label.left + 10, label.top - 1));
    // The label starts right of the 20-pixel picture.
    EXPECT_GE(Ink(shot, label, label.left + 20, label.right).first, label.left + 20);
    EXPECT_LE(Ink(shot, label, label.left + 20, label.right).first, label.left + 23);
    RECT content = {};
    ASSERT_TRUE(list->GetCellContentRect(0, 0, &content));
    EXPECT_EQ(label.left, content.left);

    // "2" alone: image 2, taken from x = 40, and no text.
    const RECT index = TextRect(1, 0);
    EXPECT_EQ(kImageColors[2], shot.At(index.left + 10, Mid(index)));
    EXPECT_EQ(kWhite, shot.At(index.left + 2, Mid(index)));
    EXPECT_EQ(-1, Ink(shot, index, index.left + 20, index.right).first);

    // A highlighted row shows its highlight through the green.
    const RECT selected = TextRect(2, 0);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), shot.At(selected.left + 2, Mid(selected)));
    EXPECT_EQ(kImageColors[1], shot.At(selected.left + 10, Mid(selected)));

    EXPECT_EQ(RGB(0, 0, 200), shot.At(TextRect(0, 1).left + 10, Mid(label)));
    EXPECT_EQ(kWhite, shot.At(TextRect(0, 2).left + 10, Mid(label)));
    // A missing resource draws as no picture: the text after the colon is
    // shown where the picture would start. An image outside its bitmap
    // draws none.
    EXPECT_EQ(shot.In(TextRect(4, 0)), shot.In(TextRect(3, 0)));
    const std::vector<COLORREF> outside =
        shot.In({0, Mid(TextRect(5, 0)), shot.Width(), Mid(TextRect(5, 0)) + 1});
    for (COLORREF color : kImageColors)
        EXPECT_EQ(0, std::count(outside.begin(), outside.end(), color));
}

TEST_F(CellListTest, FitTextKeepsTheLongestBeginningThatFitsWithTheDots) {
    const auto width = [this](const std::string& text) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const std::string text = "Progressive die upper shoe";
    // Only 259 characters of a cell are drawn.
    const struct {
        std::string text;
        int room;
        std::string shown;
        bool shortened;
    } cases[] = {{text, width(text), text, false},
                 {text, width("Progressive d..."), "Progressive d...", true},
                 {"W", 1, "W...", true},
                 {"", 0, "", false},
                 {std::string(400, 'x'), 100000, std::string(259, 'x'), false}};
    for (const auto& c : cases) {
        const FittedText fitted = FitText(dc, c.text.c_str(), c.room);
        EXPECT_EQ(c.shown, std::string(fitted.text));
        EXPECT_EQ(c.shortened, fitted.shortened) << c.shown;
    }
}

TEST_F(CellListTest, AShortenedTextEndsInDotsAndStartsLeftInARightAlignedColumn) {
    const std::string text = "Progressive die upper shoe";
    list->InsertItem(0, "", 0);
    list->InsertItem(1, "", 1);
    list->SetItemText(0, 1, text.c_str()); // right-aligned
    list->SetItemText(1, 1, "ab");
    Snapshot first(list->m_hWnd);
    EXPECT_TRUE(list->IsCellTextShortened(0, 1));
    EXPECT_FALSE(list->IsCellTextShortened(1, 1));

    // What the cell shows, drawn as a text that fits in a left-aligned
    // column of the same width.
    const RECT shortened = TextRect(0, 1);
    const std::string shown = FitText(dc, text.c_str(), shortened.right - shortened.left).text;
    ASSERT_EQ("...", shown.substr(shown.size() - 3));
    list->SetItemText(0, 2, shown.c_str());
    Snapshot second(list->m_hWnd);
    EXPECT_FALSE(list->IsCellTextShortened(0, 2));
    EXPECT_EQ(second.In(TextRect(0, 2)), first.In(shortened));
    EXPECT_LE(Ink(first, shortened, shortened.left, shortened.right).first, shortened.left + 2);

    // A text that fits keeps the column's right alignment.
    const RECT fits = TextRect(1, 1);
    EXPECT_GE(Ink(first, fits, fits.left, fits.right).second, fits.right - 3);
}

TEST_F(CellListTest, NumberColumnShowsTheItemsNumber) {
    list->InsertItem(0, "", 3); // item 3 in row 0
    list->SetItemText(0, kNumberColumn - 1, "42");
    list->SetItemNumber(3, 42);
    list->SetItemNumber(0, 7);
    Snapshot shot(list->m_hWnd);
    const RECT number = TextRect(0, kNumberColumn);
    ASSERT_NE(-1, Ink(shot, number, number.left, number.right).first);
    EXPECT_EQ(shot.In(TextRect(0, kNumberColumn - 1)), shot.In(number));
}

TEST_F(CellListTest, HitTestFindsRowsByHeightAndColumnsByPosition) {
    int column = 0;
    for (int row = 0; row < 3; ++row)
        list->InsertItem(row, "row", row);

    RECT cell = {};
    ASSERT_TRUE(list->GetCellRect(1, 2, &cell));
    RECT label = {};
    list->GetItemRect(1, &label, LVIR_LABEL);
    const RECT expected = {label.left + kNameWidth + kColumnWidth, label.top,
                           label.left + kNameWidth + 2 * kColumnWidth, label.bottom};
    EXPECT_TRUE(EqualRect(&expected, &cell));
    for (auto [row, outside] : {std::pair{1, -1}, std::pair{1, kNumberColumn + 1}, std::pair{5, 0}})
        EXPECT_FALSE(list->GetCellRect(row, outside, &label)) << row << ", " << outside;
    for (POINT inside : {POINT{cell.left + 1, cell.bottom - 1}, POINT{cell.right - 1, cell.top}}) {
        EXPECT_EQ(1, list->HitTestCell(inside, &column));
        EXPECT_EQ(2, column);
    }

    // Right of the last column, inside the window, or below the last row:
    // nothing.
    ASSERT_TRUE(list->GetCellRect(0, kNumberColumn, &cell));
    RECT client = {};
    GetClientRect(list->m_hWnd, &client);
    ASSERT_LT(cell.right + 2, client.right);
    EXPECT_EQ(-1, list->HitTestCell({cell.right + 2, cell.top + 2}, &column));
    EXPECT_EQ(-1, column);
    EXPECT_EQ(-1, list->HitTestCell({cell.left + 2, cell.bottom + 3 * 18}, &column));

    // Scrolled to the right, rows are still found wherever the point lies.
    for (int c = 0; c <= kNumberColumn; ++c)
        SendMessageA(list->m_hWnd, LVM_SETCOLUMNWIDTH, c, 150);
    SendMessageA(list->m_hWnd, LVM_SCROLL, 200, 0);
    list->GetItemRect(0, &label, LVIR_LABEL);
    ASSERT_LT(label.left, 0);
    ASSERT_TRUE(list->GetCellRect(2, 4, &cell));
    EXPECT_EQ(2, list->HitTestCell({cell.left + 5, (cell.top + cell.bottom) / 2}, &column));
    EXPECT_EQ(4, column);
}

} // namespace
