// The pictures inside the plug-in library: each loads from the library with its size and 4 bits
// per pixel, is see-through (pure green) where the list leaves the row's background, keeps to the
// part of it that a list cell shows, and looks like the state it stands for.
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <ios>
#include <string>
#include <vector>

namespace {

// A list cell draws the 20 x 19 pixels at the top left of a cell picture.
constexpr int kShownWidth = 20;
constexpr int kShownHeight = 19;
constexpr COLORREF kSeeThrough = RGB(0, 255, 0);

std::string besideThisTest(const std::string& name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string() + "\\" + name;
}

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
    Pixels pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> quads(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, quads.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(info.bmHeight, rows) << "cannot read the bitmap's pixels";
    for (const RGBQUAD& quad : quads)
        pixels.colours.push_back(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
    return pixels;
}

// Pale or deep, a yellow is red and green with clearly less blue.
bool isYellow(COLORREF c) {
    return GetRValue(c) >= 200 && GetGValue(c) >= 150 && GetBValue(c) + 80 <= GetGValue(c);
}
bool isGrey(COLORREF c) {
    return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) >= 48 &&
           GetRValue(c) <= 240;
}

// How many pixels of the shown part satisfy a test.
template <typename Test> int countShown(const Pixels& pixels, Test test) {
    int count = 0;
    for (int y = 0; y < kShownHeight; ++y)
        for (int x = 0; x < kShownWidth; ++x)
            count += test(pixels.at(x, y)) ? 1 : 0;
    return count;
}

class PluginPictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(besideThisTest("kzqvl_view.dll").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(nullptr, module_) << "cannot load kzqvl_view.dll"; }

    // The header of a bitmap resource as the library stores it.
    static BITMAPINFOHEADER storedHeader(int id) {
        BITMAPINFOHEADER header{};
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), RT_BITMAP);
        if (found && SizeofResource(module_, found) >= sizeof header)
            header =
                *static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, found)));
        return header;
    }

    // The bitmap as the list control loads it.
    static Pixels loadedPixels(int id) {
        HBITMAP bitmap = LoadBitmapA(module_, MAKEINTRESOURCEA(id));
        if (!bitmap) {
            ADD_FAILURE() << "bitmap " << id << " does not load";
            return Pixels{};
        }
        Pixels pixels = readPixels(bitmap);
        DeleteObject(bitmap);
        return pixels;
    }

    static HMODULE module_;
};

HMODULE PluginPictures::module_ = nullptr;

struct CellPicture {
    int id;
    int width;
    int height;
};

const CellPicture kCellPictures[] = {
    {IDB_BLOCK_SOLID, 32, 30},          {IDB_BLOCKS_SOLID, 29, 19},     {IDB_BLOCK_DOTTED, 32, 28},
    {IDB_BLOCKS_DOTTED, 29, 19},        {IDB_TICK_RED, 22, 20},         {IDB_TICK_GREY, 22, 21},
    {IDB_ISOLATE_YELLOW_FRONT, 23, 22}, {IDB_ISOLATE_ALL_GREY, 23, 22}, {IDB_PADLOCK_OPEN, 28, 24},
    {IDB_PADLOCK_CLOSED, 25, 24},       {IDB_FOLDER_CLOSED, 32, 24},    {IDB_FOLDER_OPEN, 25, 21},
};

TEST_F(PluginPictures, CellPicturesHaveTheirSizesAndFourBitsPerPixel) {
    for (const CellPicture& picture : kCellPictures) {
        SCOPED_TRACE(picture.id);
        BITMAPINFOHEADER stored = storedHeader(picture.id);
        EXPECT_EQ(4, stored.biBitCount);
        EXPECT_EQ(picture.width, stored.biWidth);
        EXPECT_EQ(picture.height, stored.biHeight);
        Pixels loaded = loadedPixels(picture.id);
        EXPECT_EQ(picture.width, loaded.width);
        EXPECT_EQ(picture.height, loaded.height);
    }
}

TEST_F(PluginPictures, CellPicturesDrawOnGreenInsideTheShownCorner) {
    for (const CellPicture& picture : kCellPictures) {
        SCOPED_TRACE(picture.id);
        Pixels pixels = loadedPixels(picture.id);
        ASSERT_GE(pixels.width, kShownWidth);
        ASSERT_GE(pixels.height, kShownHeight);
        EXPECT_EQ(kSeeThrough, pixels.at(0, 0)) << "the corner must let the row show through";
        int drawn = countShown(pixels, [](COLORREF c) { return c != kSeeThrough; });
        EXPECT_GT(drawn, 30) << "too little is drawn to be seen";
        EXPECT_LT(drawn, kShownWidth * kShownHeight - 30) << "no see-through background";
        int drawnOutside = 0;
        for (int y = 0; y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                bool outside = x >= kShownWidth || y >= kShownHeight;
                drawnOutside += outside && pixels.at(x, y) != kSeeThrough ? 1 : 0;
            }
        }
        EXPECT_EQ(0, drawnOutside) << "drawn where a cell does not show it";
    }
}

TEST_F(PluginPictures, EachStateLooksDifferentFromItsCounterpart) {
    const int pairs[][2] = {
        {IDB_BLOCK_SOLID, IDB_BLOCK_DOTTED},
        {IDB_BLOCKS_SOLID, IDB_BLOCKS_DOTTED},
        {IDB_BLOCK_SOLID, IDB_BLOCKS_SOLID},
        {IDB_TICK_RED, IDB_TICK_GREY},
        {IDB_ISOLATE_YELLOW_FRONT, IDB_ISOLATE_ALL_GREY},
        {IDB_PADLOCK_OPEN, IDB_PADLOCK_CLOSED},
        {IDB_FOLDER_CLOSED, IDB_FOLDER_OPEN},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(std::to_string(pair[0]) + " and " + std::to_string(pair[1]));
        Pixels first = loadedPixels(pair[0]);
        Pixels second = loadedPixels(pair[1]);
        int differing = 0;
        for (int y = 0; y < kShownHeight; ++y)
            for (int x = 0; x < kShownWidth; ++x)
                differing += first.at(x, y) != second.at(x, y) ? 1 : 0;
        EXPECT_GE(differing, 20) << "too alike to tell apart in a list";
    }
}

TEST_F(PluginPictures, WarningIsAYellowTriangleOnADialogGrey) {
    BITMAPINFOHEADER stored = storedHeader(IDB_WARNING);
    EXPECT_EQ(4, stored.biBitCount);
    Pixels pixels = loadedPixels(IDB_WARNING);
    ASSERT_EQ(32, pixels.width);
    ASSERT_EQ(32, pixels.height);
    // A static control draws the bitmap as it is, see-through colour included: the triangle
    // stands on the light grey of a dialog.
    for (COLORREF corner : {pixels.at(0, 0), pixels.at(31, 0), pixels.at(0, 31)}) {
        EXPECT_TRUE(isGrey(corner) && GetRValue(corner) >= 224) << std::hex << corner;
    }
    EXPECT_TRUE(isYellow(pixels.at(16, 27))) << "the triangle is yellow near its base";
    EXPECT_FALSE(isYellow(pixels.at(16, 1))) << "the triangle narrows to its top";
}

// An icon resource group as the library stores it: a header, then one entry per image.
#pragma pack(push, 2)
struct StoredIconGroup {
    WORD reserved;
    WORD type;
    WORD count;
};
struct StoredIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(PluginPictures, IconHasFourBitImagesOfBothSystemSizes) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(IDI_VIEW_MANAGER), RT_GROUP_ICON);
    ASSERT_NE(nullptr, found);
    const auto* group =
        static_cast<const StoredIconGroup*>(LockResource(LoadResource(module_, found)));
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(sizeof *group + group->count * sizeof(StoredIconEntry),
              SizeofResource(module_, found));
    const auto* entries = reinterpret_cast<const StoredIconEntry*>(group + 1);
    std::vector<int> sides;
    for (int i = 0; i < group->count; ++i) {
        EXPECT_EQ(4, entries[i].bitCount);
        sides.push_back(entries[i].width);
    }
    EXPECT_EQ((std::vector<int>{32, 16}), sides);

    for (int side : {32, 16}) {
        SCOPED_TRACE(side);
        HICON icon = static_cast<HICON>(
            LoadImageA(module_, MAKEINTRESOURCEA(IDI_VIEW_MANAGER), IMAGE_ICON, side, side, 0));
        ASSERT_NE(nullptr, icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        Pixels mask = readPixels(info.hbmMask);
        Pixels colour = readPixels(info.hbmColor);
        EXPECT_EQ(side, colour.width);
        EXPECT_EQ(RGB(255, 255, 255), mask.at(0, 0)) << "the corner is see-through";
        int yellow = 0;
        for (COLORREF c : colour.colours)
            yellow += isYellow(c) ? 1 : 0;
        EXPECT_GT(yellow, side * side / 8);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

} // namespace
