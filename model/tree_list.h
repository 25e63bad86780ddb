// What tree building and the commands ask of the list that shows the rows
// as a tree. The View Manager's list control implements it on Windows; a
// portable list in memory implements it for the native tests.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

// Capacity of the list's per-item tables, and so of the row model.
constexpr int MAX_ROWS = 5000;

// Whether item has a place in the per-item tables. Only items of the list
// are passed: any other index is a bug of the caller, stopped here in a
// debug build; a release build, inside the host's process, leaves the
// tables untouched rather than write past them.
inline bool IsTableItem(int item) {
    assert(item >= 0 && item < MAX_ROWS && "not an item of the list");
    return item >= 0 && item < MAX_ROWS;
}

// A cell picture's geometry: every picture is one 20 x 19 image from row 0 of
// its bitmap.
constexpr int kCellImageWidth = 20;
constexpr int kCellImageHeight = 19;

class TreeList {
  public:
    virtual ~TreeList() = default;

    // Appends an item with the given text ("0:" and the label) and returns
    // its index, which equals the number of items before it.
    virtual int AppendItem(const char* text) = 0;
    // Number of items, shown or not.
    virtual int GetItemCount() const = 0;
    // Removes every item, parent link, expanded mark and the filter; the
    // colour, number and picture tables keep their values.
    virtual void ResetTree() = 0;

    virtual void SetItemParent(int item, int parent) = 0;
    // AppendItem followed by SetItemParent. A list that shows its rows can
    // place the item where the link puts it instead of showing it at the
    // end first.
    virtual int AppendChildItem(const char* text, int parent) {
        const int item = AppendItem(text);
        if (item >= 0)
            SetItemParent(item, parent);
        return item;
    }
    // Expands item and everything beneath it that shows.
    void ExpandAll(int item) { ExpandAllExcept(item, {}); }
    // The same, but the items keptCollapsed marks (by item; an item past its
    // end is not marked) show collapsed, and nothing beneath them shows.
    virtual void ExpandAllExcept(int item, const std::vector<bool>& keptCollapsed) = 0;
    virtual bool IsExpanded(int item) const = 0;
    // Whether item is expanded in the shape the designer gave the tree,
    // which a filter leaves aside while it is on.
    virtual bool IsExpandedUnfiltered(int item) const = 0;
    // Shows only the items left marks (by item) and their rows expanded; an
    // empty left shows every item again as the tree was before the filter.
    // The items, their links and the enumeration below stay whole.
    virtual void FilterItems(std::vector<bool> left) = 0;
    // Has children, shown or not.
    virtual bool HasChildItems(int item) const = 0;
    // One enumeration at a time: GetFirstChildItem (-1 for the top-level
    // items) starts it, GetNextChildItem continues it; -1 after the last.
    // It goes over every child, shown or not.
    virtual int GetFirstChildItem(int parent) = 0;
    virtual int GetNextChildItem() = 0;

    // The bitmap resource whose picture a cell shows.
    virtual void SetItemImage(int item, int column, int bitmapId) = 0;
    // The bitmap resource set for a cell; 0 for none.
    virtual int GetItemImage(int item, int column) const = 0;
    // The item's colour as 0x00BBGGRR, drawn in the "Color" column.
    virtual uint32_t GetItemColor(int item) const = 0;
    virtual void SetItemColor(int item, uint32_t color) = 0;
    // The number drawn in the "Attribute Count" column.
    virtual int GetItemNumber(int item) const = 0;
    virtual void SetItemNumber(int item, int number) = 0;

    // Repaints the shown rows first to last (display positions).
    virtual void RedrawItems(int first, int last) = 0;
    // The item whose row has the keyboard focus, and the one whose row is at
    // the top of the page; -1 for none.
    virtual int GetFocusedItem() const = 0;
    virtual int GetTopItem() const = 0;
    // Gives the item's row the focus, or puts it at the top of the page as
    // far as the list scrolls; nothing for an item without a row.
    virtual void FocusItem(int item) = 0;
    virtual void ScrollItemToTop(int item) = 0;
};
