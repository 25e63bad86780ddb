#include "devhost_process.h"

#include <windows.h>

#include <cstdlib>
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
    std::ofstream(folder + "/session.json") << session.dump(2);
    std::filesystem::remove(folder + "/dump.json");
    std::string command = quoted(besideThisTest("devhost.exe")) + " --auto --session " +
                          quoted(folder + "/session.json") + " --dump-json " +
                          quoted(folder + "/dump.json");
    if (!script.empty()) {
        std::ofstream(folder + "/script.txt") << script;
        command += " --script " + quoted(folder + "/script.txt");
    }
    // The command processor takes the outer quotes off.
    DevhostRun run;
    run.exitCode = static_cast<unsigned long>(
        std::system(quoted(command + " > " + quoted(folder + "/output.txt") + " 2>&1").c_str()));
    run.output = readFile(folder + "/output.txt");
    const std::string dump = readFile(folder + "/dump.json");
    if (!dump.empty())
        run.dump = json::parse(dump);
    return run;
}

} // namespace devhost_test
