#include "hostsim/host_heap.h"

#include <cstdlib>
#include <cstring>

namespace hostsim {

namespace {
const char* releaseCallOf(HeapFamily family) {
    switch (family) {
    case HeapFamily::UfFree:
        return "UF_free";
    case HeapFamily::SmFree:
        return "SM_free";
    case HeapFamily::ObjectData:
        return "UF_UDOBJ_free_udo_data";
    case HeapFamily::SystemInfo:
        return "UF_free_system_info";
    }
    return "?";
}
} // namespace

HostHeap::~HostHeap() {
    for (const auto& block : blocks_)
        std::free(block.first);
}

void* HostHeap::allocate(std::size_t size, HeapFamily family) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block)
        blocks_[block] = family;
    return block;
}

char* HostHeap::copyText(const std::string& text, HeapFamily family) {
    char* copy = static_cast<char*>(allocate(text.size() + 1, family));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

void HostHeap::release(void* block, HeapFamily family, const char* releasedBy) {
    if (!block)
        return;
    auto found = blocks_.find(block);
    if (found == blocks_.end()) {
        misuses_.push_back(std::string(releasedBy) + " of memory the host did not hand out");
        return;
    }
    if (found->second != family) {
        misuses_.push_back(std::string(releasedBy) + " of memory to be released by " +
                           releaseCallOf(found->second));
    }
    blocks_.erase(found);
    std::free(block);
}

} // namespace hostsim
