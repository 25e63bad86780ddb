// Where the parts of a tree list's column 0 go in one row: the guide lines,
// the item's own line and box, and the label after them. Painting,
// hit-testing, the tooltip and the probe all read this one layout.
#pragma once

#include "ui/display_scale.h"

#include <windows.h>

struct TreeCellLayout {
    // The row's middle, and x of the item's own line through its box.
    int mid = 0;
    int lineX = 0;
    // x of the guide line of the ancestor at each level: level * indent
    // further right than the first.
    int firstGuideX = 0;
    int indent = 0;
    // The box, empty for an item without children to show.
    RECT box = {};
    // Where the line to the label ends; the label's picture starts right
    // after it.
    int linesEnd = 0;
    // Where a press opens or closes the box.
    RECT boxArea = {};
};

// The layout of column 0 in text, the cell's rectangle less its margins,
// for an item at level with children or without, at scale.
TreeCellLayout LayoutTreeCell(const RECT& text, int level, bool hasChildren, DisplayScale scale);
