// The tree bookkeeping of a tree list: parent links, the expanded items and
// the one child enumeration. Shared by the Windows list control and the
// portable list, so both answer every tree query alike.
#pragma once

#include "model/tree_walk.h"

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
    // False when a later item has the same parent (later top-level items
    // count as siblings of a top-level item).
    bool IsLastChildItem(int item) const;
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

  private:
    int itemCount_ = 0;
    std::map<int, int> parentOf_;
    // Children of each parent (-1: top level) in increasing item order, so
    // that queries and enumeration cost the number of children, not items.
    std::map<int, std::vector<int>> children_;
    std::set<int> expanded_;
    int enumParent_ = -1;
    int enumCursor_ = -1; // position in the parent's children
};
