// Runs devhost.exe as a separate process, as a person or CI would, and
// reads the JSON dump it writes.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace devhost_test {

extern const std::string kScratch;
extern const std::string kDemoProduct;

struct DevhostRun {
    unsigned long exitCode = 0;
    nlohmann::json dump;
    std::string output; // standard output and error together
};

// The demo session, read from the source tree, with these product variables.
nlohmann::json DemoSession(const nlohmann::json& environment);

// Writes the session (and the script, when there is one) under kScratch/name
// and runs devhost.exe on them with --dump-json.
DevhostRun RunDevhost(const std::string& name, const nlohmann::json& session,
                      const std::string& script = "");

} // namespace devhost_test
