// Session files: JSON in, JSON out. The format is described in README.md.
#pragma once

#include "hostsim/call_log.h"
#include "hostsim/session.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace hostsim {

class Simulator;

struct LoadedSession {
    Session session;
    std::vector<Fault> faults;
};

// Reads a session. source names the text in error messages; ${SESSION_DIR}
// in environment values becomes baseDir. On a fault, error says where.
std::optional<LoadedSession> readSession(const std::string& text, const std::string& source,
                                         const std::string& baseDir, std::string* error);

// The session part of the state, in the form readSession accepts.
nlohmann::json writeSession(Session& session);
// The whole state: {"session": ..., "runtime": ...}.
nlohmann::json writeState(Simulator& simulator);

} // namespace hostsim
