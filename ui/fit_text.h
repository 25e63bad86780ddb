// Shortening a cell's text with "..." to the width it has.
#pragma once

#include <windows.h>

// Room for a cell's text: at most 259 characters are drawn.
constexpr int kCellTextSize = 260;

struct FittedText {
    char text[kCellTextSize + 3]; // the kept characters, "..." and the zero
    bool shortened;
};

// The text as it fits in width pixels in the device context's font: whole
// when it fits, else its longest beginning (at least one character) that
// fits with "..." appended. A text that must not be cut (a number, whose
// beginning reads as another number) is then "..." alone.
FittedText FitText(HDC dc, const char* text, int width, bool mayCut = true);
