// Loading, refusing and writing out sessions.
#include "session_fixture.h"

#include <fstream>

using namespace hostsim_test;

namespace {

TEST(SessionFile, BadSessionsNameTheFaultAndKeepTheSessionBefore) {
    load(kDieSet);
    const std::pair<const char*, const char*> cases[] = {
        {R"({"parts": [{"file": "a.prt"}, {"file": "a.prt"}]})",
         "/parts/1/file: part listed twice"},
        {R"({"parts": [{"file": "a.prt", "components": [{"part": "b.prt"}]}]})",
         "/parts/0/components/0/part: no such part: b.prt"},
        {R"({"parts": [{"file": "a.prt", "components": [{"part": "b.prt"}]},
                       {"file": "b.prt", "components": [{"part": "a.prt"}]}]})",
         "assembly contains itself"},
        {R"({"parts": [{"file": "a.prt", "colour": 3}]})", "/parts/0/colour: unknown key"},
        {R"({"parts": [{"file": "a.prt", "color": 241}]})", "/parts/0/color: colour index"},
        {R"({"parts": [{"file": "a.prt", "loaded": false}], "display_part": "a.prt"})",
         "/display_part: part is not loaded"},
        {R"({"parts": [{"file": "a.prt", "attributes": [{"title": 5, "value": "x"}]}]})",
         "/parts/0/attributes/0/title: expected a string"},
        {R"({"customer_defaults": {"K": {"nested": 1}}})", "/customer_defaults/K"},
        {R"({"customer_defaults": {"K": 2147483648}})", "/customer_defaults/K: integer outside"},
        {R"({"parts": [{"file": "a.prt"}], "work_part": {"root": "a.prt", "path": [], "part": 1}})",
         "/work_part/part: unknown key"},
        {R"({"parts": [)", "not valid JSON"},
        // The host hands its texts out as C strings, which end at a NUL.
        {R"({"parts": [{"file": "a\u0000b.prt"}]})", "/parts/0/file: text contains a NUL"},
        {R"({"parts": [{"file": "a", "attributes": [{"title": "T", "value": "\u0000"}]}]})",
         "/parts/0/attributes/0/value: text contains a NUL"},
        {R"({"customer_defaults": {"K": "v\u0000"}})", "/customer_defaults/K: text contains a NUL"},
        {R"({"system": {"os_name": "W\u0000"}})", "/system/os_name: text contains a NUL"},
    };
    for (const auto& [json, expected] : cases) {
        std::string error = refusal(json);
        EXPECT_NE(std::string::npos, error.find(expected)) << json << "\n-> " << error;
        EXPECT_EQ(0u, error.find("session text: ")) << error;
    }
    // Nothing of the refused sessions arrived.
    EXPECT_EQ(5, UF_PART_ask_num_parts());
    EXPECT_NE(NULL_TAG, partTag(kShoeFile));
}

TEST(SessionFile, FileErrorsNameTheFileAndSessionDirIsItsFolder) {
    char error[512];
    EXPECT_NE(0, HOSTSIM_load_session_file("/no/such/session.json", error, sizeof error));
    EXPECT_NE(std::string::npos, std::string(error).find("/no/such/session.json"));

    const std::string dir = VM_BINARY_DIR, path = dir + "/hostsim_test_session.json";
    std::ofstream(path) << R"({"parts": [{"file": 1}]})";
    EXPECT_NE(0, HOSTSIM_load_session_file(path.c_str(), error, sizeof error));
    EXPECT_EQ(path + ": /parts/0/file: expected a string", error);

    std::ofstream(path) << R"({"environment": {"ROOT": "${SESSION_DIR}/product"}})";
    ASSERT_EQ(0, HOSTSIM_load_session_file(path.c_str(), error, sizeof error)) << error;
    char* value = nullptr;
    ASSERT_EQ(0, UF_translate_variable("ROOT", &value));
    EXPECT_EQ(dir + "/product", value);
}

TEST(SessionFile, WrittenStateLoadsBackToTheSameState) {
    load(kDieSet);
    // Change what the session file must carry: display state deep in the
    // tree, status, modified flag, an object, an unloaded part.
    tag_t punch = partTag(kPunchFile);
    UF_OBJ_set_color(occurrencesOf(punch).at(0), 200);
    UF_DISP_set_highlight(occurrencesOf(punch).at(1), 1);
    DUC_freeze_part(punch);
    // Classes outlive sessions, so a repeated run registers it only once.
    static UF_UDOBJ_class_t cls = 0;
    if (cls == 0) {
        ASSERT_EQ(0, UF_UDOBJ_create_class("ROUND_TRIP", nullptr, &cls));
    }
    tag_t udo = NULL_TAG;
    ASSERT_EQ(0, UF_UDOBJ_create_udo(cls, &udo));
    const char* text = "remembered";
    UF_UDOBJ_add_strings(udo, 1, &text);
    UF_PART_close(partTag(kLowerFile), 1, 1);

    const nlohmann::json before = state()["session"];
    load(before.dump());
    EXPECT_EQ(before, state()["session"]);
    EXPECT_EQ(200, before["occurrences"][3]["color"]);
}

} // namespace
