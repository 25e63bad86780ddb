#include "devhost_process.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace devhost_test {

using nlohmann::json;

const std::string kScratch = std::string(VM_BINARY_DIR) + "/devhost_tests";
const std::string kDemoProduct = std::string(VM_SOURCE_DIR) + "/demo/product/korveltand";

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the command line with standard output and error going to the file;
// false when it is still running at the time limit, and then stopped.
bool runToFile(std::string command, const std::string& path, unsigned long timeLimitSeconds,
               unsigned long& exitCode) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        CloseHandle(output);
        exitCode = GetLastError();
        return true;
    }
    CloseHandle(output);
    const bool finished = WaitForSingleObject(process.hProcess, timeLimitSeconds * 1000) == 0;
    if (!finished)
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished;
}

} // namespace

std::string BesideThisTest(const std::string& name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string() + "\\" + name;
}

json DemoSession(const json& environment) {
    std::ifstream file(std::string(VM_SOURCE_DIR) + "/demo/session.json");
    json session = json::parse(file);
    session["environment"] = environment;
    return session;
}

json NameTreeDemo(const std::string& product) {
    json session = DemoSession({{"KORVELTAND_DIR", product}});
    session["customer_defaults"]["QVL_VIEW_NAME_SET"] = 0;
    return session;
}

DevhostRun RunDevhost(const std::string& name, const json& session, const std::string& script,
                      const RunSettings& settings) {
    const std::string folder = kScratch + "/" + name;
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/session.json") << session.dump(2);
    std::filesystem::remove(folder + "/dump.json");
    std::string command = quoted(BesideThisTest("devhost.exe")) + " --auto --session " +
                          quoted(folder + "/session.json") + " --dump-json " +
                          quoted(folder + "/dump.json");
    if (!script.empty()) {
        std::ofstream(folder + "/script.txt") << script;
        command += " --script " + quoted(folder + "/script.txt");
    }
    for (const std::string& argument : settings.arguments)
        command += " " + quoted(argument);
    for (const auto& [variable, value] : settings.environment)
        SetEnvironmentVariableA(variable.c_str(), value.c_str());
    DevhostRun run;
    run.finished =
        runToFile(command, folder + "/output.txt", settings.timeLimitSeconds, run.exitCode);
    for (const auto& [variable, value] : settings.environment)
        SetEnvironmentVariableA(variable.c_str(), nullptr);
    run.output = readFile(folder + "/output.txt");
    if (!run.finished)
        run.output += "\n(stopped: devhost did not finish within " +
                      std::to_string(settings.timeLimitSeconds) + " s)\n";
    const std::string dump = readFile(folder + "/dump.json");
    if (!dump.empty())
        run.dump = json::parse(dump, nullptr, false);
    return run;
}

} // namespace devhost_test
