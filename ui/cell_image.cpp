#include "ui/cell_image.h"

SharedBitmap ShareBitmap(HBITMAP bitmap) {
    if (!bitmap)
        return nullptr;
    return SharedBitmap(bitmap, [](HBITMAP shared) { DeleteObject(shared); });
}

CellImage::CellImage(SharedBitmap picture, int width, int height, int row) {
    BITMAP info = {};
    if (!picture || !GetObjectA(picture.get(), sizeof info, &info) || width <= 0 || height <= 0 ||
        row < 0)
        return;
    m_picture = std::move(picture);
    bitmap = m_picture.get();
    loaded = true;
    imageWidth = width;
    imageHeight = height;
    imageRow = row;
    bitmapWidth = info.bmWidth;
    bitmapHeight = info.bmHeight;
}

void DrawImageTransparent(const CellImage& image, int index, HDC dc, int x, int y) {
    const int width = image.imageWidth;
    const int height = image.imageHeight;
    if (!image.loaded || index < 0 || index >= image.bitmapWidth / width ||
        image.imageRow >= image.bitmapHeight / height)
        return;
    const int sourceX = width * index;
    const int sourceY = height * image.imageRow;

    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldSource = SelectObject(source, image.bitmap);
    HDC work = CreateCompatibleDC(dc);
    HBITMAP workBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldWork = SelectObject(work, workBitmap);
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(mask, maskBitmap);

    BitBlt(work, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    // Colour to monochrome: pixels of the source's background colour turn 1.
    SetBkColor(work, kTransparentColor);
    BitBlt(mask, 0, 0, width, height, work, 0, 0, SRCCOPY);
    // Monochrome to colour: 1 turns the background colour (black), 0 the
    // text colour (white); so the transparent pixels of the picture go black.
    SetBkColor(work, RGB(0, 0, 0));
    SetTextColor(work, RGB(255, 255, 255));
    BitBlt(work, 0, 0, width, height, mask, 0, 0, SRCAND);

    // The picture's area turns black in the destination, then takes the
    // picture's colours; elsewhere both steps leave it as it was.
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, width, height, mask, 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, work, 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);

    SelectObject(mask, oldMask);
    DeleteObject(maskBitmap);
    DeleteDC(mask);
    SelectObject(work, oldWork);
    DeleteObject(workBitmap);
    DeleteDC(work);
    SelectObject(source, oldSource);
    DeleteDC(source);
}
