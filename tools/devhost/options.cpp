#include "tools/devhost/options.h"

#include <windows.h>

namespace devhost {

const char kUsage[] =
    "usage: devhost [--auto] [--keep-going] [--plugin DLL] [--script FILE]\n"
    "               [--dump-json FILE] [--snapshot FILE.png] --session SESSION.json\n";

namespace {

std::string besideThisProgram(const char* name) {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : folder.substr(0, slash + 1)) + name;
}

std::string* valueOf(const std::string& option, Options& options) {
    if (option == "--session")
        return &options.session;
    if (option == "--plugin")
        return &options.plugin;
    if (option == "--script")
        return &options.script;
    if (option == "--dump-json")
        return &options.dumpJson;
    if (option == "--snapshot")
        return &options.snapshot;
    return nullptr;
}

} // namespace

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    options.plugin = besideThisProgram("kzqvl_view.dll");
    // Without a console to answer from, nobody could close a message box.
    options.automatic = GetFileType(GetStdHandle(STD_INPUT_HANDLE)) != FILE_TYPE_CHAR;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--auto") {
            options.automatic = true;
            continue;
        }
        if (option == "--keep-going") {
            options.keepGoing = true;
            continue;
        }
        std::string* value = valueOf(option, options);
        if (!value) {
            error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        *value = argv[++i];
    }
    if (options.session.empty()) {
        error = "no --session given";
        return false;
    }
    // A script is a run without a person: its own lines answer the prompts.
    if (!options.script.empty())
        options.automatic = true;
    return true;
}

} // namespace devhost
