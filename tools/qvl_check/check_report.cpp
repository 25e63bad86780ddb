#include "tools/qvl_check/check_report.h"

int ExitStatus(const CheckReport& report) {
    if (report.session && !report.session->error.empty())
        return kCheckNotDone;
    if (report.config.refused())
        return kCheckRefused;
    return report.config.warnings.empty() ? kCheckSound : kCheckWarnings;
}

std::string FormatFinding(const Finding& finding) {
    const std::string line = finding.line > 0 ? std::to_string(finding.line) : "?";
    return "line " + line + ": " + finding.text;
}
