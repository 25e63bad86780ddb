#include "model/tree_keys.h"

#include <algorithm>

namespace {

TreeKeyStep focus(const ShownTree& tree, int position) {
    const int last = tree.ShownCount() - 1;
    return {TreeKeyStep::kFocus, std::max(0, std::min(position, last))};
}

// The position of the nearest row above with a smaller level; -1 for a top
// row.
int parentPosition(const ShownTree& tree, int position) {
    const int level = tree.ShownLevel(position);
    for (int above = position - 1; above >= 0; --above) {
        if (tree.ShownLevel(above) < level)
            return above;
    }
    return -1;
}

} // namespace

TreeKeyStep StepForKey(TreeKey key, const ShownTree& tree, int focused, int top, int pageRows) {
    const int count = tree.ShownCount();
    if (count <= 0)
        return {};
    if (focused < 0 || focused >= count)
        return focus(tree, key == TreeKey::kEnd ? count - 1 : 0);
    const int page = std::max(1, pageRows);
    const bool opens = tree.ShownHasChildren(focused);
    const bool open = opens && tree.ShownExpanded(focused);
    switch (key) {
    case TreeKey::kUp:
        return focus(tree, focused - 1);
    case TreeKey::kDown:
        return focus(tree, focused + 1);
    case TreeKey::kHome:
        return focus(tree, 0);
    case TreeKey::kEnd:
        return focus(tree, count - 1);
    case TreeKey::kPageUp:
        // To the top of the page first, then a page further each time.
        return focus(tree, focused > top ? top : focused - (page - 1));
    case TreeKey::kPageDown: {
        const int bottom = top + page - 1;
        return focus(tree, focused < bottom ? bottom : focused + (page - 1));
    }
    case TreeKey::kLeft:
        if (open)
            return {TreeKeyStep::kCollapse, focused};
        if (parentPosition(tree, focused) >= 0)
            return focus(tree, parentPosition(tree, focused));
        return {};
    case TreeKey::kRight:
        if (open)
            return focus(tree, focused + 1);
        return opens ? TreeKeyStep{TreeKeyStep::kExpand, focused} : TreeKeyStep{};
    case TreeKey::kExpand:
        return opens && !open ? TreeKeyStep{TreeKeyStep::kExpand, focused} : TreeKeyStep{};
    case TreeKey::kCollapse:
        return open ? TreeKeyStep{TreeKeyStep::kCollapse, focused} : TreeKeyStep{};
    case TreeKey::kExpandAll:
        return opens ? TreeKeyStep{TreeKeyStep::kExpandAll, focused} : TreeKeyStep{};
    }
    return {};
}
