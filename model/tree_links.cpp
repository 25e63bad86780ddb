#include "model/tree_links.h"

#include <algorithm>

namespace {
const std::vector<int> kNoChildren;
}

int TreeLinks::AppendItem() {
    int item = itemCount_++;
    children_[-1].push_back(item);
    return item;
}

void TreeLinks::Reset() {
    itemCount_ = 0;
    parentOf_.clear();
    children_.clear();
    expanded_.clear();
    left_.clear();
    shapeExpanded_.clear();
    enumParent_ = -1;
    enumCursor_ = -1;
}

bool TreeLinks::CanLink(int item, int parent) const {
    if (item < 0 || item >= itemCount_ || item == parent)
        return false;
    // Only an item with children can be above another; a build links each
    // item before it has any, without a walk up a chain thousands deep.
    if (!HasChildItems(item))
        return true;
    std::vector<int> above = GetAncestorItems(parent);
    return std::find(above.begin(), above.end(), item) == above.end();
}

void TreeLinks::SetParent(int item, int parent) {
    if (!CanLink(item, parent))
        return;
    parent = parent < 0 ? -1 : parent;
    std::vector<int>& before = children_[ParentOf(item)];
    before.erase(std::find(before.begin(), before.end(), item));
    std::vector<int>& after = children_[parent];
    after.insert(std::lower_bound(after.begin(), after.end(), item), item);
    parentOf_[item] = parent;
    expanded_.erase(item);
}

int TreeLinks::ParentOf(int item) const {
    auto found = parentOf_.find(item);
    return found == parentOf_.end() || found->second < 0 ? -1 : found->second;
}

const std::vector<int>& TreeLinks::Children(int parent) const {
    auto found = children_.find(parent < 0 ? -1 : parent);
    return found == children_.end() ? kNoChildren : found->second;
}

bool TreeLinks::HasChildItems(int item) const {
    return item >= 0 && !Children(item).empty();
}

std::vector<int> TreeLinks::GetAncestorItems(int item) const {
    std::vector<int> ancestors;
    // A link that loops would never reach the top; no chain is longer than
    // the number of items.
    for (int parent = ParentOf(item);
         parent >= 0 && static_cast<int>(ancestors.size()) < itemCount_; parent = ParentOf(parent))
        ancestors.push_back(parent);
    std::reverse(ancestors.begin(), ancestors.end());
    return ancestors;
}

int TreeLinks::GetItemLevel(int item) const {
    return static_cast<int>(GetAncestorItems(item).size());
}

int TreeLinks::GetFirstChildItem(int parent) {
    enumParent_ = parent < 0 ? -1 : parent;
    enumCursor_ = -1;
    return GetNextChildItem();
}

int TreeLinks::GetNextChildItem() {
    const std::vector<int>& children = Children(enumParent_);
    // The cursor stays past the end, so further calls keep answering -1.
    if (enumCursor_ < static_cast<int>(children.size()))
        ++enumCursor_;
    return enumCursor_ < static_cast<int>(children.size()) ? children[enumCursor_] : -1;
}

void TreeLinks::Filter(std::vector<bool> left) {
    const bool wasFiltered = IsFiltered();
    if (left.empty()) {
        left_.clear();
        if (wasFiltered)
            expanded_ = std::move(shapeExpanded_);
        shapeExpanded_.clear();
        return;
    }
    if (!wasFiltered)
        shapeExpanded_ = std::move(expanded_);
    left_ = std::move(left);
    expanded_.clear();
    for (int item = 0; item < itemCount_; ++item) {
        if (IsLeft(item) && HasShownChildItems(item))
            expanded_.insert(item);
    }
}

bool TreeLinks::HasShownChildItems(int item) const {
    if (item < 0)
        return false;
    const std::vector<int>& children = Children(item);
    return std::any_of(children.begin(), children.end(), [this](int c) { return IsLeft(c); });
}

bool TreeLinks::IsLastShownChildItem(int item) const {
    const std::vector<int>& siblings = Children(ParentOf(item));
    auto later = std::upper_bound(siblings.begin(), siblings.end(), item);
    return std::none_of(later, siblings.end(), [this](int s) { return IsLeft(s); });
}

std::vector<int> TreeLinks::ShownChildren(int item) const {
    std::vector<int> shown;
    for (int child : Children(item)) {
        if (IsLeft(child))
            shown.push_back(child);
    }
    return shown;
}

std::vector<int> TreeLinks::ShownItems() const {
    std::vector<int> shown;
    // From the top-level items (below -1) into every expanded item.
    WalkBelow(-1, [&](int item) {
        if (item < 0)
            return true;
        if (!IsLeft(item))
            return false;
        shown.push_back(item);
        return IsExpanded(item);
    });
    return shown;
}
