// Runs devhost.exe as a separate process, as a person or CI would, and
// reads the JSON dump it writes.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <utility>
#include <vector>

namespace devhost_test {

extern const std::string kScratch;
extern const std::string kDemoProduct;

struct DevhostRun {
    unsigned long exitCode = 0;
    bool finished = true; // false: stopped at the time limit
    nlohmann::json dump;
    std::string output; // standard output and error together
};

// What a run adds to the plain one.
struct RunSettings {
    std::vector<std::string> arguments; // more options, each one word
    // Variables set for the run only.
    std::vector<std::pair<std::string, std::string>> environment;
    unsigned long timeLimitSeconds = 60;
};

// A file in the folder of the test program, where devhost.exe and the
// plug-in are built.
std::string BesideThisTest(const std::string& name);

// The demo session, read from the source tree, with these product variables.
nlohmann::json DemoSession(const nlohmann::json& environment);

// The demo in the name tree, whose row labels are the groups' descriptions,
// over that product folder.
nlohmann::json NameTreeDemo(const std::string& product = kDemoProduct);

// Writes the session (and the script, when there is one) under kScratch/name
// and runs devhost.exe on them with --auto and --dump-json, stopping it at
// the time limit.
DevhostRun RunDevhost(const std::string& name, const nlohmann::json& session,
                      const std::string& script = "", const RunSettings& settings = {});

} // namespace devhost_test
