#include "tools/qvl_check/config_findings.h"

#include "config/dom/xml_dom.h"
#include "config/key_value_text.h"
#include "config/view_config_document.h"
#include "model/tree_list.h"

#include <string>
#include <unordered_map>

namespace {

constexpr size_t kLongestText = kViewConfigTextSize - 1;
// Node kinds, numbered as the W3C DOM does, that the reader cannot take.
constexpr int kCdataSectionNode = 4;
constexpr int kEntityReferenceNode = 5;
constexpr char kOtherSuffix[] = "_OTHER";

int line_of(const std::vector<int>& lines, size_t element) {
    return element < lines.size() ? lines[element] : 0;
}

std::string tag_text(const std::string& tag) {
    return "<" + tag + ">";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The text as a person types it: words separated by single blanks.
std::string as_typed(const std::string& text) {
    std::string typed;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !typed.empty();
            continue;
        }
        if (blank)
            typed += ' ';
        blank = false;
        typed += c;
    }
    return typed;
}

const char* first_child_kind(int type) {
    switch (type) {
    case xmldom::kTextNode:
        return "its text";
    case xmldom::kCommentNode:
        return "a comment";
    default:
        return "a processing instruction";
    }
}

class WarningFinder {
  public:
    WarningFinder(const ViewConfig& config, const std::vector<ElementFacts>& elements,
                  const std::vector<int>& lines)
        : m_config(config), m_elements(elements), m_lines(lines) {}

    std::vector<Finding> find() {
        std::unordered_map<std::string, int32_t> firstOfTag;
        for (int32_t e = 0; e < m_config.entryCount; ++e) {
            const int32_t first = firstOfTag.emplace(m_config.groupName[e], e).first->second;
            checkEntry(e);
            if (static_cast<size_t>(e) < m_elements.size())
                checkElement(e, m_elements[static_cast<size_t>(e)], first);
        }
        if (m_config.entryCount > MAX_ROWS) {
            add(MAX_ROWS, "the file has " + std::to_string(m_config.entryCount) +
                              " groups, more than the " + std::to_string(MAX_ROWS) +
                              " rows the View Manager holds: when they all become rows, those "
                              "from here on are left out");
        }
        return std::move(m_findings);
    }

  private:
    void add(int32_t entry, const std::string& text) {
        m_findings.push_back({line_of(m_lines, static_cast<size_t>(entry)), text});
    }

    // What the record alone tells.
    void checkEntry(int32_t e) {
        const std::string tag = m_config.groupName[e];
        const int32_t parent = m_config.parentIndex[e];
        if (parent >= 0 && ends_with(tag, kOtherSuffix) &&
            tag != m_config.groupName[parent] + std::string(kOtherSuffix)) {
            add(e, tag_text(tag) + " ends in " + kOtherSuffix + " but does not extend its parent " +
                       tag_text(m_config.groupName[parent]) +
                       ": it is an ordinary group, not the parent's " + kOtherSuffix + " group");
        }
        if (m_config.customName[e][0] == '\0')
            add(e,
                tag_text(tag) + " has no Description: its row has an empty label in the name tree");
    }

    // What only the element's children tell.
    void checkElement(int32_t e, const ElementFacts& element, int32_t firstOfTag) {
        const std::string tag = tag_text(element.tag.text);
        if (firstOfTag != e && element.hasElementChildren) {
            const std::string first =
                std::to_string(line_of(m_lines, static_cast<size_t>(firstOfTag)));
            add(e, tag + " has sub-groups and repeats the tag of line " + first +
                       ": its sub-groups join the group of line " + first);
        }
        if (element.hasElementChildren && element.firstChildType != xmldom::kElementNode) {
            add(e, tag + " starts with " + first_child_kind(element.firstChildType) +
                       ": its sub-elements do not count as sub-groups, so it is a row only when "
                       "its own parts are on display");
        }
        if (!element.laterText.empty()) {
            add(e, tag + " has the text " + quoted(element.laterText) +
                       " after its first child: only text that comes first is a key value");
        }
        if (!element.description.exact) {
            add(e, LostCharactersReason(element.tag.text, "Description") +
                       ": its row's label shows '?' for each");
        }
        const std::string key = m_config.keyValue[e];
        const std::string typed = as_typed(element.firstText.text);
        if (element.firstChildType == xmldom::kTextNode && key != typed) {
            add(e, tag + " key value is " + quoted(key) + ", not " + quoted(typed) +
                       ": line feeds are removed, inner blanks kept, and a part must carry the "
                       "value exactly");
        }
    }

    const ViewConfig& m_config;
    const std::vector<ElementFacts>& m_elements;
    const std::vector<int>& m_lines;
    std::vector<Finding> m_findings;
};

const char* node_kind(int type) {
    switch (type) {
    case kCdataSectionNode:
        return "a CDATA section";
    case kEntityReferenceNode:
        return "an entity reference";
    default:
        return "a node";
    }
}

void add_if_too_long(std::vector<Finding>& findings, int line, const std::string& tag,
                     const char* what, const std::string& text) {
    if (text.size() <= kLongestText)
        return;
    findings.push_back({line, tag_text(tag) + " " + what + " is " + std::to_string(text.size()) +
                                  " bytes, more than the " + std::to_string(kLongestText) +
                                  " the View Manager holds"});
}

void add_if_lost(std::vector<Finding>& findings, int line, const std::string& tag, const char* what,
                 const xmldom::AnsiText& text) {
    if (!text.exact)
        findings.push_back({line, LostCharactersReason(tag, what)});
}

} // namespace

std::vector<Finding> FindWarnings(const ViewConfig& config,
                                  const std::vector<ElementFacts>& elements,
                                  const std::vector<int>& lines) {
    return WarningFinder(config, elements, lines).find();
}

std::vector<Finding> FindRefusalReasons(const std::vector<ElementFacts>& elements,
                                        const std::vector<int>& lines) {
    std::vector<Finding> findings;
    for (size_t e = 0; e < elements.size(); ++e) {
        const ElementFacts& element = elements[e];
        const int line = line_of(lines, e);
        const std::string& tag = element.tag.text;
        add_if_too_long(findings, line, tag, "tag", tag);
        add_if_too_long(findings, line, tag, "Description", element.description.text);
        add_if_too_long(findings, line, tag, "key value", CleanKeyValue(element.firstText.text));
        add_if_lost(findings, line, tag, "tag", element.tag);
        add_if_lost(findings, line, tag, "key value", element.firstText);
        if (element.unreadableChildType != 0) {
            findings.push_back({line, tag_text(tag) + " holds " +
                                          node_kind(element.unreadableChildType) +
                                          ", which the View Manager cannot read"});
        }
    }
    return findings;
}
