// Where the keys of a tree view take the focus among the shown rows of the
// tree list, and which rows they open or close: portable, so that the list
// control only turns key codes into TreeKey and carries the step out.
#pragma once

enum class TreeKey {
    kUp,
    kDown,
    kHome,
    kEnd,
    kPageUp,
    kPageDown,
    kLeft,      // close the row, or go to its parent
    kRight,     // open the row, or go to its first child
    kExpand,    // keypad +
    kCollapse,  // keypad -
    kExpandAll, // keypad *: the row and everything beneath it
};

// The shown rows, top to bottom, as the keys need them, each by its
// position.
class ShownTree {
  public:
    virtual ~ShownTree() = default;
    virtual int ShownCount() const = 0;
    virtual int ShownLevel(int position) const = 0;
    virtual bool ShownHasChildren(int position) const = 0;
    virtual bool ShownExpanded(int position) const = 0;
};

struct TreeKeyStep {
    enum Kind { kNone, kFocus, kExpand, kCollapse, kExpandAll };
    Kind kind = kNone;
    int position = -1; // of the row focused, or opened or closed
};

// What key does with the focus on the row at position focused (-1: no row
// has it), the first row seen at position top and pageRows rows seen at
// once. Without a focused
// row every key but End focuses the first row.
TreeKeyStep StepForKey(TreeKey key, const ShownTree& tree, int focused, int top, int pageRows);
