// Customer defaults, environment, files, system information, help, the host
// session bracket, messages, injected faults and the call log.
#include "session_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

using namespace hostsim_test;

namespace {

using Services = DieSetTest;

TEST_F(Services, CustomerDefaultsAreReadByTheirType) {
    // A whole number is a real too.
    int width = 0;
    logical on = 0, off = 1;
    double scale = 0, whole = 0;
    const char* name = nullptr;
    EXPECT_EQ(std::make_tuple(0, 0, 0, 0, 0, 0),
              std::make_tuple(PMAN_ask_int("QVL_WIDTH", &width), PMAN_ask_logical("QVL_ON", &on),
                              PMAN_ask_logical("QVL_OFF", &off), PMAN_ask_real("QVL_SCALE", &scale),
                              PMAN_ask_real("QVL_WIDTH", &whole),
                              PMAN_ask_string("QVL_NAME", &name)));
    EXPECT_EQ(std::make_tuple(640, true, false, 1.5, 640.0),
              std::make_tuple(width, on != 0, off != 0, scale, whole));
    EXPECT_STREQ("view.xml", name);

    const std::pair<const char*, std::vector<std::string>> lists[] = {{"QVL_LIST", {"a", "b", "c"}},
                                                                      {"QVL_EMPTY", {}}};
    for (const auto& [key, expected] : lists) {
        char** list = nullptr;
        ASSERT_EQ(0, PMAN_ask_string_list(key, &list));
        ASSERT_NE(nullptr, list);
        std::vector<std::string> items;
        for (char** item = list; *item && items.size() < expected.size() + 1; ++item)
            items.push_back(*item);
        EXPECT_EQ(expected, items) << key;
        for (size_t i = 0; i < items.size(); ++i)
            UF_free(list[i]);
        UF_free(list);
    }
}

TEST_F(Services, MissingOrMistypedDefaultsFailAndLeaveTheValueAlone) {
    int number = -7;
    logical flag = -7;
    double real = -7;
    const char* text = nullptr;
    char** list = nullptr;
    const int notSet = HOST_ERR_NOT_SET, wrong = HOST_ERR_WRONG_TYPE;
    EXPECT_EQ(
        std::make_tuple(notSet, wrong, wrong, notSet, wrong, wrong, wrong),
        std::make_tuple(PMAN_ask_int("QVL_NOT_SET", &number), PMAN_ask_int("QVL_SCALE", &number),
                        PMAN_ask_logical("QVL_WIDTH", &flag), PMAN_ask_real("QVL_NOT_SET", &real),
                        PMAN_ask_real("QVL_ON", &real), PMAN_ask_string("QVL_LIST", &text),
                        PMAN_ask_string_list("QVL_NAME", &list)));
    EXPECT_EQ(std::make_tuple(-7, -7, -7.0), std::make_tuple(number, flag, real));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(nullptr, list);
}

TEST_F(Services, SessionVariablesWinOverTheProcessEnvironment) {
    // PATH is set in every test process, here and under Wine.
    char* value = nullptr;
    ASSERT_EQ(0, UF_translate_variable("PATH", &value));
    EXPECT_STREQ(std::getenv("PATH"), value);
    load(R"({"environment": {"PATH": "session"}})");
    ASSERT_EQ(0, UF_translate_variable("PATH", &value));
    EXPECT_STREQ("session", value);
    ASSERT_EQ(0, UF_translate_variable("HOSTSIM_TEST_NEVER_SET", &value));
    EXPECT_EQ(nullptr, value);
}

TEST_F(Services, Uc4560FindsAPlainFileGivenWithBackSlashes) {
    const std::string folder = VM_BINARY_DIR;
    const std::string file = folder + "/hostsim_uc4560_probe.txt";
    std::ofstream(file) << "probe";
    std::string backSlashed = file;
    std::replace(backSlashed.begin(), backSlashed.end(), '/', '\\');
    EXPECT_EQ(0, uc4560(backSlashed.c_str(), 0)) << backSlashed;
    EXPECT_NE(0, uc4560(folder.c_str(), 0)) << "a folder is no plain file";
    EXPECT_NE(0, uc4560((folder + "/hostsim_no_such_file.txt").c_str(), 0));
}

TEST_F(Services, SystemInfoReportsTheSessionsOsName) {
    for (const char* osName : {"Test OS 7", ""}) {
        load(nlohmann::json{{"system", {{"os_name", osName}}}}.dump());
        UF_system_info_t info{};
        ASSERT_EQ(0, UF_ask_system_info(&info));
        EXPECT_STREQ(*osName ? osName : nullptr, info.os_name) << "empty means none";
        EXPECT_NE(nullptr, info.os_version);
        EXPECT_NE(nullptr, info.user_name);
        ASSERT_EQ(0, UF_free_system_info(&info));
    }
}

TEST_F(Services, HelpMapsMustExistAndContextsStack) {
    const std::string map = std::string(VM_BINARY_DIR) + "/hostsim_help_probe.tbl";
    std::ofstream(map) << "context topic\n";
    EXPECT_NE(0, UF_HELP_load_map_file((map + ".missing").c_str()));
    ASSERT_EQ(0, UF_HELP_load_map_file(map.c_str()));
    EXPECT_EQ(nlohmann::json::array({map}), state()["runtime"]["help_maps"]);
    ASSERT_EQ(0, UF_HELP_unload_map_file(map.c_str()));
    EXPECT_NE(0, UF_HELP_unload_map_file(map.c_str())) << "unloaded already";

    ASSERT_EQ(0, UF_HELP_push_context("outer"));
    ASSERT_EQ(0, UF_HELP_push_context("inner"));
    EXPECT_EQ(nlohmann::json::array({"outer", "inner"}), state()["runtime"]["help_contexts"]);
    ASSERT_EQ(0, UF_HELP_pop_context());
    EXPECT_EQ(nlohmann::json::array({"outer"}), state()["runtime"]["help_contexts"]);
    ASSERT_EQ(0, UF_HELP_pop_context());
    EXPECT_NE(0, UF_HELP_pop_context()) << "nothing left to pop";
}

TEST_F(Services, HostSessionsAreCountedAndStrayTerminatesReported) {
    ASSERT_EQ(0, UF_initialize());
    ASSERT_EQ(0, UF_initialize());
    EXPECT_EQ(2, HOSTSIM_session_depth());
    ASSERT_EQ(0, UF_terminate());
    EXPECT_TRUE(UF_is_initialized());
    ASSERT_EQ(0, UF_terminate());
    EXPECT_FALSE(UF_is_initialized());
    EXPECT_NE(0, UF_terminate());
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_EQ(1, state()["runtime"]["stray_terminates"]);
}

void collect(const char* text, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(text);
}

TEST_F(Services, MessagesAreRecordedInOrderAndHandedOn) {
    std::vector<std::string> shown;
    HOSTSIM_set_message_handler(collect, &shown);
    EXPECT_EQ(1, uc1601("first", 1));
    EXPECT_EQ(1, uc1601("second", 1));
    ASSERT_EQ(2, HOSTSIM_message_count());
    EXPECT_STREQ("second", HOSTSIM_message(1));
    EXPECT_EQ(nullptr, HOSTSIM_message(2));
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), shown);
    EXPECT_EQ(nlohmann::json::array({"first", "second"}), state()["runtime"]["messages"]);
}

TEST_F(Services, FailingCallsReturnNoTagsAndNoArrays) {
    const tag_t top = partTag(kTopFile), punch = partTag(kPunchFile);
    const tag_t root = UF_ASSEM_ask_root_part_occ(top);
    for (const char* operation : {"UF_PART_ask_part_tag", "UF_PART_ask_display_part",
                                  "UF_ASSEM_ask_root_part_occ", "UF_ASSEM_ask_occs_of_part",
                                  "UF_ASSEM_ask_part_occ_children", "OCC_ask_occs_of_part_in_assy"})
        HOSTSIM_fail_operation(operation, 1, HOST_ERR_INJECTED);
    EXPECT_EQ(NULL_TAG, partTag(kTopFile));
    EXPECT_EQ(NULL_TAG, UF_PART_ask_display_part());
    EXPECT_EQ(NULL_TAG, UF_ASSEM_ask_root_part_occ(top));
    tag_t sentinel = 0;
    tag_t* tags[3] = {&sentinel, &sentinel, &sentinel};
    EXPECT_EQ(0, UF_ASSEM_ask_occs_of_part(NULL_TAG, punch, &tags[0]));
    EXPECT_EQ(0, UF_ASSEM_ask_part_occ_children(root, &tags[1]));
    EXPECT_EQ(0, OCC_ask_occs_of_part_in_assy(top, punch, &tags[2]));
    EXPECT_EQ((std::vector<tag_t*>(3, nullptr)), std::vector<tag_t*>(tags, tags + 3));
}

TEST_F(Services, FaultsComeFromTheSessionFile) {
    nlohmann::json session = dieSet();
    session["faults"] = {{{"operation", "UF_PART_ask_units"}, {"call", 2}, {"code", 77}},
                         {{"operation", "uc1601"}}};
    load(session.dump());
    int units = 0;
    EXPECT_EQ(0, UF_PART_ask_units(partTag(kTopFile), &units));
    EXPECT_EQ(HOST_UNITS_METRIC, units);
    EXPECT_EQ(77, UF_PART_ask_units(partTag(kTopFile), &units));
    EXPECT_EQ(0, UF_PART_ask_units(partTag(kShoeFile), &units));
    EXPECT_EQ(HOST_UNITS_ENGLISH, units) << "each part's own";
    EXPECT_EQ(HOST_ERR_INJECTED, uc1601("lost", 1));
    EXPECT_EQ(HOST_ERR_INJECTED, uc1601("lost", 1));
    EXPECT_EQ(0, HOSTSIM_message_count());
    HOSTSIM_clear_faults();
    EXPECT_EQ(1, uc1601("shown", 1));

    load(session.dump());
    EXPECT_EQ(0, UF_PART_ask_units(partTag(kTopFile), &units));
    load(kDieSet);
    EXPECT_EQ(1, uc1601("shown", 1)) << "a new session brings its own faults";
}

TEST_F(Services, TheCallLogRecordsOperationsAndArguments) {
    EXPECT_EQ(0, HOSTSIM_call_log_size()) << "a new session starts a new log";
    const tag_t punch = partTag(kPunchFile);
    ASSERT_EQ(0, UF_PART_close(punch, 1, 0));
    ASSERT_EQ(2, HOSTSIM_call_log_size());
    EXPECT_EQ(std::string("UF_PART_ask_part_tag(\"") + kPunchFile + "\")",
              HOSTSIM_call_log_entry(0));
    EXPECT_EQ("UF_PART_close(" + std::to_string(punch) + ", 1, 0)",
              std::string(HOSTSIM_call_log_entry(1)));
    EXPECT_EQ(nullptr, HOSTSIM_call_log_entry(2));
    EXPECT_EQ(1, HOSTSIM_call_count("UF_PART_close"));
    HOSTSIM_clear_call_log();
    EXPECT_EQ(0, HOSTSIM_call_log_size());
    EXPECT_EQ(nullptr, HOSTSIM_called_operation(0)) << "a cleared log counts nothing";
}

TEST_F(Services, CallsAreCountedByOperationAlsoWhenNotKept) {
    HOSTSIM_keep_call_entries(0);
    partTag(kPunchFile);
    partTag(kTopFile);
    UF_PART_ask_display_part();
    HOSTSIM_keep_call_entries(1);
    EXPECT_EQ(3, HOSTSIM_call_log_size());
    EXPECT_EQ(nullptr, HOSTSIM_call_log_entry(0)) << "counted, not kept";
    EXPECT_EQ(2, HOSTSIM_call_count("UF_PART_ask_part_tag"));
    EXPECT_STREQ("UF_PART_ask_display_part", HOSTSIM_called_operation(0));
    EXPECT_STREQ("UF_PART_ask_part_tag", HOSTSIM_called_operation(1));
    EXPECT_EQ(nullptr, HOSTSIM_called_operation(2));
}

} // namespace
