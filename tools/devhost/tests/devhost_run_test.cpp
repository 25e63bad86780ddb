// The development host end to end: devhost.exe loads a session, runs the
// plug-in's command, answers every message box and writes what happened;
// here what the command reports of a product set-up that is wrong.
#include "devhost_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace devhost_test;
using nlohmann::json;

TEST(Devhost, AMalformedConfigurationIsReportedByTheReader) {
    std::string product = kScratch + "/malformed/korveltand";
    std::filesystem::create_directories(product + "/configuration/xml_files");
    std::ofstream(product + "/configuration/xml_files/qvl_view.xml")
        << "<DIE_VIEW><UPPER_DIE></DIE_VIEW>";
    DevhostRun run = RunDevhost("malformed", DemoWithEnvironment({{"KORVELTAND_DIR", product}}));
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(1u, MessageTexts(run).size());
    EXPECT_EQ(0u, MessageTexts(run)[0].find("XML Parse Error 0x")) << MessageTexts(run)[0];
}

TEST(Devhost, MissingProductVariablesAreReportedOneByOne) {
    DevhostRun none = RunDevhost("no_variables", DemoWithEnvironment(json::object()));
    EXPECT_EQ(0u, none.exitCode);
    EXPECT_EQ((std::vector<std::string>{"No environment variable", "No environment variable",
                                        "Incorrect path or name of qvl_view.xml"}),
              MessageTexts(none));

    DevhostRun second =
        RunDevhost("lib_dir_only", DemoWithEnvironment({{"KORVELTAND_LIB_DIR", kDemoProduct}}));
    EXPECT_EQ(0u, second.exitCode);
    // Once from the command's check of the file and once from the View
    // Manager, which looks for the file again when it is created.
    EXPECT_EQ((std::vector<std::string>{"No environment variable", "No environment variable"}),
              MessageTexts(second));
}

} // namespace
