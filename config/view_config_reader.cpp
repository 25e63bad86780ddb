// Reading the view configuration file through the XML DOM.
#include "config/dom/xml_dom.h"
#include "config/element_description.h"
#include "config/framework_message.h"
#include "config/key_value_text.h"
#include "config/view_config.h"
#include "config/view_config_document.h"
#include "config/view_config_record.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

using xmldom::DomError;
using xmldom::Node;
using xmldom::NodeList;

namespace {

// The content lacks something the record needs; the caller reports it.
struct FormatError {};

// The content would stand in the record as something else; the reader tells
// the user why and where.
struct Refusal {
    std::string reason;
    int line;
};

// "XML Parse Error 0x1a : reason", the parser's code in hexadecimal as the message has always
// shown it.
std::string parse_error_message(unsigned code, const std::string& reason) {
    char hex[2 * sizeof code + 1];
    // Eight hexadecimal digits always fit.
    static_cast<void>(std::snprintf(hex, sizeof hex, "%x", code));
    return std::string("XML Parse Error 0x") + hex + " : " + reason;
}

std::unique_ptr<NodeList> child_list(std::unique_ptr<NodeList> list) {
    if (!list)
        throw FormatError();
    return list;
}

// A node the walk cannot do without: its absence is a failure of the DOM.
std::unique_ptr<Node> required(std::unique_ptr<Node> node, const char* what) {
    if (!node)
        throw DomError(std::string("the DOM yields no ") + what);
    return node;
}

bool is_skipped(const Node& node) {
    const int type = node.type();
    return type == xmldom::kProcessingInstructionNode || type == xmldom::kCommentNode ||
           type == xmldom::kTextNode;
}

class Reader {
  public:
    // lines[i] is the line of entry i's element, when the scan found it.
    Reader(ViewConfig& config, const std::vector<int>& lines) : m_config(config), m_lines(lines) {}

    void read(const xmldom::Document& document) {
        const std::unique_ptr<Node> root = find_root(*child_list(document.childNodes()));
        add_entry(*root, true);
        walk_below(*root);
    }

  private:
    // The first node of the document that is not a processing instruction
    // (the XML declaration among them), a comment or the document type
    // declaration.
    static std::unique_ptr<Node> find_root(const NodeList& nodes) {
        for (long i = 0; i < nodes.length(); ++i) {
            std::unique_ptr<Node> node = nodes.item(i);
            const int type = node->type();
            if (type != xmldom::kProcessingInstructionNode && type != xmldom::kCommentNode &&
                type != xmldom::kDocumentTypeNode)
                return node;
        }
        throw DomError("the document has no root element");
    }

    // Every node below the root in document order, each before its children.
    // The depth tells when climbing back would leave the root.
    void walk_below(const Node& root) {
        std::unique_ptr<Node> current = root.firstChild();
        int depth = 1;
        while (current) {
            if (!is_skipped(*current)) {
                add_entry(*current, false);
                if (current->hasChildNodes()) {
                    current = required(current->firstChild(), "first child");
                    ++depth;
                    continue;
                }
            }
            std::unique_ptr<Node> next = current->nextSibling();
            while (!next && depth > 1) {
                current = required(current->parent(), "parent");
                --depth;
                next = current->nextSibling();
            }
            current = std::move(next);
        }
    }

    // Tags name the groups: the parent is the first entry with the tag of the
    // element's parent, so sub-groups of a repeated tag join its first
    // element.
    int32_t parent_entry(const Node& element) const {
        const auto found = m_firstEntryOfTag.find(required(element.parent(), "parent")->name());
        if (found == m_firstEntryOfTag.end())
            throw FormatError();
        return found->second;
    }

    // Tags and key values are matched against the parts' texts: one holding
    // '?' for what the code page lacks would stand for another, so the file
    // is refused. A Description is only shown.
    std::string exact_text(const xmldom::AnsiText& text, const std::string& tag,
                           const char* what) const {
        if (text.exact)
            return text.text;
        const auto entry = static_cast<size_t>(m_config.entryCount);
        throw Refusal{LostCharactersReason(tag, what), entry < m_lines.size() ? m_lines[entry] : 0};
    }

    void add_entry(const Node& element, bool isRoot) {
        ViewConfigEntry entry{0, -1, {}, {}, {}};
        const xmldom::AnsiText tag = element.nameText();
        entry.groupName = exact_text(tag, tag.text, "tag");
        const std::unique_ptr<NodeList> children = child_list(element.childNodes());
        if (children->length() > 0) {
            const std::unique_ptr<Node> first = children->item(0);
            entry.hasSubGroups = first->type() == xmldom::kElementNode ? 1 : 0;
            if (first->type() == xmldom::kTextNode)
                entry.keyValue =
                    CleanKeyValue(exact_text(first->valueText(), tag.text, "key value"));
        }
        entry.customName = ElementDescription(element).text;
        if (!isRoot)
            entry.parentIndex = parent_entry(element);

        switch (AppendViewConfigEntry(m_config, entry)) {
        case AppendResult::kAppended:
            m_firstEntryOfTag.emplace(entry.groupName, m_config.entryCount - 1);
            return;
        case AppendResult::kTextTooLong:
            // The record's strings are fixed; a cut tag or key value would
            // stand for another group or value than the file's, so the file
            // is refused.
            throw FormatError();
        case AppendResult::kOutOfMemory:
            throw std::bad_alloc();
        }
    }

    ViewConfig& m_config;
    const std::vector<int>& m_lines;
    std::unordered_map<std::string, int32_t> m_firstEntryOfTag;
};

int refuse(const char* path, const std::string& reason, int line) {
    ShowFrameworkMessage(ViewConfigRefusalMessage(path, reason, line).c_str());
    return kViewConfigReported;
}

int read_file(const char* path, ViewConfig& config) {
    const ViewConfigDocument source = LoadViewConfigDocument(path);
    if (!source.refusal.empty())
        return refuse(path, source.refusal, source.refusalLine);
    if (!source.loaded) {
        ShowFrameworkMessage(
            parse_error_message(static_cast<unsigned>(source.document->parseErrorCode()),
                                source.document->parseErrorReason())
                .c_str());
        return kViewConfigReported;
    }
    try {
        Reader(config, source.elementLines).read(*source.document);
    } catch (const Refusal& refusal) {
        return refuse(path, refusal.reason, refusal.line);
    }
    return kViewConfigRead;
}

// What a failed read had allocated is given back at once, whichever way
// the read leaves.
// The longest reason a load failure tells.
constexpr size_t kReasonSize = 512;

class ReleasedUnlessRead {
  public:
    explicit ReleasedUnlessRead(ViewConfig* config) : m_config(config) {}
    ~ReleasedUnlessRead() {
        if (!m_read)
            ReleaseViewConfig(m_config);
    }
    ReleasedUnlessRead(const ReleasedUnlessRead&) = delete;
    ReleasedUnlessRead& operator=(const ReleasedUnlessRead&) = delete;
    void Read() { m_read = true; }

  private:
    ViewConfig* m_config;
    bool m_read = false;
};

} // namespace

int ReadViewConfig(const char* path, ViewConfig* config) {
    ReleasedUnlessRead release(config);
    char reason[kReasonSize] = "";
    try {
        const int result = read_file(path, *config);
        if (result == kViewConfigRead)
            release.Read();
        return result;
    } catch (const FormatError&) {
        return kViewConfigFormatError;
    } catch (const DomError& error) {
        ShowFrameworkMessage("Load Failure");
        // The message is made outside the handler, so that an allocation that
        // fails while making it leaves like any other.
        // A reason longer than the buffer is cut: the message stays readable.
        static_cast<void>(std::snprintf(reason, sizeof reason, "%s", error.what()));
    } catch (const std::bad_alloc&) {
        // Not a fault of the file: the caller's barrier tells the user.
        throw;
    } catch (...) {
        ShowFrameworkMessage("Load Failure");
        return kViewConfigFormatError;
    }
    ShowFrameworkMessage((std::string("ERROR on open of URL: ") + reason).c_str());
    return kViewConfigReported;
}
