// The command's paths: what the user is told, whether the dialog step is
// reached with help set up, and that everything is taken down on every way out.
#include "config/framework_message_recorder.h"
#include "entry/view_manager_command.h"
#include "hostsim/hostsim_control.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using Strings = std::vector<std::string>;

json runtime() {
    char* text = HOSTSIM_state_json();
    const json state = json::parse(text);
    HOSTSIM_free_text(text);
    return state["runtime"];
}

// The help maps and contexts set up.
int help() {
    const json r = runtime();
    return static_cast<int>(r["help_maps"].size() + r["help_contexts"].size());
}

class HelpRecordingDialog : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { helpShown = help(); }
    int helpShown = -1; // -1: not reached
};

// A product directory whose view configuration holds xml.
std::string productWithConfig(const std::string& name, const std::string& xml) {
    std::string product = std::string(VM_BINARY_DIR) + "/entry_tests/" + name;
    std::filesystem::create_directories(product + "/configuration/xml_files");
    std::ofstream(product + "/configuration/xml_files/qvl_view.xml") << xml;
    return product;
}

#define DEMO_PRODUCT VM_SOURCE_DIR "/demo/product/korveltand"

struct CommandCase {
    const char* name;
    int help;                 // maps and contexts at the dialog step; -1: not reached
    Strings told;             // by the host, in order
    std::string patch = "{}"; // merged into the sound session
    const char* failing = ""; // a host operation failing throughout
    std::string xml = "";     // the configuration of a product of its own
    size_t readerTells = 0;   // messages of the configuration reader
};

const char* const kNotWindows = "Operating system should be Windows.";
const char* const kNoVariable = "No environment variable";
const char* const kNoFile = "Incorrect path or name of qvl_view.xml";
const std::string kConfigName = R"({"customer_defaults": {"QVL_WIZARD_VIEW_MANAGER": ")";
const std::string kSecondDirectory =
    R"({"environment": {"KORVELTAND_DIR": null, "KORVELTAND_LIB_DIR": ")" DEMO_PRODUCT R"("}})";

const CommandCase kCases[] = {
    {"sound", 2, {}},
    {"no display part", -1, {}, R"({"display_part": null})"},
    {"linux", -1, {kNotWindows}, R"({"system": {"os_name": "Linux x86_64"}})"},
    {"capitals", 2, {}, R"({"system": {"os_name": "MICROSOFT WINDOWS"}})"},
    {"no system name", 2, {}, R"({"system": {"os_name": ""}})"},
    {"no system info", 2, {}, "{}", "UF_ask_system_info"},
    {"no directory", -1, {kNoVariable, kNoVariable, kNoFile}, R"({"environment": null})"},
    {"the second directory", 2, {kNoVariable}, kSecondDirectory},
    {"no such file", -1, {kNoVariable, kNoVariable, kNoFile}, kConfigName + R"(x.xml"}})"},
    {"a name too long", -1, {kNoFile}, kConfigName + std::string(300, 'x') + R"("}})"},
    {"unreadable", -1, {}, "{}", "", "<V><A></V>", 1},
    {"no help map file", 0, {}, "{}", "", "<DIE><TOP/></DIE>"},
    {"wrong form", -1, {"file format error!"}, "{}", "", "<R><" + std::string(257, 'T') + "/></R>"},
    {"no session", -1, {}, "{}", "UF_initialize"},
    {"no help map", 1, {}, "{}", "UF_HELP_load_map_file"},
};

using Command = ::testing::TestWithParam<CommandCase>;

TEST_P(Command, TellsReachesTheDialogAndCleansUp) {
    const CommandCase& c = GetParam();
    SCOPED_TRACE(c.name);
    json s = {{"system", {{"os_name", "Windows 10 Enterprise x64"}}},
              {"environment", {{"KORVELTAND_DIR", DEMO_PRODUCT}}},
              {"customer_defaults", {{"QVL_WIZARD_VIEW_MANAGER", "qvl_view.xml"}}},
              {"parts", {{{"file", "C:\\Dies\\top.prt"}}}},
              {"display_part", "C:\\Dies\\top.prt"}};
    s.merge_patch(json::parse(c.patch));
    if (!c.xml.empty())
        s["environment"]["KORVELTAND_DIR"] = productWithConfig(c.name, c.xml);
    char error[512];
    ASSERT_EQ(0, HOSTSIM_load_session_text(s.dump().c_str(), ".", error, sizeof error)) << error;
    if (*c.failing)
        HOSTSIM_fail_operation(c.failing, 0, 0);
    HelpRecordingDialog dialog;
    RunViewManagerCommand(dialog);
    EXPECT_EQ(c.help, dialog.helpShown);
    Strings told;
    for (int i = 0; i < HOSTSIM_message_count(); ++i)
        told.push_back(HOSTSIM_message(i));
    EXPECT_EQ(c.told, told);
    EXPECT_EQ(c.readerTells, RecordedFrameworkMessages().size());
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
    // Nothing the host lent is written to, the system name included.
    EXPECT_EQ(0, HOSTSIM_memory_misuse_count())
        << HOSTSIM_memory_misuse(HOSTSIM_memory_misuse_count() - 1);
    EXPECT_EQ(0, runtime()["stray_terminates"].get<int>());
    EXPECT_EQ(0, help());
    HOSTSIM_clear_faults();
    ClearRecordedFrameworkMessages();
}

INSTANTIATE_TEST_SUITE_P(Paths, Command, ::testing::ValuesIn(kCases));

} // namespace
