// The resources inside the built plug-in library. The pictures: each loads with 4
// bits per pixel, is see-through (pure green) where the list leaves the row's background, keeps to
// the part of it that a list cell shows, and looks like the state it stands for. The View
// Manager's dialog template and the strings it loads, as the library holds them.
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <ios>
#include <string>
#include <vector>

namespace {

// A list cell draws the 20 x 19 pixels at the top left of a cell picture.
constexpr int kShownWidth = 20;
constexpr int kShownHeight = 19;
constexpr COLORREF kSeeThrough = RGB(0, 255, 0);

// The plug-in library beside this test, loaded for its resources only.
HMODULE library() {
    static HMODULE module = [] {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        const std::string name =
            std::filesystem::path(path).parent_path().string() + "\\kzqvl_view.dll";
        return LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

// A resource as the library stores it, read field by field.
class ResourceReader {
  public:
    ResourceReader(int id, LPCSTR type) {
        HRSRC found = FindResourceA(library(), MAKEINTRESOURCEA(id), type);
        m_start = m_at =
            found ? static_cast<const BYTE*>(LockResource(LoadResource(library(), found)))
                  : nullptr;
    }
    bool Found() const { return m_start != nullptr; }
    template <typename T> T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    // A text or an ordinal; the ordinals of the predefined classes read as their names.
    std::string Text() {
        const WORD first = Take<WORD>();
        if (first == 0xFFFF) {
            const WORD ordinal = Take<WORD>();
            const char* const names[] = {"Button", "Edit", "Static"};
            return ordinal >= 0x80 && ordinal <= 0x82 ? names[ordinal - 0x80]
                                                      : "#" + std::to_string(ordinal);
        }
        std::string text;
        for (WORD c = first; c != 0; c = Take<WORD>())
            text += static_cast<char>(c);
        return text;
    }
    // Each control of a dialog template starts on a 4-byte boundary.
    void Align() { m_at = m_start + ((m_at - m_start + 3) & ~3); }

  private:
    const BYTE* m_start;
    const BYTE* m_at;
};

// The colours of a bitmap, read back through a 32-bit top-down copy.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;

    COLORREF at(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};

Pixels readPixels(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    Pixels pixels{info.bmWidth, info.bmHeight, {}};
    BITMAPINFO request{};
    request.bmiHeader = {
        sizeof request.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> quads(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(info.bmHeight,
              GetDIBits(screen, bitmap, 0, info.bmHeight, quads.data(), &request, DIB_RGB_COLORS));
    ReleaseDC(nullptr, screen);
    for (const RGBQUAD& quad : quads)
        pixels.colours.push_back(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
    return pixels;
}

// A bitmap as the list control loads it, after a check that it is stored with 4 bits per pixel.
Pixels loadedPixels(int id) {
    ResourceReader stored(id, RT_BITMAP);
    HBITMAP bitmap = LoadBitmapA(library(), MAKEINTRESOURCEA(id));
    if (!stored.Found() || !bitmap) {
        ADD_FAILURE() << "bitmap " << id << " does not load";
        return Pixels{};
    }
    EXPECT_EQ(4, stored.Take<BITMAPINFOHEADER>().biBitCount) << id;
    Pixels pixels = readPixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

// Pale or deep, a yellow is red and green with clearly less blue.
bool isYellow(COLORREF c) {
    return GetRValue(c) >= 200 && GetGValue(c) >= 150 && GetBValue(c) + 80 <= GetGValue(c);
}

const int kCellPictures[] = {
    IDB_BLOCK_SOLID,  IDB_BLOCKS_SOLID,   IDB_BLOCK_DOTTED,         IDB_BLOCKS_DOTTED,
    IDB_TICK_RED,     IDB_TICK_GREY,      IDB_ISOLATE_YELLOW_FRONT, IDB_ISOLATE_ALL_GREY,
    IDB_PADLOCK_OPEN, IDB_PADLOCK_CLOSED, IDB_FOLDER_CLOSED,        IDB_FOLDER_OPEN,
};

// The sets of cell pictures: at 100 % and as drawn for 150 % and 200 %, each its pictures' ids
// plus an offset, with the corner a cell shows and the bitmaps' sizes at that scale.
struct PictureSet {
    int offset;
    int percent;
    int shownWidth;
    int shownHeight;
};
const PictureSet kPictureSets[] = {
    {0, 100, kShownWidth, kShownHeight},
    {IDB_SCALED_150, 150, 30, 28},
    {IDB_SCALED_200, 200, 40, 37},
};

// Each drawn on green inside the corner a cell shows (the rest of it, at
// whatever size, green), and looking different there from every other
// picture (its counterpart state in particular). A larger set's bitmap is its 100 % picture's at
// that scale, and nothing of it is drawn in the row the rows below overlap, as at 100 %.
TEST(PluginResources, CellPicturesDrawOnGreenInsideTheShownCorner) {
    for (const PictureSet& set : kPictureSets) {
        SCOPED_TRACE(set.percent);
        std::vector<Pixels> seen;
        for (int id : kCellPictures) {
            SCOPED_TRACE(id);
            Pixels pixels = loadedPixels(id + set.offset);
            ASSERT_TRUE(pixels.width >= set.shownWidth && pixels.height >= set.shownHeight);
            if (set.offset) {
                const Pixels base = loadedPixels(id);
                EXPECT_EQ(base.width * set.percent / 100, pixels.width);
                EXPECT_EQ(base.height * set.percent / 100, pixels.height);
            }
            EXPECT_EQ(kSeeThrough, pixels.at(0, 0)) << "the corner must let the row show through";
            int drawn = 0;
            int drawnOutside = 0;
            int drawnLastRow = 0;
            for (int y = 0; y < pixels.height; ++y) {
                for (int x = 0; x < pixels.width; ++x) {
                    const bool isDrawn = pixels.at(x, y) != kSeeThrough;
                    const bool outside = x >= set.shownWidth || y >= set.shownHeight;
                    (outside ? drawnOutside : drawn) += isDrawn ? 1 : 0;
                    drawnLastRow += isDrawn && !outside && y == set.shownHeight - 1 ? 1 : 0;
                }
            }
            const int area = set.shownWidth * set.shownHeight;
            EXPECT_GT(drawn, 30) << "too little is drawn to be seen";
            EXPECT_LT(drawn, area - 30) << "no see-through background";
            EXPECT_EQ(0, drawnOutside) << "drawn where a cell does not show it";
            EXPECT_EQ(0, drawnLastRow) << "drawn where the next row starts";
            for (size_t other = 0; other < seen.size(); ++other) {
                int differing = 0;
                for (int y = 0; y < set.shownHeight; ++y)
                    for (int x = 0; x < set.shownWidth; ++x)
                        differing += seen[other].at(x, y) != pixels.at(x, y) ? 1 : 0;
                EXPECT_GE(differing, 20) << "too alike: " << kCellPictures[other];
            }
            seen.push_back(pixels);
        }
    }
}

// The close question's warning, yellow at its base and narrowing to its top, on a dialog's grey
// (a static control draws it as it is); the icon at both system sizes.
TEST(PluginResources, TheWarningAndTheIconAreYellow) {
    const Pixels pixels = loadedPixels(IDB_WARNING);
    ASSERT_EQ(std::make_pair(32, 32), std::make_pair(pixels.width, pixels.height));
    const COLORREF corner = pixels.at(0, 0);
    EXPECT_TRUE(GetRValue(corner) == GetGValue(corner) && GetGValue(corner) == GetBValue(corner) &&
                GetRValue(corner) >= 224 && GetRValue(corner) <= 240)
        << std::hex << corner;
    EXPECT_TRUE(isYellow(pixels.at(16, 27)));
    EXPECT_FALSE(isYellow(pixels.at(16, 1)));

    for (int side : {32, 16}) {
        ICONINFO info{};
        HICON icon = static_cast<HICON>(
            LoadImageA(library(), MAKEINTRESOURCEA(IDI_VIEW_MANAGER), IMAGE_ICON, side, side, 0));
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << side;
        const Pixels colour = readPixels(info.hbmColor);
        EXPECT_EQ(RGB(255, 255, 255), readPixels(info.hbmMask).at(0, 0)) << "see-through corner";
        EXPECT_GT(std::count_if(colour.colours.begin(), colour.colours.end(), isYellow),
                  side * side / 8)
            << side;
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

struct TemplateControl {
    int id;
    const char* windowClass;
    const char* text;
    short rect[4]; // x, y, width, height in dialog units
    bool visible;
};

// In tab order. The code, the resize shares and the development host find them by these ids.
const TemplateControl kViewManagerControls[] = {
    {IDCANCEL, "Button", "&Close", {213, 180, 37, 13}, true},
    {IDC_TREE_LIST, "SysListView32", "List1", {7, 5, 243, 155}, true},
    {IDC_SWITCH, "Button", "&Switch", {125, 180, 86, 13}, true},
    {IDC_BROWSE, "Button", "&Browse...", {215, 128, 35, 13}, false},
    {IDC_XML_FILE_NAME, "Edit", "", {59, 128, 137, 14}, false},
    {IDC_XML_FILE_LABEL, "Static", "XML File Name", {8, 129, 51, 14}, false},
    {IDC_REFRESH, "Button", "&Refresh", {90, 180, 33, 13}, true},
    {IDC_EDIT_XML_FILE, "Button", "Edit", {200, 127, 50, 15}, false},
    {IDC_HIGHLIGHT, "Button", "Highlight/UnHighlight", {8, 164, 77, 12}, true},
    {IDC_BOTTOM_LINE, "Static", "", {7, 177, 243, 1}, true},
    {IDC_LIST_LINE, "Static", "", {7, 162, 243, 1}, true},
    {IDC_FILTER, "Edit", "", {100, 164, 86, 12}, true},
    {IDC_FILTER_COUNT, "Static", "", {190, 166, 60, 10}, true},
};

TEST(PluginResources, TheViewManagerTemplateHoldsItsControlsWhereTheCodeLooksForThem) {
    ResourceReader dialog(IDD_VIEW_MANAGER, RT_DIALOG);
    ASSERT_TRUE(dialog.Found());
    ASSERT_EQ(0xFFFF0001u, dialog.Take<DWORD>()); // the extended form, version 1
    dialog.Take<std::array<DWORD, 2>>();          // help id, extended style
    // Resizable, with its own font.
    EXPECT_EQ(0u, ~dialog.Take<DWORD>() & (WS_THICKFRAME | DS_SETFONT));
    const WORD count = dialog.Take<WORD>();
    dialog.Take<std::array<short, 2>>(); // x, y
    const auto size = dialog.Take<std::array<short, 2>>();
    EXPECT_EQ(255, size[0]);
    EXPECT_EQ(197, size[1]);
    for (const char* text : {"", "", "View Manager"}) // menu, class, caption
        EXPECT_EQ(text, dialog.Text());
    EXPECT_EQ(9, dialog.Take<WORD>());  // points
    dialog.Take<std::array<BYTE, 4>>(); // weight, italic, character set
    EXPECT_EQ("Arial", dialog.Text());

    ASSERT_EQ(std::size(kViewManagerControls), count);
    for (const TemplateControl& expected : kViewManagerControls) {
        SCOPED_TRACE(expected.id);
        dialog.Align();
        dialog.Take<std::array<DWORD, 2>>(); // help id, extended style
        const DWORD style = dialog.Take<DWORD>();
        for (short side : expected.rect)
            EXPECT_EQ(side, dialog.Take<short>());
        EXPECT_EQ(static_cast<DWORD>(expected.id), dialog.Take<DWORD>());
        EXPECT_STRCASEEQ(expected.windowClass, dialog.Text().c_str());
        EXPECT_EQ(expected.text, dialog.Text());
        EXPECT_EQ(0, dialog.Take<WORD>()); // no creation data
        EXPECT_EQ(expected.visible, (style & WS_VISIBLE) != 0);
        // Close is the default button; the highlight box checks itself.
        if (expected.id == IDCANCEL || expected.id == IDC_HIGHLIGHT) {
            EXPECT_EQ(expected.id == IDCANCEL ? BS_DEFPUSHBUTTON : BS_AUTOCHECKBOX,
                      static_cast<int>(style & BS_TYPEMASK));
        }
    }
    // The strings the hidden Browse button loads for its file dialog.
    const std::pair<int, std::string> strings[] = {
        {IDS_XML_EXTENSION, "xml"},
        {IDS_OPEN_XML_TITLE, "Open XML File"},
        {IDS_XML_FILTER, "XML Files (*.xml)|*.XML|All Documents (*.*)|*.*||"},
    };
    for (const auto& [id, text] : strings) {
        char loaded[256] = "";
        EXPECT_EQ(static_cast<int>(text.size()), LoadStringA(library(), id, loaded, sizeof loaded));
        EXPECT_EQ(text, loaded);
    }
}

} // namespace
