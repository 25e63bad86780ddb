// Host arrays held for the length of a scope and released with their own
// call.
#pragma once

#include "host/host_assembly.h"
#include "host/host_session.h"

// An array of tags from a UF_ASSEM_ operation, released with UF_free.
class UfTagArray {
  public:
    UfTagArray() = default;
    ~UfTagArray() {
        if (tags_)
            UF_free(tags_);
    }
    UfTagArray(const UfTagArray&) = delete;
    UfTagArray& operator=(const UfTagArray&) = delete;

    tag_t** Out() { return &tags_; }
    // The count the operation returned, kept only when there is an array.
    void SetCount(int count) { count_ = tags_ && count > 0 ? count : 0; }
    int Count() const { return count_; }
    const tag_t* Data() const { return tags_; }
    tag_t operator[](int i) const { return tags_[i]; }
    const tag_t* begin() const { return tags_; }
    const tag_t* end() const { return tags_ + count_; }

  private:
    tag_t* tags_ = nullptr;
    int count_ = 0;
};

// The occurrences of part below parent (0: the display part).
inline void AskOccurrencesOfPart(tag_t parent, tag_t part, UfTagArray& occurrences) {
    occurrences.SetCount(UF_ASSEM_ask_occs_of_part(parent, part, occurrences.Out()));
}

inline void AskChildOccurrences(tag_t occurrence, UfTagArray& children) {
    children.SetCount(UF_ASSEM_ask_part_occ_children(occurrence, children.Out()));
}

// An array of tags from an OCC_ operation, released with SM_free.
class SmTagArray {
  public:
    SmTagArray() = default;
    ~SmTagArray() {
        if (tags_)
            SM_free(tags_);
    }
    SmTagArray(const SmTagArray&) = delete;
    SmTagArray& operator=(const SmTagArray&) = delete;

    tag_t** Out() { return &tags_; }
    void SetCount(int count) { count_ = tags_ && count > 0 ? count : 0; }
    const tag_t* begin() const { return tags_; }
    const tag_t* end() const { return tags_ + count_; }

  private:
    tag_t* tags_ = nullptr;
    int count_ = 0;
};
