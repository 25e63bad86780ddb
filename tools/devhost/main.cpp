// The development host: what the CAD host is to the plug-in. It loads a
// session into the simulated host, loads the plug-in library, runs its
// command and pumps messages while the plug-in's windows are open.
#include "hostsim/hostsim_control.h"
#include "tools/devhost/message_boxes.h"
#include "tools/devhost/message_loop.h"
#include "tools/devhost/plugin_library.h"
#include "tools/devhost/session_summary.h"

#include <nlohmann/json.hpp>
#include <windows.h>

#include <fstream>
#include <iostream>
#include <string>

namespace {

struct Options {
    std::string session;
    std::string plugin;
    std::string dump;
    bool automatic = false;
};

const char* kUsage = "usage: devhost [--auto] [--plugin DLL] [--dump FILE] SESSION.json\n";

std::string besideThisProgram(const char* name) {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : folder.substr(0, slash + 1)) + name;
}

bool parse(int argc, char** argv, Options& options) {
    options.plugin = besideThisProgram("kzqvl_view.dll");
    // Without a console to answer from, nobody could close a message box.
    options.automatic = GetFileType(GetStdHandle(STD_INPUT_HANDLE)) != FILE_TYPE_CHAR;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--auto")
            options.automatic = true;
        else if ((argument == "--plugin" || argument == "--dump") && i + 1 < argc)
            (argument == "--plugin" ? options.plugin : options.dump) = argv[++i];
        else if (options.session.empty() && argument.rfind("--", 0) != 0)
            options.session = argument;
        else
            return false;
    }
    return !options.session.empty();
}

nlohmann::json hostState() {
    char* text = HOSTSIM_state_json();
    nlohmann::json state = nlohmann::json::parse(text);
    HOSTSIM_free_text(text);
    return state;
}

// What the plug-in left behind in the host that a correct plug-in never does.
std::string hostProblems() {
    std::string problems;
    if (HOSTSIM_session_depth() != 0)
        problems += " host session left open;";
    if (HOSTSIM_outstanding_allocations() != 0)
        problems += " host memory not released;";
    if (HOSTSIM_memory_misuse_count() != 0)
        problems += std::string(" ") + HOSTSIM_memory_misuse(0) + ";";
    return problems;
}

int run(const Options& options) {
    char error[1024];
    if (HOSTSIM_load_session_file(options.session.c_str(), error, sizeof error) != 0) {
        std::cerr << "devhost: " << error << '\n';
        return 1;
    }
    std::cout << "Session: " << options.session << '\n';
    devhost::PrintSessionSummary(std::cout);

    devhost::MessageBoxes boxes(options.automatic);
    int unloadMode = 0;
    {
        devhost::PluginLibrary plugin(options.plugin);
        if (!plugin.IsLoaded()) {
            std::cerr << "devhost: " << plugin.Error() << '\n';
            return 1;
        }
        unloadMode = plugin.AskUnload();
        std::cout << "Running " << options.plugin << " (unload mode " << unloadMode << ")\n";
        plugin.Run();
        devhost::RunWhilePluginWindowsOpen(options.automatic);
    }

    std::cout << "Message boxes: " << boxes.Texts().size() << '\n';
    for (const std::string& text : boxes.Texts())
        std::cout << "  " << text << '\n';
    if (!options.dump.empty()) {
        nlohmann::json state = hostState();
        state["message_boxes"] = boxes.Texts();
        state["unload_mode"] = unloadMode;
        std::ofstream(options.dump) << state.dump(2) << '\n';
    }
    std::string problems = hostProblems();
    if (!problems.empty()) {
        std::cerr << "devhost:" << problems << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    // The CAD host initialises COM on its user-interface thread for its plug-ins.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = run(options);
    CoUninitialize();
    return result;
}
