#include "tools/devhost/snapshot.h"

#include "tools/devhost/message_loop.h"
#include "tools/png/png_writer.h"

#include <cstdint>
#include <vector>

namespace devhost {
namespace {

// Longer than any painting of the View Manager takes, even under a loaded Wine.
constexpr DWORD kPaintingWaitMs = 5000;

BOOL CALLBACK noteUpdateRegion(HWND child, LPARAM found) {
    if (!GetUpdateRect(child, nullptr, FALSE))
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool hasUpdateRegion(HWND window) {
    bool found = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found)
        EnumChildWindows(window, noteUpdateRegion, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Paints what is left to paint, window and children, through the thread's own messages as the
// host's loop would; false when some window still has an update region after the wait.
bool finishPainting(HWND window) {
    const DWORD start = GetTickCount();
    while (hasUpdateRegion(window)) {
        if (GetTickCount() - start > kPaintingWaitMs)
            return false;
        PumpPendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

} // namespace

bool WriteWindowSnapshot(HWND window, const std::string& path) {
    RECT frame = {};
    if (!window || !GetWindowRect(window, &frame))
        return false;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return false;

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture) {
        DeleteDC(memory);
        return false;
    }
    HGDIOBJ old = SelectObject(memory, picture);
    // Drawn now and copied from the screen: only the screen holds the frame
    // and the children as they appear.
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool painted = finishPainting(window);
    HDC screen = GetDC(nullptr);
    const bool drawn = painted && BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top,
                                         SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    // A 32-bit section keeps each pixel as 0x00RRGGBB.
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> rgb(pixels, pixels + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : rgb)
        pixel &= 0x00FFFFFFu;
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    return drawn && WritePng(path, width, height, rgb);
}

} // namespace devhost
