// Where the keys of a tree view take the focus and which rows they open or
// close, over the shown rows of a small tree.
#include "model/tree_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Shown {
    int level;
    bool hasChildren;
    bool expanded;
};

class Rows : public ShownTree {
  public:
    explicit Rows(std::vector<Shown> rows) : rows_(std::move(rows)) {}
    int ShownCount() const override { return static_cast<int>(rows_.size()); }
    int ShownLevel(int row) const override { return rows_.at(row).level; }
    bool ShownHasChildren(int row) const override { return rows_.at(row).hasChildren; }
    bool ShownExpanded(int row) const override { return rows_.at(row).expanded; }

  private:
    std::vector<Shown> rows_;
};

// 0 DIE (open) / 1 leaf / 2 UPPER (open) / 3, 4 leaves / 5 LOWER (closed),
// then 6, a second top row without children.
const Rows kTree({{0, true, true},
                  {1, false, false},
                  {1, true, true},
                  {2, false, false},
                  {2, false, false},
                  {1, true, false},
                  {0, false, false}});

constexpr TreeKeyStep::Kind kFocus = TreeKeyStep::kFocus, kExpand = TreeKeyStep::kExpand,
                            kCollapse = TreeKeyStep::kCollapse,
                            kExpandAll = TreeKeyStep::kExpandAll, kNone = TreeKeyStep::kNone;

TEST(TreeKeys, MoveOpenAndCloseAsInATreeView) {
    const struct {
        TreeKey key;
        int focused, top, page;
        TreeKeyStep::Kind kind;
        int row;
    } cases[] = {
        // No row focused yet: the first, or the last for End.
        {TreeKey::kDown, -1, 0, 3, kFocus, 0},
        {TreeKey::kLeft, -1, 0, 3, kFocus, 0},
        {TreeKey::kEnd, -1, 0, 3, kFocus, 6},
        // Up and Down stop at the ends.
        {TreeKey::kUp, 0, 0, 3, kFocus, 0},
        {TreeKey::kDown, 6, 4, 3, kFocus, 6},
        {TreeKey::kDown, 3, 0, 3, kFocus, 4},
        {TreeKey::kHome, 4, 2, 3, kFocus, 0},
        // A page: to the page's last (first) row, from there a page on.
        {TreeKey::kPageDown, 1, 0, 3, kFocus, 2},
        {TreeKey::kPageDown, 2, 0, 3, kFocus, 4},
        {TreeKey::kPageDown, 5, 3, 3, kFocus, 6},
        {TreeKey::kPageUp, 4, 2, 3, kFocus, 2},
        {TreeKey::kPageUp, 2, 2, 3, kFocus, 0},
        // Left closes an open row, else goes to the parent.
        {TreeKey::kLeft, 2, 0, 3, kCollapse, 2},
        {TreeKey::kLeft, 4, 0, 3, kFocus, 2},
        {TreeKey::kLeft, 5, 0, 3, kFocus, 0},
        {TreeKey::kLeft, 6, 0, 3, kNone, -1},
        // Right opens a closed row, else goes to its first child.
        {TreeKey::kRight, 5, 0, 3, kExpand, 5},
        {TreeKey::kRight, 2, 0, 3, kFocus, 3},
        {TreeKey::kRight, 1, 0, 3, kNone, -1},
        // The keypad's keys only open or close.
        {TreeKey::kExpand, 5, 0, 3, kExpand, 5},
        {TreeKey::kExpand, 2, 0, 3, kNone, -1},
        {TreeKey::kCollapse, 2, 0, 3, kCollapse, 2},
        {TreeKey::kCollapse, 5, 0, 3, kNone, -1},
        {TreeKey::kExpandAll, 2, 0, 3, kExpandAll, 2},
        {TreeKey::kExpandAll, 3, 0, 3, kNone, -1},
    };
    for (const auto& c : cases) {
        const TreeKeyStep step = StepForKey(c.key, kTree, c.focused, c.top, c.page);
        EXPECT_EQ(c.kind, step.kind) << static_cast<int>(c.key) << " at " << c.focused;
        if (c.kind != kNone) {
            EXPECT_EQ(c.row, step.position) << static_cast<int>(c.key) << " at " << c.focused;
        }
    }
    EXPECT_EQ(kNone, StepForKey(TreeKey::kDown, Rows({}), -1, 0, 3).kind);
}

} // namespace
