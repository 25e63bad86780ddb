// The one depth-first walk over the items of a tree (rows, occurrences): an
// item before the items beneath it, the children in the order given. It
// keeps its own stack instead of recursing, as a chain of groups may nest
// thousands of levels deep, more than a user-interface thread's stack holds
// frames for.
#pragma once

#include <vector>

// Visits root and, while visit answers true for an item, the items beneath
// it. childrenOf(item) gives an item's children in order; it is asked once
// per item whose children are visited, right after the item's own visit.
template <class Item, class Visit, class ChildrenOf>
void WalkDepthFirst(Item root, Visit visit, ChildrenOf childrenOf) {
    std::vector<Item> pending = {root};
    while (!pending.empty()) {
        const Item item = pending.back();
        pending.pop_back();
        if (!visit(item))
            continue;
        const auto& children = childrenOf(item);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}
