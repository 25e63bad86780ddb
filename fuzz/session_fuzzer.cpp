// Feeds arbitrary text to the simulated host's session loader. A refused
// session says why; a loaded one writes out as a session that loads back to
// the same state.
#include "hostsim/hostsim_control.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

nlohmann::json written_session() {
    char* text = HOSTSIM_state_json();
    nlohmann::json session = nlohmann::json::parse(text)["session"];
    HOSTSIM_free_text(text);
    return session;
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
    const nlohmann::json before = written_session();
    if (HOSTSIM_load_session_text(before.dump().c_str(), "/session", error, sizeof error) != 0 ||
        written_session() != before)
        std::abort();
    return 0;
}
