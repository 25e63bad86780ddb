// A tree list held in memory: what the list control does with items, links,
// expansion and cell tables, without a window. Native tests and benchmarks
// build rows into it.
#pragma once

#include "model/tree_links.h"
#include "model/tree_list.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

class MemoryTreeList : public TreeList {
  public:
    MemoryTreeList();

    int AppendItem(const char* text) override;
    int GetItemCount() const override { return links_.ItemCount(); }
    void ResetTree() override;

    void SetItemParent(int item, int parent) override { links_.SetParent(item, parent); }
    void ExpandAllExcept(int item, const std::vector<bool>& keptCollapsed) override;
    bool IsExpanded(int item) const override { return links_.IsExpanded(item); }
    bool IsExpandedUnfiltered(int item) const override { return links_.IsExpandedUnfiltered(item); }
    void FilterItems(std::vector<bool> left) override { links_.Filter(std::move(left)); }
    bool HasChildItems(int item) const override { return links_.HasChildItems(item); }
    int GetFirstChildItem(int parent) override { return links_.GetFirstChildItem(parent); }
    int GetNextChildItem() override { return links_.GetNextChildItem(); }

    void SetItemImage(int item, int column, int bitmapId) override;
    int GetItemImage(int item, int column) const override;
    uint32_t GetItemColor(int item) const override;
    void SetItemColor(int item, uint32_t color) override;
    int GetItemNumber(int item) const override;
    void SetItemNumber(int item, int number) override;

    void RedrawItems(int first, int last) override;
    // The focus and the top of the page are what was last set, while the
    // item shows.
    int GetFocusedItem() const override { return shownOrNone(focused_); }
    int GetTopItem() const override { return shownOrNone(top_); }
    void FocusItem(int item) override { focused_ = item; }
    void ScrollItemToTop(int item) override { top_ = item; }

    // What a test looks at.
    const std::string& ItemText(int item) const { return texts_.at(item); }
    // The items a person would see, top to bottom.
    std::vector<int> ShownItems() const { return links_.ShownItems(); }
    void CollapseItem(int item);
    int RedrawCount() const { return redraws_; }

  private:
    // Whether the filter leaves item and every ancestor is expanded.
    bool isShown(int item) const;
    int shownOrNone(int item) const {
        return item >= 0 && item < GetItemCount() && isShown(item) ? item : -1;
    }

    TreeLinks links_;
    std::vector<std::string> texts_;
    std::map<std::pair<int, int>, int> images_;
    std::array<uint32_t, MAX_ROWS> colors_{};
    std::array<int, MAX_ROWS> numbers_{};
    int redraws_ = 0;
    int focused_ = -1;
    int top_ = -1;
};
