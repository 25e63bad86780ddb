// How the development host reads the View Manager from inside its process:
// two registered window messages that the dialog answers. They are not part
// of what the CAD host uses; the plug-in's entry points stay its only way in.
//
// Any thread or process of the desktop can send a registered message, so
// the dialog answers only sends from its own thread, and neither message
// makes it read or write through a pointer it was given: the rows are
// handed out from memory the dialog owns.
#pragma once

#include <windows.h>

#include <cstdint>

// wParam and lParam 0: the dialog describes its shown rows in display order
// and returns a const ShownRows*, valid until the next probe or the end of
// the window.
constexpr char kShownRowsMessageName[] = "ViewManager.ShownRows";
// wParam a shown row, lParam a column (0 to 6) or kExpandBoxColumn: scrolls
// the row into view and returns the middle of the cell (or of the row's
// box) in the list's client coordinates as MAKELONG(x, y); -1 when the row
// has no such cell.
constexpr char kCellPointMessageName[] = "ViewManager.CellPoint";
constexpr int kExpandBoxColumn = -1;

// The messages' numbers in this session of Windows.
inline UINT ShownRowsMessage() {
    static const UINT message = RegisterWindowMessageA(kShownRowsMessageName);
    return message;
}

inline UINT CellPointMessage() {
    static const UINT message = RegisterWindowMessageA(kCellPointMessageName);
    return message;
}

constexpr int kShownColumns = 7;
constexpr int kShownLabelSize = 264;

struct ShownRowState {
    int item;
    char label[kShownLabelSize];
    int level;
    int hasChildren;
    int expanded;
    int images[kShownColumns]; // bitmap resource ids, 0 for none
    uint32_t color;            // 0x00BBGGRR
    int count;
};

struct ShownRows {
    const ShownRowState* rows;
    int count;
};
