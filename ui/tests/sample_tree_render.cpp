// Draws a sample View Manager tree with the plug-in's cell pictures into
// <build>/ui/sample_tree.png, for a person to look at: three levels, every
// cell picture, a shortened label, colour swatches, numbers, a selected row.
#include "res/resource.h"
#include "tools/png/png_writer.h"
#include "ui/tests/tree_fixture.h"

#include <set>
#include <string>

namespace {

struct SampleRow {
    int parent;
    const char* label;
    int picture;
    bool shown; // not blanked
    bool frozen;
    bool open;
    COLORREF color;
};

const SampleRow kRows[] = {
    {-1, "Progressive die", IDB_BLOCKS_SOLID, true, false, true, RGB(120, 120, 120)},
    {0, "Upper die set", IDB_BLOCKS_SOLID, true, false, true, RGB(70, 130, 180)},
    {1, "upper_shoe_with_punch_holder_plate_and_stripper_bolts_machined.prt", IDB_BLOCK_SOLID, true,
     false, true, RGB(70, 130, 180)},
    {1, "punch_holder.prt", IDB_BLOCK_SOLID, false, true, true, RGB(200, 60, 40)},
    {0, "Lower die set", IDB_BLOCKS_DOTTED, true, false, false, RGB(120, 120, 120)},
    {4, "lower_shoe.prt", IDB_BLOCK_DOTTED, true, false, false, RGB(90, 160, 90)},
    {0, "Strip layout", IDB_BLOCKS_SOLID, true, false, true, RGB(220, 180, 40)},
    {6, "strip.prt", IDB_BLOCK_SOLID, true, false, true, RGB(220, 180, 40)},
    {-1, "Standard parts", IDB_BLOCKS_SOLID, true, true, true, RGB(150, 90, 200)},
    {8, "guide_pin.prt", IDB_BLOCK_SOLID, true, true, true, RGB(150, 90, 200)},
};

constexpr const char* kColumns[] = {"Blank/Unblank",   "Isolate",    "Color",
                                    "Freeze/Unfreeze", "Open/Close", "Attribute Count"};

std::vector<uint32_t> asRgb(const Snapshot& shot) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            const COLORREF color = shot.At(x, y);
            pixels.push_back(static_cast<uint32_t>(GetRValue(color)) << 16 |
                             static_cast<uint32_t>(GetGValue(color)) << 8 | GetBValue(color));
        }
    return pixels;
}

TEST(SampleTree, IsDrawnIntoAPicture) {
    ListHost host;
    auto list = std::make_unique<TreeListCtrl>();
    ASSERT_TRUE(list->SubclassWindow(host.List()));
    SendMessageA(list->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
    SetWindowPos(list->m_hWnd, nullptr, 0, 0, 690, 230, SWP_NOMOVE | SWP_NOZORDER);
    for (int column = 0; column < 6; ++column)
        list->InsertColumn(column, kColumns[column], LVCFMT_LEFT, 70);
    list->InsertColumn(0, "Customized Name", LVCFMT_LEFT, 250);

    int item = 0;
    for (const SampleRow& row : kRows) {
        list->AppendItem((std::string("0:") + row.label).c_str());
        if (row.parent >= 0)
            list->SetItemParent(item, row.parent);
        list->SetItemImage(item, 0, row.picture);
        list->SetItemImage(item, 1, row.shown ? IDB_TICK_RED : IDB_TICK_GREY);
        list->SetItemImage(item, 2, row.shown ? IDB_ISOLATE_YELLOW_FRONT : IDB_ISOLATE_ALL_GREY);
        list->SetItemImage(item, 4, row.frozen ? IDB_PADLOCK_CLOSED : IDB_PADLOCK_OPEN);
        list->SetItemImage(item, 5, row.open ? IDB_FOLDER_OPEN : IDB_FOLDER_CLOSED);
        list->SetItemColor(item, row.color);
        list->SetItemNumber(item, item * 7 % 12);
        ++item;
    }
    list->ExpandAll(0);
    list->CollapseItem(6);
    list->SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);

    Snapshot shot(list->m_hWnd);
    std::vector<uint32_t> pixels = asRgb(shot);
    // The header is a child window: drawn on its own, into the top rows.
    const Snapshot header(list->GetHeaderCtrl());
    const std::vector<uint32_t> headerPixels = asRgb(header);
    for (int y = 0; y < header.Height() && y < shot.Height(); ++y)
        for (int x = 0; x < header.Width() && x < shot.Width(); ++x)
            pixels[static_cast<size_t>(y) * shot.Width() + x] =
                headerPixels[static_cast<size_t>(y) * header.Width() + x];
    const std::string path = VM_BINARY_DIR "/ui/sample_tree.png";
    ASSERT_TRUE(WritePng(path, shot.Width(), shot.Height(), pixels));

    // Every picture was found and drawn without its green background.
    for (int y = 0; y < shot.Height(); ++y)
        EXPECT_TRUE(shot.Find(y, RGB(0, 255, 0)).empty()) << "green in row " << y;
    const RECT first = [&] {
        RECT cell = {};
        list->GetCellRect(0, 0, &cell);
        return cell;
    }();
    std::set<COLORREF> pictureColors;
    for (int y = first.top; y < first.bottom; ++y)
        for (int x = first.left + 11 + 20; x < first.left + 11 + 40; ++x)
            pictureColors.insert(shot.At(x, y));
    EXPECT_GT(pictureColors.size(), 3u);
    EXPECT_EQ(1, list->m_cellTruncated[2][0]);
}

} // namespace
