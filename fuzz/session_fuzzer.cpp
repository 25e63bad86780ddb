// Feeds arbitrary text to the simulated host's session loader. A refused
// session says why; a loaded one writes out as a session that loads back to
// the same state, and every part's name and attribute titles fit the host's
// fixed buffers and name that part.
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

nlohmann::json written_session() {
    char* text = HOSTSIM_state_json();
    nlohmann::json session = nlohmann::json::parse(text)["session"];
    HOSTSIM_free_text(text);
    return session;
}

bool reads_back(tag_t part) {
    char name[HOST_PART_NAME_BUFSIZE];
    if (UF_PART_ask_part_name(part, name) != 0 || UF_PART_ask_part_tag(name) != part)
        return false;
    int count = 0;
    UF_ATTR_part_attr_t* attributes = nullptr;
    if (ATTR_ask_part_attrs(part, &count, &attributes) != 0)
        return false;
    bool fits = true;
    for (int i = 0; i < count; ++i)
        fits = fits && std::memchr(attributes[i].title, '\0', HOST_ATTR_TITLE_BUFSIZE) != nullptr;
    UF_free(attributes);
    return fits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    char error[512];
    if (HOSTSIM_load_session_text(text.c_str(), "/session", error, sizeof error) != 0) {
        if (error[0] == '\0')
            std::abort();
        return 0;
    }
    // The written session carries no faults: the host calls below succeed.
    const nlohmann::json before = written_session();
    if (HOSTSIM_load_session_text(before.dump().c_str(), "/session", error, sizeof error) != 0 ||
        written_session() != before)
        std::abort();
    for (int i = 0; i < UF_PART_ask_num_parts(); ++i) {
        if (!reads_back(UF_PART_ask_nth_part(i)))
            std::abort();
    }
    if (HOSTSIM_outstanding_allocations() != 0)
        std::abort();
    return 0;
}
