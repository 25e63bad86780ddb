#include "devhost_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace devhost_test {

using nlohmann::json;

const std::string kScratch = std::string(VM_BINARY_DIR) + "/devhost_tests";
const std::string kDemoProduct = std::string(VM_SOURCE_DIR) + "/demo/product/korveltand";

namespace {

std::string besideThisTest(const std::string& name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string() + "\\" + name;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

json DemoSession(const json& environment) {
    std::ifstream file(std::string(VM_SOURCE_DIR) + "/demo/session.json");
    json session = json::parse(file);
    session["environment"] = environment;
    return session;
}

DevhostRun RunDevhost(const std::string& name, const json& session, const std::string& script) {
    const std::string folder = kScratch + "/" + name;
    std::filesystem::create_directories(folder);
    const std::string sessionPath = folder + "/session.json";
    const std::string dumpPath = folder + "/dump.json";
    const std::string outputPath = folder + "/output.txt";
    std::ofstream(sessionPath) << session.dump(2);
    std::filesystem::remove(dumpPath);

    std::string command = quoted(besideThisTest("devhost.exe")) + " --auto --session " +
                          quoted(sessionPath) + " --dump-json " + quoted(dumpPath);
    if (!script.empty()) {
        const std::string scriptPath = folder + "/script.txt";
        std::ofstream(scriptPath) << script;
        command += " --script " + quoted(scriptPath);
    }

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    DevhostRun run;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        CloseHandle(output);
        ADD_FAILURE() << "cannot start " << command;
        return run;
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 120000)) << "devhost hangs";
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(output);
    run.output = readFile(outputPath);
    const std::string dump = readFile(dumpPath);
    if (!dump.empty())
        run.dump = json::parse(dump);
    return run;
}

} // namespace devhost_test
