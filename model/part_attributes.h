// The attributes of a part as the host reports them, held for a scope and
// released with UF_free however the scope ends.
#pragma once

#include "config/bounded_text.h"
#include "host/host_attributes.h"
#include "host/host_session.h"

#include <string_view>

// The attribute array of a part, released with UF_free.
class PartAttributes {
  public:
    explicit PartAttributes(tag_t part) {
        if (ATTR_ask_part_attrs(part, &count_, &attributes_) != 0 || !attributes_)
            count_ = 0;
    }
    ~PartAttributes() {
        if (attributes_)
            UF_free(attributes_);
    }
    PartAttributes(const PartAttributes&) = delete;
    PartAttributes& operator=(const PartAttributes&) = delete;

    int Count() const { return count_; }
    std::string_view Title(int i) const {
        return TextWithin(attributes_[i].title, sizeof attributes_[i].title);
    }
    std::string_view Value(int i) const {
        const char* value = attributes_[i].value;
        return value ? std::string_view(value) : std::string_view();
    }

  private:
    int count_ = 0;
    UF_ATTR_part_attr_t* attributes_ = nullptr;
};
