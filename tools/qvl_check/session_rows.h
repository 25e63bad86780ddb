// The rows a View Manager would build from a configuration over a session of
// the simulated host.
#pragma once

#include <string>
#include <vector>

struct SessionRow {
    int depth; // 0 for a top row
    std::string group;
    std::string description;
    std::string key;
    int count; // the number in the row's count column
};

struct SessionCheck {
    std::string error; // why the session could not be loaded; empty when it was
    std::vector<SessionRow> rows;
    // Session parts that no row takes, in session order.
    std::vector<std::string> untakenParts;
    // What the host's message box showed during the build.
    std::vector<std::string> hostMessages;
};

// Loads the session file into the simulated host and builds the rows of the
// configuration at configPath, as the View Manager's start does.
SessionCheck CheckSession(const std::string& configPath, const std::string& sessionPath);
