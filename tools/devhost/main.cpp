// The development host: what the CAD host is to the plug-in. It loads a
// session into the simulated host, loads the plug-in library and runs its
// command; then a person works in the plug-in's windows, or a script does,
// and the run ends with a dump, a snapshot or a printed tree as asked.
#include "hostsim/hostsim_control.h"
#include "tools/devhost/dialog_watch.h"
#include "tools/devhost/message_loop.h"
#include "tools/devhost/options.h"
#include "tools/devhost/plugin_library.h"
#include "tools/devhost/run_outputs.h"
#include "tools/devhost/script_runner.h"
#include "tools/devhost/session_summary.h"

#include <windows.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// Exit statuses.
constexpr int kFailed = 1;
constexpr int kScriptStopped = 2;

// What the plug-in left behind in the host that a correct plug-in never does.
std::string hostProblems() {
    std::string problems;
    if (HOSTSIM_session_depth() != 0)
        problems += " host session left open;";
    if (HOSTSIM_outstanding_allocations() != 0)
        problems += " host memory not released;";
    if (HOSTSIM_display_updates() == 0)
        problems += " host display left off;";
    if (HOSTSIM_memory_misuse_count() != 0)
        problems += std::string(" ") + HOSTSIM_memory_misuse(0) + ";";
    return problems;
}

bool readScript(const std::string& path, std::vector<devhost::ScriptLine>& lines,
                std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return devhost::ParseScript(text.str(), lines, error);
}

// The outputs asked for on the command line, at the end of the run.
bool writeOutputs(const devhost::Options& options, const devhost::DialogWatch& watch,
                  int unloadMode) {
    bool written = true;
    if (!options.snapshot.empty()) {
        if (devhost::WriteViewManagerSnapshot(options.snapshot)) {
            std::cout << "Snapshot of the View Manager: " << options.snapshot << '\n';
        } else {
            std::cerr << "devhost: no snapshot written to " << options.snapshot << '\n';
            written = false;
        }
    }
    if (!options.dumpJson.empty() && !devhost::WriteDump(options.dumpJson, watch, unloadMode)) {
        std::cerr << "devhost: cannot write " << options.dumpJson << '\n';
        written = false;
    }
    return written;
}

int runPlugin(const devhost::Options& options, const std::vector<devhost::ScriptLine>& script) {
    devhost::DialogWatch watch(options.automatic);
    devhost::PluginLibrary plugin(options.plugin);
    if (!plugin.IsLoaded()) {
        std::cerr << "devhost: " << plugin.Error() << '\n';
        return kFailed;
    }
    const int unloadMode = plugin.AskUnload();
    std::cout << "Running " << options.plugin << " (unload mode " << unloadMode << ")\n";
    plugin.Run();
    devhost::PumpPendingMessages();

    int result = 0;
    std::string error;
    devhost::ScriptRunner runner(plugin, watch, unloadMode, options.keepGoing);
    if (!runner.Run(script, error)) {
        std::cerr << "devhost: " << options.script << ": " << error << '\n';
        result = kScriptStopped;
    }
    for (const std::string& skipped : runner.Skipped())
        std::cerr << "devhost: " << options.script << ": skipped " << skipped << '\n';
    if (options.automatic && options.script.empty())
        devhost::PrintViewManagerTree(std::cout);
    if (!options.automatic)
        devhost::RunWhilePluginWindowsOpen(false);
    if (!writeOutputs(options, watch, unloadMode) && result == 0)
        result = kFailed;
    if (watch.UnusedAnswers() != 0)
        std::cerr << "devhost: " << watch.UnusedAnswers() << " answer(s) found no dialog\n";
    std::string left;
    if (!devhost::RunWhilePluginWindowsOpen(true, &left)) {
        std::cerr << "devhost: windows still open after being asked to close:" << left << '\n';
        if (result == 0)
            result = kFailed;
    }

    std::cout << "Message boxes: " << watch.Messages().size() << '\n';
    for (const devhost::ShownMessage& message : watch.Messages())
        std::cout << "  " << message.source << ": " << message.text << '\n';
    return result;
}

int run(const devhost::Options& options) {
    std::vector<devhost::ScriptLine> script;
    std::string error;
    if (!options.script.empty() && !readScript(options.script, script, error)) {
        std::cerr << "devhost: " << error << '\n';
        return kScriptStopped;
    }
    char loadError[1024];
    if (HOSTSIM_load_session_file(options.session.c_str(), loadError, sizeof loadError) != 0) {
        std::cerr << "devhost: " << loadError << '\n';
        return kFailed;
    }
    std::cout << "Session: " << options.session << '\n';
    devhost::PrintSessionSummary(std::cout);

    const int result = runPlugin(options, script);
    std::string problems = hostProblems();
    if (!problems.empty()) {
        std::cerr << "devhost:" << problems << '\n';
        return result != 0 ? result : kFailed;
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    devhost::Options options;
    std::string error;
    if (!devhost::ParseOptions(argc, argv, options, error)) {
        std::cerr << "devhost: " << error << '\n' << devhost::kUsage;
        return kScriptStopped;
    }
    // The CAD host initialises COM on its user-interface thread for its plug-ins.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int result = run(options);
    CoUninitialize();
    return result;
}
