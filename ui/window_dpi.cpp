#include "ui/window_dpi.h"

#include <cstring>

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Older systems and Wine may lack it: looked up once, not linked.
GetDpiForWindowFunction dpiForWindow() {
    static const auto function = [] {
        HMODULE user = GetModuleHandleA("user32.dll");
        FARPROC address = user ? GetProcAddress(user, "GetDpiForWindow") : nullptr;
        GetDpiForWindowFunction found = nullptr;
        static_assert(sizeof found == sizeof address, "function pointers of one size");
        memcpy(&found, &address, sizeof found);
        return found;
    }();
    return function;
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

DisplayScale WindowScale(HWND window) {
    if (GetDpiForWindowFunction function = dpiForWindow()) {
        if (const UINT dpi = function(window))
            return DisplayScale(static_cast<int>(dpi));
    }
    return DisplayScale(screenDpi());
}
