// A cell picture: a band of equal images in a bitmap, drawn with pure green
// as the transparent colour.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

constexpr COLORREF kTransparentColor = RGB(0, 255, 0);

// A bitmap that the cells showing it share; deleted with its last holder.
using SharedBitmap = std::shared_ptr<std::remove_pointer_t<HBITMAP>>;
// Takes over bitmap; null stays null.
SharedBitmap ShareBitmap(HBITMAP bitmap);

class CellImage {
  public:
    // Holds picture with the cell. Without a bitmap, or with sizes that
    // select no image, the record is not loaded: it has no bitmap and no
    // image sizes.
    CellImage(SharedBitmap picture, int width, int height, int row);
    CellImage(const CellImage&) = delete;
    CellImage& operator=(const CellImage&) = delete;

    HBITMAP bitmap = nullptr;
    bool loaded = false;
    int imageWidth = 0;
    int imageHeight = 0;
    int imageRow = 0;
    // The bitmap resource the picture came from; 0 for a bitmap made by the
    // caller.
    int bitmapId = 0;
    // A resource picture's image size at 96 DPI, from which each scale's is taken.
    SIZE baseSize = {};
    // The whole bitmap, which bounds the images that can be drawn.
    int bitmapWidth = 0;
    int bitmapHeight = 0;

  private:
    SharedBitmap m_picture;
};

// Draws image number index of the band at (x, y): pixels of the transparent
// colour leave the destination as it was. An image that does not lie inside
// the bitmap is not drawn.
void DrawImageTransparent(const CellImage& image, int index, HDC dc, int x, int y);
