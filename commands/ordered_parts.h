// Parts in the order they were first added, each once, with a membership
// test that does not look at the others: a Close may gather tens of
// thousands.
#pragma once

#include "host/host_types.h"

#include <unordered_set>
#include <vector>

class OrderedParts {
  public:
    OrderedParts() = default;
    explicit OrderedParts(const std::vector<tag_t>& parts) {
        for (tag_t part : parts)
            Add(part);
    }

    // False, with nothing added, when part is there already.
    bool Add(tag_t part) {
        if (!members_.insert(part).second)
            return false;
        order_.push_back(part);
        return true;
    }
    bool Contains(tag_t part) const { return members_.count(part) != 0; }
    const std::vector<tag_t>& InOrder() const { return order_; }

  private:
    std::vector<tag_t> order_;
    std::unordered_set<tag_t> members_;
};
