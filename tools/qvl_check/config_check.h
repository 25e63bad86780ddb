// A view configuration file as the View Manager reads it, with what a person
// should know before handing it to designers.
#pragma once

#include "config/view_config.h"
#include "tools/qvl_check/finding.h"

#include <string>
#include <vector>

struct CheckedGroup {
    int line;
    int depth; // 0 for the root
    std::string tag;
    std::string description;
    std::string key;
    int parent; // the parent group's index, -1 for the root
};

struct ConfigCheck {
    int readResult = kViewConfigFormatError; // ReadViewConfig's result
    // What the View Manager shows when it refuses the file, in order.
    std::vector<std::string> userMessages;
    std::vector<Finding> refusalReasons;
    std::vector<CheckedGroup> groups;
    std::vector<Finding> warnings;

    bool refused() const { return readResult != 0; }
};

// Reads the file with the View Manager's reader. On Windows COM must be
// initialised on the thread.
ConfigCheck CheckConfiguration(const std::string& path);
