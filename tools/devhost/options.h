// The development host's command line.
#pragma once

#include <string>

namespace devhost {

struct Options {
    std::string session;
    std::string plugin;
    std::string script;
    std::string dumpJson;
    std::string snapshot;
    // Nobody at the screen: message boxes and prompts are answered at once,
    // and the plug-in's windows are closed when the run is over.
    bool automatic = false;
    // A script line that cannot be carried out is passed over, not the end of the run.
    bool keepGoing = false;
};

extern const char kUsage[];

// False, with the reason in error, for a command line that is not understood.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

} // namespace devhost
