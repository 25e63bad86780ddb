// How the development host reads the View Manager from inside its process:
// two registered window messages that the dialog answers. They are not part
// of what the CAD host uses; the plug-in's entry points stay its only way in.
#pragma once

#include <windows.h>

#include <cstdint>

// wParam 0, lParam a ShownRowsRequest*: the dialog fills up to capacity
// rows in display order, sets count to the number of shown rows and
// returns 1.
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

struct ShownRowsRequest {
    ShownRowState* rows;
    int capacity;
    int count;
};
