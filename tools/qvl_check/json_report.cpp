// The report for programs.
#include "tools/qvl_check/check_report.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

json findings(const std::vector<Finding>& list) {
    json array = json::array();
    for (const Finding& finding : list)
        array.push_back({{"line", finding.line}, {"text", finding.text}});
    return array;
}

json groups(const std::vector<CheckedGroup>& list) {
    json array = json::array();
    for (const CheckedGroup& group : list) {
        array.push_back({{"line", group.line},
                         {"depth", group.depth},
                         {"tag", group.tag},
                         {"description", group.description},
                         {"key", group.key},
                         {"parent", group.parent}});
    }
    return array;
}

json session(const std::string& path, const SessionCheck& check) {
    json rows = json::array();
    for (const SessionRow& row : check.rows) {
        rows.push_back({{"depth", row.depth},
                        {"tag", row.group},
                        {"description", row.description},
                        {"key", row.key},
                        {"count", row.count}});
    }
    json result = {{"file", path},
                   {"rows", rows},
                   {"untakenParts", check.untakenParts},
                   {"hostMessages", check.hostMessages}};
    if (!check.error.empty())
        result["error"] = check.error;
    return result;
}

const char* result_name(int status) {
    switch (status) {
    case kCheckSound:
        return "sound";
    case kCheckWarnings:
        return "warnings";
    case kCheckRefused:
        return "refused";
    default:
        return "not done";
    }
}

} // namespace

void WriteJsonReport(std::ostream& out, const CheckReport& report) {
    const ConfigCheck& config = report.config;
    const int status = ExitStatus(report);
    json root = {{"file", report.configPath},
                 {"result", result_name(status)},
                 {"exitStatus", status},
                 {"userMessages", config.userMessages},
                 {"refusalReasons", findings(config.refusalReasons)},
                 {"groups", groups(config.groups)},
                 {"warnings", findings(config.warnings)}};
    if (report.session)
        root["session"] = session(report.sessionPath, *report.session);
    // Texts are in the ANSI code page; a character that is not UTF-8 as it
    // stands becomes U+FFFD rather than stopping the report.
    out << root.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}
