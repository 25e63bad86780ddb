// The report as a person reads it.
#include "tools/qvl_check/check_report.h"

namespace {

void write_groups(std::ostream& out, const std::vector<CheckedGroup>& groups) {
    out << "groups as the View Manager reads them (line, depth, tag, Description, key value, "
           "parent):\n";
    for (const CheckedGroup& group : groups) {
        out << "  line " << group.line << "  depth " << group.depth << "  "
            << std::string(static_cast<size_t>(group.depth) * 2, ' ') << group.tag << "  \""
            << group.description << "\"  key \"" << group.key << "\"  parent "
            << (group.parent >= 0 ? groups[static_cast<size_t>(group.parent)].tag : "-") << "\n";
    }
}

void write_session(std::ostream& out, const std::string& path, const SessionCheck& session) {
    if (!session.error.empty()) {
        out << "session " << path << " cannot be loaded: " << session.error << "\n";
        return;
    }
    out << "rows over the session " << path << " (tag, Description, key value, count):\n";
    for (const SessionRow& row : session.rows) {
        out << "  " << std::string(static_cast<size_t>(row.depth) * 2, ' ') << row.group << "  \""
            << row.description << "\"  key \"" << row.key << "\"  count " << row.count << "\n";
    }
    out << "session parts that no group takes: " << session.untakenParts.size() << "\n";
    for (const std::string& part : session.untakenParts)
        out << "  " << part << "\n";
    for (const std::string& message : session.hostMessages)
        out << "the View Manager says: " << message << "\n";
}

} // namespace

void WriteTextReport(std::ostream& out, const CheckReport& report) {
    const ConfigCheck& config = report.config;
    out << report.configPath << "\n";
    if (config.refused()) {
        out << "refused: the View Manager does not open; it shows:\n";
        for (const std::string& message : config.userMessages)
            out << "  " << message << "\n";
        for (const Finding& reason : config.refusalReasons)
            out << "because " << FormatFinding(reason) << "\n";
        return;
    }
    write_groups(out, config.groups);
    for (const Finding& warning : config.warnings)
        out << "warning: " << FormatFinding(warning) << "\n";
    if (report.session)
        write_session(out, report.sessionPath, *report.session);
    if (config.warnings.empty())
        out << "sound: " << config.groups.size() << " groups, no warnings\n";
    else
        out << config.warnings.size()
            << (config.warnings.size() == 1 ? " warning\n" : " warnings\n");
}
