// Part attributes.
#include "host/host_attributes.h"
#include "hostsim/simulator.h"

#include <cstring>

using hostsim::HeapFamily;
using hostsim::simulator;

extern "C" {

int ATTR_ask_part_attrs(tag_t part, int* count, UF_ATTR_part_attr_t** attributes) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (count)
        *count = 0;
    if (attributes)
        *attributes = nullptr;
    if (auto code = s.enter("ATTR_ask_part_attrs", part))
        return *code;
    const hostsim::Part* found = s.session.loadedPart(part);
    if (!found || !count || !attributes)
        return HOST_ERR_BAD_TAG;
    if (found->attributes.empty())
        return 0;

    // One block: the records, then the value texts they point at.
    size_t records = found->attributes.size() * sizeof(UF_ATTR_part_attr_t);
    size_t size = records;
    for (const hostsim::Attribute& attribute : found->attributes)
        size += attribute.value.size() + 1;
    auto* block = static_cast<char*>(s.heap.allocate(size, HeapFamily::UfFree));
    std::memset(block, 0, records);
    auto* record = reinterpret_cast<UF_ATTR_part_attr_t*>(block);
    char* text = block + records;
    for (const hostsim::Attribute& attribute : found->attributes) {
        // Titles are checked to fit when the session is loaded.
        std::strncpy(record->title, attribute.title.c_str(), HOST_ATTR_TITLE_BUFSIZE - 1);
        record->type = HOST_ATTR_TYPE_STRING;
        std::memcpy(text, attribute.value.c_str(), attribute.value.size() + 1);
        record->value = text;
        text += attribute.value.size() + 1;
        ++record;
    }
    *attributes = reinterpret_cast<UF_ATTR_part_attr_t*>(block);
    *count = static_cast<int>(found->attributes.size());
    return 0;
}

} // extern "C"
