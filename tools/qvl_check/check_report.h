// The checker's whole report: the configuration, and the rows over a session
// when one was given; as text for a person or as JSON for a program.
#pragma once

#include "tools/qvl_check/config_check.h"
#include "tools/qvl_check/session_rows.h"

#include <optional>
#include <ostream>
#include <string>

struct CheckReport {
    std::string configPath;
    ConfigCheck config;
    std::string sessionPath;
    std::optional<SessionCheck> session;
};

// Exit statuses of the checker.
constexpr int kCheckSound = 0;
constexpr int kCheckWarnings = 1;
constexpr int kCheckRefused = 2;
// The command line, or the session file, could not be used.
constexpr int kCheckNotDone = 3;

int ExitStatus(const CheckReport& report);

// "line N: text"; "line ?" when the line is not known.
std::string FormatFinding(const Finding& finding);

void WriteTextReport(std::ostream& out, const CheckReport& report);
void WriteJsonReport(std::ostream& out, const CheckReport& report);
