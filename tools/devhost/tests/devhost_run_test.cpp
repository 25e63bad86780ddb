// The development host end to end: devhost.exe loads a session, runs the
// plug-in's command, answers every message box and writes what happened.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

const std::string kScratch = std::string(VM_BINARY_DIR) + "/devhost_tests";
const std::string kDemoProduct = std::string(VM_SOURCE_DIR) + "/demo/product/korveltand";

std::string besideThisTest(const std::string& name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string() + "\\" + name;
}

json demoSession() {
    std::ifstream file(std::string(VM_SOURCE_DIR) + "/demo/session.json");
    return json::parse(file);
}

struct DevhostRun {
    DWORD exitCode = 0;
    json dump;
};

// Runs devhost.exe on the session and reads its dump.
DevhostRun runDevhost(const std::string& name, const json& session) {
    std::filesystem::create_directories(kScratch);
    std::string sessionPath = kScratch + "/" + name + ".json";
    std::string dumpPath = kScratch + "/" + name + ".dump.json";
    std::ofstream(sessionPath) << session.dump(2);
    std::filesystem::remove(dumpPath);

    std::string command = "\"" + besideThisTest("devhost.exe") + "\" --auto --dump \"" + dumpPath +
                          "\" \"" + sessionPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DevhostRun run;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << command;
        return run;
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 120000)) << "devhost hangs";
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream dump(dumpPath);
    if (dump)
        run.dump = json::parse(dump);
    else
        ADD_FAILURE() << "no dump from " << command;
    return run;
}

std::vector<std::string> boxes(const DevhostRun& run) {
    return run.dump.value("message_boxes", std::vector<std::string>{});
}

json withProduct(const json& environment) {
    json session = demoSession();
    session["environment"] = environment;
    return session;
}

TEST(Devhost, TheDemoSessionRunsTheCommandToTheEndWithoutAMessage) {
    DevhostRun run = runDevhost("demo", withProduct({{"KORVELTAND_DIR", kDemoProduct}}));
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(std::vector<std::string>{}, boxes(run));
    EXPECT_EQ(3, run.dump["unload_mode"]);
    EXPECT_EQ(0, run.dump["runtime"]["session_depth"]);
    EXPECT_EQ(json::array(), run.dump["runtime"]["help_contexts"]);
}

TEST(Devhost, AMalformedConfigurationIsReportedByTheReader) {
    std::string product = kScratch + "/malformed/korveltand";
    std::filesystem::create_directories(product + "/configuration/xml_files");
    std::ofstream(product + "/configuration/xml_files/qvl_view.xml")
        << "<DIE_VIEW><UPPER_DIE></DIE_VIEW>";
    DevhostRun run = runDevhost("malformed", withProduct({{"KORVELTAND_DIR", product}}));
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(1u, boxes(run).size());
    EXPECT_EQ(0u, boxes(run)[0].find("XML Parse Error 0x")) << boxes(run)[0];
}

TEST(Devhost, MissingProductVariablesAreReportedOneByOne) {
    DevhostRun none = runDevhost("no_variables", withProduct(json::object()));
    EXPECT_EQ(0u, none.exitCode);
    EXPECT_EQ((std::vector<std::string>{"No environment variable", "No environment variable",
                                        "Incorrect path or name of qvl_view.xml"}),
              boxes(none));

    DevhostRun second = runDevhost("lib_dir_only", withProduct({{"KORVELTAND_LIB_DIR", kDemoProduct}}));
    EXPECT_EQ(0u, second.exitCode);
    // Once from the command's check of the file and once from the View
    // Manager, which looks for the file again when it is created.
    EXPECT_EQ((std::vector<std::string>{"No environment variable", "No environment variable"}),
              boxes(second));
}

} // namespace
