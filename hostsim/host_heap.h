// Memory the host hands to its caller, tracked so that tests can see leaks
// and releases through the wrong call.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hostsim {

// Which release call a block belongs to.
enum class HeapFamily { UfFree, SmFree, ObjectData, SystemInfo };

class HostHeap {
  public:
    HostHeap() = default;
    // What the caller never got back, or the host refused to take back,
    // goes with the host.
    ~HostHeap();
    HostHeap(const HostHeap&) = delete;
    HostHeap& operator=(const HostHeap&) = delete;

    void* allocate(std::size_t size, HeapFamily family);
    char* copyText(const std::string& text, HeapFamily family);
    // Releases a block through the given call. A pointer the host never gave
    // out, or gave out for another call, is recorded as a misuse; an unknown
    // pointer is not freed, so the misuse cannot corrupt the heap.
    void release(void* block, HeapFamily family, const char* releasedBy);

    std::size_t outstanding() const { return blocks_.size(); }
    const std::vector<std::string>& misuses() const { return misuses_; }
    void clearMisuses() { misuses_.clear(); }
    // A misuse of memory the host lent, seen by the host itself.
    void recordMisuse(std::string what) { misuses_.push_back(std::move(what)); }

  private:
    std::map<void*, HeapFamily> blocks_;
    std::vector<std::string> misuses_;
};

} // namespace hostsim
