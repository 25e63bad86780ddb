#include "tools/qvl_check/config_check.h"

#include "config/dom/xml_dom.h"
#include "config/framework_message_recorder.h"
#include "config/view_config.h"
#include "tools/qvl_check/config_findings.h"
#include "tools/qvl_check/element_facts.h"
#include "tools/qvl_check/element_lines.h"

#include <fstream>
#include <iterator>

namespace {

std::string file_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<ElementFacts> element_facts(const std::string& path) {
    try {
        return ReadElementFacts(path.c_str());
    } catch (const xmldom::DomError&) {
        // The reader has met the same failure and said so.
        return {};
    }
}

std::vector<CheckedGroup> groups_of(const ViewConfig& config, const std::vector<int>& lines) {
    std::vector<CheckedGroup> groups;
    for (int32_t e = 0; e < config.entryCount; ++e) {
        const int parent = config.parentIndex[e];
        const bool hasParent = parent >= 0 && parent < e;
        groups.push_back({static_cast<size_t>(e) < lines.size() ? lines[static_cast<size_t>(e)] : 0,
                          hasParent ? groups[static_cast<size_t>(parent)].depth + 1 : 0,
                          config.groupName[e], config.customName[e], config.keyValue[e],
                          hasParent ? parent : -1});
    }
    return groups;
}

} // namespace

ConfigCheck CheckConfiguration(const std::string& path) {
    ConfigCheck check;
    ClearRecordedFrameworkMessages();
    ViewConfig config{};
    check.readResult = ReadViewConfig(path.c_str(), &config);
    check.userMessages = RecordedFrameworkMessages();
    ClearRecordedFrameworkMessages();
    if (check.readResult == kViewConfigFormatError)
        check.userMessages.push_back(kViewConfigFormatErrorMessage);

    const std::vector<int> lines = ElementStartLines(file_bytes(path));
    const std::vector<ElementFacts> elements = element_facts(path);
    if (check.refused()) {
        check.refusalReasons = FindRefusalReasons(elements, lines);
        return check;
    }
    check.groups = groups_of(config, lines);
    check.warnings = FindWarnings(config, elements, lines);
    ReleaseViewConfig(&config);
    return check;
}
