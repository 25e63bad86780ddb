#include "tools/qvl_check/config_check.h"

#include "config/dom/xml_dom.h"
#include "config/framework_message_recorder.h"
#include "config/view_config_document.h"
#include "config/view_config_file.h"
#include "tools/qvl_check/config_findings.h"
#include "tools/qvl_check/element_facts.h"

namespace {

// The file as the reader's loading sees it, and its elements' facts when it
// loads; a DOM that fails has failed the reader the same way, which has said
// so.
struct LoadedFacts {
    ViewConfigDocument source;
    std::vector<ElementFacts> elements;
};

LoadedFacts loaded_facts(const std::string& path) {
    LoadedFacts loaded;
    try {
        loaded.source = LoadViewConfigDocument(path.c_str());
        if (loaded.source.loaded)
            loaded.elements = ReadElementFacts(*loaded.source.document);
    } catch (const xmldom::DomError&) {
        loaded.elements.clear();
    }
    return loaded;
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
    const ViewConfigFile file(path.c_str());
    const ViewConfig& config = file.Get();
    check.readResult = file.Result();
    check.userMessages = RecordedFrameworkMessages();
    ClearRecordedFrameworkMessages();
    if (check.readResult == kViewConfigFormatError)
        check.userMessages.push_back(kViewConfigFormatErrorMessage);

    const LoadedFacts loaded = loaded_facts(path);
    const std::vector<int>& lines = loaded.source.elementLines;
    const std::vector<ElementFacts>& elements = loaded.elements;
    if (!loaded.source.refusal.empty()) {
        check.refusalReasons = {{loaded.source.refusalLine, loaded.source.refusal}};
        return check;
    }
    if (check.refused()) {
        check.refusalReasons = FindRefusalReasons(elements, lines);
        return check;
    }
    check.groups = groups_of(config, lines);
    check.warnings = FindWarnings(config, elements, lines);
    return check;
}
