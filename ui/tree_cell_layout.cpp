#include "ui/tree_cell_layout.h"

#include "ui/cell_list_ctrl.h"

namespace {

// At 96 DPI: every level indents by 18 pixels, an item's own line runs 9
// pixels in, its box reaches 5 either side of the line, and the line to the
// label ends 19 pixels in.
constexpr int kIndent = 18;
constexpr int kLineOffset = 9;
constexpr int kHalfBox = 5;
constexpr int kLinesEnd = 19;

} // namespace

TreeCellLayout LayoutTreeCell(const RECT& text, int level, bool hasChildren, DisplayScale scale) {
    TreeCellLayout layout;
    layout.indent = scale.Pixels(kIndent);
    layout.mid = (text.top + text.bottom) / 2;
    layout.firstGuideX = text.left + scale.Pixels(kLineOffset);
    layout.lineX = layout.firstGuideX + layout.indent * level;
    const int half = scale.Pixels(kHalfBox);
    if (hasChildren)
        layout.box = {layout.lineX - half, layout.mid - half, layout.lineX + half,
                      layout.mid + half};
    layout.linesEnd = text.left + layout.indent * level + scale.Pixels(kLinesEnd);
    // From the item's indentation over the cell's margin and the box, and
    // from above the box to well below it.
    const int areaLeft = text.left - scale.Pixels(kCellMarginLeft) + layout.indent * level;
    layout.boxArea = {areaLeft, layout.mid - scale.Pixels(10), areaLeft + scale.Pixels(28),
                      layout.mid + scale.Pixels(18)};
    return layout;
}
