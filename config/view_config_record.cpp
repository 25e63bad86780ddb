#include "config/view_config_record.h"

#include <cstdlib>
#include <cstring>

namespace {

// The arrays hold a power of two of elements, so that a record of n entries
// costs O(n) copying in all, not O(n * n). The record keeps no capacity: an
// array of count elements is full when count is 0 or a power of two.
bool is_full(int32_t count) {
    return (count & (count - 1)) == 0;
}

// Makes room for element count.
template <typename Element> bool grow(Element*& array, int32_t count) {
    if (!is_full(count))
        return true;
    const size_t capacity = count == 0 ? 1 : 2 * static_cast<size_t>(count);
    void* grown = std::realloc(array, capacity * sizeof(Element));
    if (!grown)
        return false;
    array = static_cast<Element*>(grown);
    return true;
}

bool fits(const std::string& text) {
    return text.size() < kViewConfigTextSize;
}

char* new_text(const std::string& text) {
    auto* copy = static_cast<char*>(std::calloc(kViewConfigTextSize, 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size());
    return copy;
}

} // namespace

AppendResult AppendViewConfigEntry(ViewConfig& config, const ViewConfigEntry& entry) {
    if (!fits(entry.groupName) || !fits(entry.customName) || !fits(entry.keyValue))
        return AppendResult::kTextTooLong;
    const int32_t i = config.entryCount;
    if (!grow(config.entryIndex, i) || !grow(config.hasSubGroups, i) ||
        !grow(config.parentIndex, i) || !grow(config.groupName, i) || !grow(config.customName, i) ||
        !grow(config.keyValue, i))
        return AppendResult::kOutOfMemory;
    char* groupName = new_text(entry.groupName);
    char* customName = new_text(entry.customName);
    char* keyValue = new_text(entry.keyValue);
    if (!groupName || !customName || !keyValue) {
        std::free(groupName);
        std::free(customName);
        std::free(keyValue);
        return AppendResult::kOutOfMemory;
    }
    config.entryIndex[i] = i;
    config.hasSubGroups[i] = entry.hasSubGroups;
    config.parentIndex[i] = entry.parentIndex;
    config.groupName[i] = groupName;
    config.customName[i] = customName;
    config.keyValue[i] = keyValue;
    config.entryCount = i + 1;
    return AppendResult::kAppended;
}

void ReleaseViewConfig(ViewConfig* config) {
    for (int32_t i = 0; i < config->entryCount; ++i) {
        std::free(config->groupName[i]);
        std::free(config->customName[i]);
        std::free(config->keyValue[i]);
    }
    std::free(config->groupName);
    std::free(config->customName);
    std::free(config->keyValue);
    std::free(config->entryIndex);
    std::free(config->hasSubGroups);
    std::free(config->parentIndex);
    *config = ViewConfig{};
}
