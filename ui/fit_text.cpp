#include "ui/fit_text.h"

#include <algorithm>
#include <cstring>

FittedText FitText(HDC dc, const char* text, int width, bool mayCut) {
    FittedText fitted = {};
    const int length = static_cast<int>(strnlen(text, kCellTextSize - 1));
    memcpy(fitted.text, text, static_cast<size_t>(length));
    SIZE extent = {};
    if (length == 0 || (GetTextExtentPoint32A(dc, text, length, &extent) && extent.cx <= width))
        return fitted;

    fitted.shortened = true;
    if (!mayCut) {
        memcpy(fitted.text, "...", 4);
        return fitted;
    }
    SIZE dots = {};
    GetTextExtentPoint32A(dc, "...", 3, &dots);
    // The longest beginning whose width, with the dots', fits.
    int fits = 0;
    GetTextExtentExPointA(dc, text, length, std::max(0, width - static_cast<int>(dots.cx)), &fits,
                          nullptr, &extent);
    const int kept = std::max(1, std::min(fits, length - 1));
    memcpy(fitted.text + kept, "...", 4);
    return fitted;
}
