#include "model/memory_tree_list.h"

MemoryTreeList::MemoryTreeList() {
    // The list control starts every swatch blue until the dialog writes it.
    colors_.fill(0x00FF0000);
}

int MemoryTreeList::AppendItem(const char* text) {
    texts_.push_back(text ? text : "");
    return links_.AppendItem();
}

void MemoryTreeList::ResetTree() {
    links_.Reset();
    texts_.clear();
    focused_ = -1;
    top_ = -1;
}

bool MemoryTreeList::isShown(int item) const {
    if (!links_.IsLeft(item))
        return false;
    for (int ancestor : links_.GetAncestorItems(item)) {
        if (!links_.IsExpanded(ancestor))
            return false;
    }
    return true;
}

void MemoryTreeList::ExpandAllExcept(int item, const std::vector<bool>& keptCollapsed) {
    // An item is shown when every ancestor is expanded: below a shown item
    // the walk goes on only through expanded ones (-1 stands above the
    // top-level items).
    if (!isShown(item))
        return;
    links_.WalkBelow(item, [&](int next) {
        if (next >= 0 && static_cast<size_t>(next) < keptCollapsed.size() && keptCollapsed[next])
            return false;
        if (links_.HasShownChildItems(next))
            links_.MarkExpanded(next);
        return next < 0 || links_.IsExpanded(next);
    });
}

void MemoryTreeList::CollapseItem(int item) {
    if (!links_.HasShownChildItems(item) || !links_.IsExpanded(item))
        return;
    // Collapsing forgets the expansion of everything below.
    links_.WalkBelow(item, [this](int next) {
        links_.ForgetExpanded(next);
        return true;
    });
}

void MemoryTreeList::SetItemImage(int item, int column, int bitmapId) {
    images_[{item, column}] = bitmapId;
}

int MemoryTreeList::GetItemImage(int item, int column) const {
    auto found = images_.find({item, column});
    return found == images_.end() ? 0 : found->second;
}

uint32_t MemoryTreeList::GetItemColor(int item) const {
    return IsTableItem(item) ? colors_[item] : 0;
}

void MemoryTreeList::SetItemColor(int item, uint32_t color) {
    if (IsTableItem(item))
        colors_[item] = color;
}

int MemoryTreeList::GetItemNumber(int item) const {
    return IsTableItem(item) ? numbers_[item] : 0;
}

void MemoryTreeList::SetItemNumber(int item, int number) {
    if (IsTableItem(item))
        numbers_[item] = number;
}

void MemoryTreeList::RedrawItems(int, int) {
    ++redraws_;
}
