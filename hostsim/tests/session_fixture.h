// Loading sessions into the simulated host for a test.
#pragma once

#include "host/host_api.h"
#include "hostsim/hostsim_control.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace hostsim_test {

// A small die set: the top assembly holds an upper set (a shoe with two
// punches, one of them suppressed) and a lower set; a spare part sits in the
// library unloaded.
inline const char* kDieSet = R"({
  "system": {"os_name": "Windows 10 Enterprise x64"},
  "environment": {"DIE_LIB": "${SESSION_DIR}/lib"},
  "customer_defaults": {"QVL_NAME": "view.xml", "QVL_WIDTH": 640, "QVL_SCALE": 1.5, "QVL_ON": true,
                        "QVL_OFF": false, "QVL_LIST": ["a", "b", "c"], "QVL_EMPTY": []},
  "parts": [
    {"file": "C:\\dies\\top.prt", "color": 7,
     "attributes": [{"title": "TYPE", "value": "ASSEMBLY"}],
     "components": [{"part": "C:\\dies\\upper.prt"}, {"part": "C:\\dies\\lower.prt"}]},
    {"file": "C:\\dies\\upper.prt", "color": 44,
     "components": [{"part": "C:\\dies\\shoe.prt"}, {"part": "C:\\dies\\punch.prt"},
                    {"part": "C:\\dies\\punch.prt", "suppressed": true}]},
    {"file": "C:\\dies\\lower.prt",
     "components": [{"part": "C:\\dies\\punch.prt", "color": 100, "blanked": true}]},
    {"file": "C:\\dies\\shoe.prt", "modified": true, "units": "english", "frozen": true,
     "attributes": [{"title": "TYPE", "value": "SHOE"}, {"title": "STATION", "value": "2"}]},
    {"file": "C:\\dies\\punch.prt", "delayed": true},
    {"file": "C:\\dies\\spare.prt", "loaded": false}
  ],
  "display_part": "C:\\dies\\top.prt"
})";

// Loads a session text the loader must accept.
inline void load(const std::string& json, const char* baseDir = "/base") {
    char error[512];
    ASSERT_EQ(0, HOSTSIM_load_session_text(json.c_str(), baseDir, error, sizeof error)) << error;
}

// The loader's error for a session text it must refuse.
inline std::string refusal(const std::string& json) {
    char error[512] = "";
    EXPECT_NE(0, HOSTSIM_load_session_text(json.c_str(), "/base", error, sizeof error));
    return error;
}

inline nlohmann::json state() {
    char* text = HOSTSIM_state_json();
    nlohmann::json parsed = nlohmann::json::parse(text);
    HOSTSIM_free_text(text);
    return parsed;
}

// File names of the die set's parts.
inline const char* const kTopFile = "C:\\dies\\top.prt";
inline const char* const kUpperFile = "C:\\dies\\upper.prt";
inline const char* const kLowerFile = "C:\\dies\\lower.prt";
inline const char* const kShoeFile = "C:\\dies\\shoe.prt";
inline const char* const kPunchFile = "C:\\dies\\punch.prt";
inline const char* const kSpareFile = "C:\\dies\\spare.prt";

// The die set as JSON, for tests that change some of it before loading.
inline nlohmann::json dieSet() {
    return nlohmann::json::parse(kDieSet);
}

inline tag_t partTag(const char* file) {
    return UF_PART_ask_part_tag(file);
}

// Opens a part that must open without fault.
inline tag_t openPart(const char* file) {
    tag_t part = NULL_TAG;
    UF_PART_load_status_t status;
    EXPECT_EQ(0, UF_PART_open_quiet(file, &part, &status)) << file;
    EXPECT_FALSE(status.failed);
    EXPECT_EQ(0, status.n_parts);
    return part;
}

// Copies a host tag array and releases it with UF_free.
inline std::vector<tag_t> takeTags(int count, tag_t* tags) {
    std::vector<tag_t> copy(tags, tags + (tags ? count : 0));
    UF_free(tags);
    return copy;
}

// Occurrences of a part below parent (0: the display part).
inline std::vector<tag_t> occurrencesOf(tag_t part, tag_t parent = NULL_TAG) {
    tag_t* tags = nullptr;
    int count = UF_ASSEM_ask_occs_of_part(parent, part, &tags);
    return takeTags(count, tags);
}

inline std::vector<tag_t> childrenOf(tag_t occurrence) {
    tag_t* tags = nullptr;
    int count = UF_ASSEM_ask_part_occ_children(occurrence, &tags);
    return takeTags(count, tags);
}

inline std::vector<tag_t> prototypesOf(const std::vector<tag_t>& occurrences) {
    std::vector<tag_t> prototypes;
    prototypes.reserve(occurrences.size());
    for (tag_t occurrence : occurrences)
        prototypes.push_back(UF_ASSEM_ask_prototype_of_occ(occurrence));
    return prototypes;
}

// Leaves no injected fault or message handler behind for the next test, and
// fails a test that leaks host memory or releases it with the wrong call.
class SessionTest : public ::testing::Test {
  protected:
    void TearDown() override {
        HOSTSIM_clear_faults();
        HOSTSIM_set_message_handler(nullptr, nullptr);
        EXPECT_EQ(outstanding, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(misuses, HOSTSIM_memory_misuse_count());
    }

    const int outstanding = HOSTSIM_outstanding_allocations();
    int misuses = 0; // expected since the last load
};

class DieSetTest : public SessionTest {
  protected:
    void SetUp() override { load(kDieSet); }
};

} // namespace hostsim_test
