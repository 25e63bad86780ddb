// Host arrays held for the length of a scope and released with their own
// call.
#pragma once

#include "host/host_assembly.h"
#include "host/host_session.h"

// The release calls of the two families of host arrays.
struct UfRelease {
    static void Free(void* data) { UF_free(data); }
};
struct SmRelease {
    static void Free(void* data) { SM_free(data); }
};

// An array of tags a host operation returns, released with its family's call.
template <typename Release> class HostTagArray {
  public:
    HostTagArray() = default;
    ~HostTagArray() {
        if (tags_)
            Release::Free(tags_);
    }
    HostTagArray(const HostTagArray&) = delete;
    HostTagArray& operator=(const HostTagArray&) = delete;

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

// From the UF_ASSEM_ operations.
using UfTagArray = HostTagArray<UfRelease>;
// From the OCC_ operations.
using SmTagArray = HostTagArray<SmRelease>;

// The occurrences of part below parent (0: the display part).
inline void AskOccurrencesOfPart(tag_t parent, tag_t part, UfTagArray& occurrences) {
    occurrences.SetCount(UF_ASSEM_ask_occs_of_part(parent, part, occurrences.Out()));
}

inline void AskChildOccurrences(tag_t occurrence, UfTagArray& children) {
    children.SetCount(UF_ASSEM_ask_part_occ_children(occurrence, children.Out()));
}
