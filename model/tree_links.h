// The tree bookkeeping of a tree list: parent links, the expanded items, the
// filter and the one child enumeration, and from them the items that show,
// in order. Shared by the Windows list control and the portable list, so
// both answer every tree query alike.
//
// A filter leaves some items; the others do not show, whatever is
// expanded. The structure (parents, children, the enumeration) stays whole,
// as the commands reach every item beneath a row. While a filter is on, the
// items it leaves are expanded, and the expansion the designer gave the
// tree waits to come back when it is cleared.
#pragma once

#include "model/tree_walk.h"

#include <cstddef>
#include <map>
#include <set>
#include <vector>

class TreeLinks {
  public:
    // A new item, top-level until it is given a parent; returns its index.
    int AppendItem();
    int ItemCount() const { return itemCount_; }
    void Reset();

    // Whether item may hang under parent: an existing item, and not a link
    // that would make it its own ancestor (the tree could never be drawn or
    // expanded to its end).
    bool CanLink(int item, int parent) const;
    // Links item under parent (negative: top-level) and forgets that item
    // was expanded; a link CanLink refuses changes nothing.
    void SetParent(int item, int parent);
    // -1 for a top-level item or an index no item has.
    int ParentOf(int item) const;

    bool HasChildItems(int item) const;
    // The ancestors from the top-level one down to the direct parent.
    std::vector<int> GetAncestorItems(int item) const;
    int GetItemLevel(int item) const;

    // The children of parent (-1: the top-level items) in item order,
    // without disturbing the enumeration.
    const std::vector<int>& Children(int parent) const;
    // Visits item and, while visit answers true for an item, the items
    // beneath it: depth first, an item before its children, children in
    // item order.
    template <class Visit> void WalkBelow(int item, Visit visit) const {
        WalkDepthFirst(item, visit,
                       [this](int next) -> const std::vector<int>& { return Children(next); });
    }

    int GetFirstChildItem(int parent);
    int GetNextChildItem();

    bool IsExpanded(int item) const { return expanded_.count(item) != 0; }
    void MarkExpanded(int item) { expanded_.insert(item); }
    void ForgetExpanded(int item) { expanded_.erase(item); }
    // Whether item is expanded in the designer's shape, which a filter
    // leaves aside while it is on.
    bool IsExpandedUnfiltered(int item) const {
        return (IsFiltered() ? shapeExpanded_ : expanded_).count(item) != 0;
    }

    // Shows only the items left marks (by item; an item past its end is not
    // left), each expanded; an empty left clears the filter and gives back
    // the expansion from before it.
    void Filter(std::vector<bool> left);
    bool IsFiltered() const { return !left_.empty(); }
    bool IsLeft(int item) const {
        return !IsFiltered() || (item >= 0 && static_cast<size_t>(item) < left_.size() &&
                                 left_[static_cast<size_t>(item)]);
    }
    // The tree as it shows: the children the filter leaves. An item is the
    // last shown child when no later item with the same parent is left
    // (later top-level items count as siblings of a top-level item).
    bool HasShownChildItems(int item) const;
    bool IsLastShownChildItem(int item) const;
    std::vector<int> ShownChildren(int item) const;
    // The items that show, top to bottom: from the top-level ones into
    // every expanded one, the filter's items only.
    std::vector<int> ShownItems() const;

  private:
    int itemCount_ = 0;
    std::map<int, int> parentOf_;
    // Children of each parent (-1: top level) in increasing item order, so
    // that queries and enumeration cost the number of children, not items.
    std::map<int, std::vector<int>> children_;
    std::set<int> expanded_;
    std::vector<bool> left_;
    std::set<int> shapeExpanded_;
    int enumParent_ = -1;
    int enumCursor_ = -1; // position in the parent's children
};
