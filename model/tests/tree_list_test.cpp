// Tree bookkeeping and the portable tree list: links, queries, the one
// enumeration cursor, expansion.
#include "model/memory_tree_list.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using Items = std::vector<int>;

// item 0 with children 1 and 3; item 1 with child 2; top-level item 4 with child 5.
void buildSample(MemoryTreeList& list) {
    for (int i = 0; i < 6; ++i)
        list.AppendItem(("0:item " + std::to_string(i)).c_str());
    list.SetItemParent(1, 0);
    list.SetItemParent(2, 1);
    list.SetItemParent(3, 0);
    list.SetItemParent(5, 4);
}

// count items with the given {child, parent} links, made in that order.
TreeLinks linked(int count, std::initializer_list<std::pair<int, int>> links) {
    TreeLinks tree;
    for (int i = 0; i < count; ++i)
        tree.AppendItem();
    for (const auto& [child, parent] : links)
        tree.SetParent(child, parent);
    return tree;
}

Items enumerate(TreeList& list, int parent) {
    Items children;
    for (int child = list.GetFirstChildItem(parent); child != -1; child = list.GetNextChildItem())
        children.push_back(child);
    return children;
}

TEST(TreeLinks, ChildrenComeInItemOrderAndTheCursorStaysPastTheEnd) {
    MemoryTreeList list;
    for (int i = 0; i < 3; ++i)
        list.AppendItem("0:x");
    list.SetItemParent(2, 0);
    list.SetItemParent(1, 0);
    EXPECT_EQ(1, list.GetFirstChildItem(0));
    EXPECT_EQ(2, list.GetNextChildItem());
    EXPECT_EQ(-1, list.GetNextChildItem());
    EXPECT_EQ(-1, list.GetNextChildItem());
    EXPECT_EQ((Items{0}), enumerate(list, -1));
    // Starting a new enumeration ends the one in progress.
    EXPECT_EQ(1, list.GetFirstChildItem(0));
    EXPECT_EQ(0, list.GetFirstChildItem(-1));
    EXPECT_EQ(-1, list.GetNextChildItem());
}

TEST(TreeLinks, QueriesFollowTheLinks) {
    TreeLinks links = linked(6, {{1, 0}, {2, 1}, {3, 0}, {5, 4}});

    EXPECT_EQ((Items{0, 1}), links.GetAncestorItems(2));
    EXPECT_EQ(2, links.GetItemLevel(2));
    EXPECT_EQ(0, links.GetItemLevel(4));
    EXPECT_TRUE(links.HasChildItems(1));
    EXPECT_FALSE(links.HasChildItems(2));
    EXPECT_FALSE(links.IsLastShownChildItem(1)); // item 3 follows under 0
    EXPECT_TRUE(links.IsLastShownChildItem(3));
    EXPECT_FALSE(links.IsLastShownChildItem(0)); // top-level item 4 follows
    EXPECT_TRUE(links.IsLastShownChildItem(4));
    // Indices no item has answer as a top-level item without children.
    EXPECT_FALSE(links.HasChildItems(99));
    EXPECT_EQ(0, links.GetItemLevel(99));
    EXPECT_TRUE(links.IsLastShownChildItem(99));
}

TEST(TreeLinks, ANewParentMovesTheItemAndForgetsItsExpansion) {
    TreeLinks links = linked(4, {{2, 0}, {3, 2}});
    links.MarkExpanded(2);
    links.SetParent(2, 1);
    EXPECT_FALSE(links.HasChildItems(0));
    EXPECT_EQ((Items{2}), links.Children(1));
    EXPECT_FALSE(links.IsExpanded(2));
    EXPECT_EQ((Items{1, 2}), links.GetAncestorItems(3));
    // A negative parent makes the item top-level again.
    links.SetParent(2, -7);
    EXPECT_EQ((Items{0, 1, 2}), links.Children(-1));
}

TEST(TreeLinks, LinksThatWouldLoopOrNameNoItemAreRefused) {
    // The last three would make a loop, link an item to itself, name no item.
    TreeLinks links = linked(3, {{1, 0}, {2, 1}, {0, 2}, {1, 1}, {7, 0}});
    EXPECT_EQ(-1, links.ParentOf(0));
    EXPECT_EQ(0, links.ParentOf(1));
    EXPECT_EQ((Items{0, 1}), links.GetAncestorItems(2));
    EXPECT_EQ((Items{0}), links.Children(-1));
}

TEST(MemoryTreeList, ExpandAllShowsEverythingInTreeOrderAndCollapseForgetsBelow) {
    MemoryTreeList list;
    buildSample(list);
    list.ExpandAll(1); // item 1 is not shown: item 0 is collapsed
    EXPECT_FALSE(list.IsExpanded(1));
    EXPECT_EQ((Items{0, 4}), list.ShownItems());
    list.ExpandAll(0);
    EXPECT_EQ((Items{0, 1, 2, 3, 4}), list.ShownItems());
    EXPECT_TRUE(list.IsExpanded(1));
    EXPECT_FALSE(list.IsExpanded(2)); // no children: never expanded

    list.CollapseItem(0);
    EXPECT_EQ((Items{0, 4}), list.ShownItems());
    EXPECT_FALSE(list.IsExpanded(1));
    list.ExpandAll(4);
    EXPECT_EQ((Items{0, 4, 5}), list.ShownItems());
}

TEST(MemoryTreeList, ResetKeepsTheCellTablesButDropsItemsAndLinks) {
    MemoryTreeList list;
    EXPECT_EQ(0x00FF0000u, list.GetItemColor(7));
    buildSample(list);
    list.ExpandAll(0);
    list.SetItemColor(1, 0x787878);
    list.SetItemNumber(1, 12);
    list.SetItemImage(1, 5, 1030);
    list.ResetTree();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(list.ShownItems().empty());
    EXPECT_EQ(0x787878u, list.GetItemColor(1));
    EXPECT_EQ(12, list.GetItemNumber(1));
    EXPECT_EQ(1030, list.GetItemImage(1, 5));
    // The same items again: none of them is expanded any more.
    buildSample(list);
    EXPECT_EQ((Items{0, 4}), list.ShownItems());
    // An index outside the fixed tables is a caller's bug: stopped in a
    // debug build, refused without a write past the table in a release one.
    EXPECT_DEBUG_DEATH(list.SetItemNumber(MAX_ROWS, 3), "not an item of the list");
#ifdef NDEBUG
    EXPECT_EQ(0, list.GetItemNumber(MAX_ROWS));
#endif
}

} // namespace

// A filter hides what it does not leave, whatever is expanded, and the tree
// drawn from what shows: boxes and last children count the left items only.
// Clearing it gives back the expansion from before, changed or not meanwhile.
TEST(TreeLinks, AFilterShowsWhatItLeavesExpandedAndGivesTheShapeBack) {
    // 0 > {1 > 2, 3 > 4}, 5
    TreeLinks links = linked(6, {{1, 0}, {2, 1}, {3, 0}, {4, 3}});
    links.MarkExpanded(0);
    links.MarkExpanded(3);
    ASSERT_EQ((Items{0, 1, 3, 4, 5}), links.ShownItems());

    links.Filter({true, true, true, false, false, false});
    EXPECT_EQ((Items{0, 1, 2}), links.ShownItems());
    EXPECT_TRUE(links.IsExpanded(1));
    EXPECT_TRUE(links.IsLastShownChildItem(1));
    EXPECT_TRUE(links.IsLastShownChildItem(0));
    EXPECT_FALSE(links.HasShownChildItems(2));
    EXPECT_TRUE(links.HasChildItems(3)); // the structure stays whole
    EXPECT_FALSE(links.IsExpandedUnfiltered(1));
    EXPECT_TRUE(links.IsExpandedUnfiltered(3));

    // A second filter replaces the first, the shape still waiting.
    links.ForgetExpanded(0);
    links.Filter({false, false, false, true, true});
    EXPECT_EQ((Items{}), links.ShownItems()); // 3's parent is not left
    links.Filter({true, false, false, true, true});
    EXPECT_EQ((Items{0, 3, 4}), links.ShownItems());
    EXPECT_FALSE(links.HasShownChildItems(1));

    links.Filter({});
    EXPECT_FALSE(links.IsFiltered());
    EXPECT_EQ((Items{0, 1, 3, 4, 5}), links.ShownItems());
    EXPECT_FALSE(links.IsExpanded(1));
}
