// The command's paths against the simulated host: what the user is told,
// whether the dialog step is reached, and that help and the host session are
// taken down on every way out.
#include "config/framework_message_recorder.h"
#include "entry/view_manager_command.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

const std::string kDemoProduct = std::string(VM_SOURCE_DIR) + "/demo/product/korveltand";
const std::string kScratch = std::string(VM_BINARY_DIR) + "/entry_tests";

class CountingDialog : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { ++calls; }
    int calls = 0;
};

// A product directory whose view configuration holds the given text.
std::string productWithConfig(const std::string& name, const std::string& xml) {
    std::string product = kScratch + "/" + name;
    std::filesystem::create_directories(product + "/configuration/xml_files");
    std::ofstream(product + "/configuration/xml_files/qvl_view.xml") << xml;
    return product;
}

json session(const json& environment) {
    return {{"system", {{"os_name", "Windows 10 Enterprise x64"}}},
            {"environment", environment},
            {"customer_defaults", {{"QVL_WIZARD_VIEW_MANAGER", "qvl_view.xml"}}},
            {"parts", {{{"file", "C:\\Dies\\top.prt"}}}},
            {"display_part", "C:\\Dies\\top.prt"}};
}

std::vector<std::string> hostMessages() {
    std::vector<std::string> texts;
    for (int i = 0; i < HOSTSIM_message_count(); ++i)
        texts.push_back(HOSTSIM_message(i));
    return texts;
}

class Command : public ::testing::Test {
  protected:
    void TearDown() override {
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
    }

    void load(const json& s) {
        char error[512];
        ASSERT_EQ(0, HOSTSIM_load_session_text(s.dump().c_str(), ".", error, sizeof error))
            << error;
    }

    // Runs the command and checks what every path must leave behind.
    int run() {
        CountingDialog dialog;
        RunViewManagerCommand(dialog);
        EXPECT_EQ(0, HOSTSIM_session_depth());
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        char* text = HOSTSIM_state_json();
        json runtime = json::parse(text)["runtime"];
        HOSTSIM_free_text(text);
        EXPECT_EQ(json::array(), runtime["help_contexts"]);
        EXPECT_EQ(json::array(), runtime["help_maps"]);
        return dialog.calls;
    }
};

TEST_F(Command, ASoundSessionReachesTheDialogSilentlyWithHelpSetUp) {
    load(session({{"KORVELTAND_DIR", kDemoProduct}}));
    EXPECT_EQ(1, run());
    EXPECT_TRUE(hostMessages().empty());
    EXPECT_TRUE(RecordedFrameworkMessages().empty());
    EXPECT_EQ(1, HOSTSIM_call_count("UF_HELP_push_context"));
    EXPECT_EQ(1, HOSTSIM_call_count("UF_HELP_load_map_file"));
    // Help comes down, by the path it went up with, before the session closes.
    int calls = HOSTSIM_call_log_size();
    EXPECT_EQ("UF_terminate()", std::string(HOSTSIM_call_log_entry(calls - 1)));
    std::string unload = HOSTSIM_call_log_entry(calls - 2);
    EXPECT_EQ(0u, unload.find("UF_HELP_unload_map_file(\""));
    EXPECT_NE(std::string::npos, unload.find("\\application\\qvl_help.tbl\")"));
    EXPECT_EQ("UF_HELP_pop_context()", std::string(HOSTSIM_call_log_entry(calls - 3)));
}

TEST_F(Command, WithoutADisplayedPartNothingIsShown) {
    json s = session({{"KORVELTAND_DIR", kDemoProduct}});
    s.erase("display_part");
    load(s);
    EXPECT_EQ(0, run());
    EXPECT_TRUE(hostMessages().empty());
    EXPECT_EQ(1, HOSTSIM_call_count("UF_HELP_pop_context"));
}

TEST_F(Command, OnlyAWindowsHostPassesAndCaseDoesNotMatter) {
    const std::pair<const char*, int> systems[] = {
        {"Linux x86_64", 0}, {"MICROSOFT WINDOWS SERVER", 1}, {"wInDoWs 11", 1}, {"", 1}};
    for (const auto& [name, dialogs] : systems) {
        json s = session({{"KORVELTAND_DIR", kDemoProduct}});
        s["system"]["os_name"] = name;
        load(s);
        EXPECT_EQ(dialogs, run()) << name;
        std::vector<std::string> expected;
        if (dialogs == 0)
            expected.push_back("Operating system should be Windows.");
        EXPECT_EQ(expected, hostMessages()) << name;
        EXPECT_EQ(HOSTSIM_call_count("UF_ask_system_info"),
                  HOSTSIM_call_count("UF_free_system_info"));
    }
}

TEST_F(Command, AFailingSystemInfoDoesNotStopTheCommand) {
    load(session({{"KORVELTAND_DIR", kDemoProduct}}));
    HOSTSIM_fail_operation("UF_ask_system_info", 0, 0);
    EXPECT_EQ(1, run());
    EXPECT_TRUE(hostMessages().empty());
}

TEST_F(Command, ProductVariablesAreTriedInTurnAndEachMissingOneIsReported) {
    load(session(json::object()));
    EXPECT_EQ(0, run());
    EXPECT_EQ((std::vector<std::string>{"No environment variable", "No environment variable",
                                        "Incorrect path or name of qvl_view.xml"}),
              hostMessages());
    EXPECT_EQ(0, HOSTSIM_call_count("UF_HELP_push_context"));

    load(session({{"KORVELTAND_LIB_DIR", kDemoProduct}}));
    EXPECT_EQ(1, run());
    EXPECT_EQ(std::vector<std::string>{"No environment variable"}, hostMessages());
}

TEST_F(Command, AConfigurationNameThatIsNotThereOrTooLongIsReported) {
    for (const std::string& name : {std::string("other.xml"), std::string(300, 'x')}) {
        // Every directory is set, so only the file itself is missing.
        json s = session({{"KORVELTAND_DIR", kDemoProduct},
                          {"KORVELTAND_LIB_DIR", kDemoProduct},
                          {"KZII_BASE_DIR", kDemoProduct}});
        s["customer_defaults"]["QVL_WIZARD_VIEW_MANAGER"] = name;
        load(s);
        EXPECT_EQ(0, run());
        EXPECT_EQ(std::vector<std::string>{"Incorrect path or name of qvl_view.xml"},
                  hostMessages());
    }
}

TEST_F(Command, AnUnreadableConfigurationStopsWithTheReadersMessageOnly) {
    load(session({{"KORVELTAND_DIR", productWithConfig("broken", "<DIE_VIEW><A></DIE_VIEW>")}}));
    EXPECT_EQ(0, run());
    EXPECT_TRUE(hostMessages().empty());
    ASSERT_EQ(1u, RecordedFrameworkMessages().size());
    EXPECT_EQ(0u, RecordedFrameworkMessages()[0].find("XML Parse Error 0x"));
}

TEST_F(Command, AConfigurationOfTheWrongFormIsAFormatError) {
    std::string longTag(257, 'T');
    std::string xml = "<ROOT><" + longTag + "/></ROOT>";
    load(session({{"KORVELTAND_DIR", productWithConfig("long_tag", xml)}}));
    EXPECT_EQ(0, run());
    EXPECT_EQ(std::vector<std::string>{"file format error!"}, hostMessages());
}

TEST_F(Command, AFailedInitializeDoesNothingAtAll) {
    load(session({{"KORVELTAND_DIR", kDemoProduct}}));
    HOSTSIM_fail_operation("UF_initialize", 0, 0);
    EXPECT_EQ(0, run());
    EXPECT_EQ(1, HOSTSIM_call_log_size());
    EXPECT_EQ(0, HOSTSIM_call_count("UF_terminate"));
}

TEST_F(Command, AHelpMapThatCannotBeLoadedIsSkippedQuietly) {
    load(session({{"KORVELTAND_DIR", kDemoProduct}}));
    HOSTSIM_fail_operation("UF_HELP_load_map_file", 0, 0);
    EXPECT_EQ(1, run());
    EXPECT_EQ(0, HOSTSIM_call_count("UF_HELP_unload_map_file"));
    EXPECT_TRUE(hostMessages().empty());
}

} // namespace
