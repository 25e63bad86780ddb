// The XML DOM on libxml2, for the native build.
#include "config/dom/windows1252.h"
#include "config/dom/xml_dom.h"

#include <algorithm>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <limits>
#include <memory>
#include <vector>

namespace xmldom {
namespace {

std::string to_utf8(const xmlChar* text) {
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

std::unique_ptr<Node> wrap(xmlNodePtr node);

class LibxmlNodeList : public NodeList {
  public:
    explicit LibxmlNodeList(xmlNodePtr parent) {
        for (xmlNodePtr child = parent->children; child; child = child->next)
            m_children.push_back(child);
    }
    long length() const override { return static_cast<long>(m_children.size()); }
    std::unique_ptr<Node> item(long index) const override {
        return wrap(m_children.at(static_cast<size_t>(index)));
    }

  private:
    std::vector<xmlNodePtr> m_children;
};

class LibxmlAttributeWalk : public AttributeWalk {
  public:
    explicit LibxmlAttributeWalk(xmlAttrPtr first) : m_next(first) {}
    std::unique_ptr<Node> nextNode() override {
        xmlAttrPtr attribute = m_next;
        if (!attribute)
            return nullptr;
        m_next = attribute->next;
        return wrap(reinterpret_cast<xmlNodePtr>(attribute));
    }

  private:
    xmlAttrPtr m_next;
};

class LibxmlNode : public Node {
  public:
    explicit LibxmlNode(xmlNodePtr node) : m_node(node) {}

    // libxml2 numbers the W3C kinds the W3C way, except the document type
    // declaration, which a parsed document holds as its own kind of node;
    // its other extra kinds keep numbers the reader treats as any other kind.
    int type() const override {
        return m_node->type == XML_DTD_NODE ? kDocumentTypeNode : static_cast<int>(m_node->type);
    }

    AnsiText nameText() const override { return Utf8ToWindows1252(utf8Name()); }

    AnsiText valueText() const override {
        // Freed however the conversion leaves: it allocates.
        const std::unique_ptr<xmlChar, void (*)(void*)> content(xmlNodeGetContent(m_node),
                                                                [](void* text) { xmlFree(text); });
        return Utf8ToWindows1252(to_utf8(content.get()));
    }

    std::unique_ptr<Node> firstChild() const override { return wrap(m_node->children); }
    std::unique_ptr<Node> nextSibling() const override { return wrap(m_node->next); }
    std::unique_ptr<Node> parent() const override { return wrap(m_node->parent); }
    std::unique_ptr<NodeList> childNodes() const override {
        return std::make_unique<LibxmlNodeList>(m_node);
    }
    bool hasChildNodes() const override { return m_node->children != nullptr; }

    std::unique_ptr<AttributeWalk> attributes() const override {
        if (m_node->type != XML_ELEMENT_NODE)
            throw NoAttributesError(name());
        return std::make_unique<LibxmlAttributeWalk>(m_node->properties);
    }

  private:
    std::string utf8Name() const {
        switch (m_node->type) {
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE:
            // The qualified name, as MSXML gives it.
            if (m_node->ns && m_node->ns->prefix)
                return to_utf8(m_node->ns->prefix) + ":" + to_utf8(m_node->name);
            return to_utf8(m_node->name);
        case XML_TEXT_NODE:
            return "#text";
        case XML_CDATA_SECTION_NODE:
            return "#cdata-section";
        case XML_COMMENT_NODE:
            return "#comment";
        case XML_DOCUMENT_NODE:
            return "#document";
        default:
            return to_utf8(m_node->name);
        }
    }

    xmlNodePtr m_node;
};

std::unique_ptr<Node> wrap(xmlNodePtr node) {
    return node ? std::make_unique<LibxmlNode>(node) : nullptr;
}

// The node after node in document order once node's own children are done
// with, or null at the end of top's children.
xmlNodePtr node_after_children(xmlNodePtr node, xmlNodePtr top) {
    while (node != top && !node->next)
        node = node->parent;
    return node == top ? nullptr : node->next;
}

// MSXML drops text that is only white space unless xml:space="preserve"
// keeps it; so does this backend, so that the reader sees the same tree.
// Walked without recursion: elements may nest thousands of levels deep.
void drop_white_space_text(xmlNodePtr top) {
    for (xmlNodePtr node = top->children; node;) {
        if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        xmlNodePtr next = node_after_children(node, top);
        if (node->type == XML_TEXT_NODE && xmlIsBlankNode(node) &&
            xmlNodeGetSpacePreserve(node->parent) != 1) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

// MSXML reads nesting far deeper than libxml2's default bound of 256 levels
// below the root. The bound is raised beyond any view a person writes but
// kept: lifting it with XML_PARSE_HUGE would also lift the guards against
// entity expansion.
constexpr unsigned kMaxLevelsBelowRoot = 10000;

class LibxmlDocument : public Document {
  public:
    LibxmlDocument() : m_parser(xmlNewParserCtxt()) {
        if (!m_parser)
            throw DomError("the XML parser cannot be created");
        // libxml2 keeps the bound for the whole process.
        xmlParserMaxDepth = std::max(xmlParserMaxDepth, kMaxLevelsBelowRoot);
        m_parser->_private = this;
        m_parser->sax->serror = keep_error;
        m_parser->sax->internalSubset = refuse_document_type;
    }
    ~LibxmlDocument() override {
        xmlFreeDoc(m_document);
        xmlFreeParserCtxt(m_parser);
    }
    LibxmlDocument(const LibxmlDocument&) = delete;
    LibxmlDocument& operator=(const LibxmlDocument&) = delete;

    bool load(const char* path) override {
        clear();
        return loaded(xmlCtxtReadFile(m_parser, LocalFilePath(path).c_str(), nullptr, kOptions));
    }

    bool loadBytes(const std::string& bytes, const char* path) override {
        clear();
        if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
            throw DomError("the file is too large for the XML parser");
        return loaded(xmlCtxtReadMemory(m_parser, bytes.data(), static_cast<int>(bytes.size()),
                                        LocalFilePath(path).c_str(), nullptr, kOptions));
    }

    uint32_t parseErrorCode() const override { return m_errorCode; }
    std::string parseErrorReason() const override { return m_errorReason; }

    std::unique_ptr<NodeList> childNodes() const override {
        return std::make_unique<LibxmlNodeList>(reinterpret_cast<xmlNodePtr>(m_document));
    }

  private:
    // Without options entities are not replaced and CDATA sections are kept,
    // as MSXML does; nothing is fetched from the network.
    static constexpr int kOptions = XML_PARSE_NONET;
    // The error a document type declaration stops the parser with.
    static constexpr uint32_t kDocumentTypeRefused = XML_ERR_USER_STOP;

    void clear() {
        xmlFreeDoc(m_document);
        m_document = nullptr;
        m_errorCode = 0;
        m_errorIsWarning = false;
        m_errorReason.clear();
    }

    bool loaded(xmlDocPtr document) {
        // MSXML refuses a document that breaks the namespace rules (an
        // attribute twice under two prefixes of one namespace, a prefix never
        // declared); libxml2 reports it and reads on.
        if (document && !m_parser->nsWellFormed) {
            xmlFreeDoc(document);
            return false;
        }
        m_document = document;
        if (!m_document)
            return false;
        drop_white_space_text(reinterpret_cast<xmlNodePtr>(m_document));
        return true;
    }

    // The parser meets the declaration before anything it declares: stopped
    // there, no entity is defined, none expanded and no external subset read.
    static void refuse_document_type(void* parser, const xmlChar*, const xmlChar*, const xmlChar*) {
        auto* context = static_cast<xmlParserCtxtPtr>(parser);
        auto* document = static_cast<LibxmlDocument*>(context->_private);
        document->m_errorCode = kDocumentTypeRefused;
        document->m_errorIsWarning = false;
        document->m_errorReason = "a document type declaration is not accepted";
        xmlStopParser(context);
        // Stopping alone would hand back what was parsed so far.
        context->wellFormed = 0;
    }

    // Reports go here instead of being printed. The first error is kept, as
    // MSXML reports the one it stopped at (libxml2's last is often just the
    // end of data after it); a file that cannot be opened only warns.
    static void keep_error(void* parser, xmlErrorPtr error) {
        auto* document =
            static_cast<LibxmlDocument*>(static_cast<xmlParserCtxtPtr>(parser)->_private);
        if (document->m_errorCode != 0 && !document->m_errorIsWarning)
            return;
        document->m_errorCode = static_cast<uint32_t>(error->code);
        document->m_errorIsWarning = error->level == XML_ERR_WARNING;
        document->m_errorReason = error->message ? error->message : "";
        document->m_errorReason.erase(document->m_errorReason.find_last_not_of("\r\n") + 1);
    }

    xmlParserCtxtPtr m_parser;
    xmlDocPtr m_document = nullptr;
    uint32_t m_errorCode = 0;
    bool m_errorIsWarning = false;
    std::string m_errorReason;
};

} // namespace

std::unique_ptr<Document> CreateDocument() {
    return std::make_unique<LibxmlDocument>();
}

std::string LocalFilePath(const char* path) {
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

} // namespace xmldom
