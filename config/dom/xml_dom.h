// The few operations of an XML DOM that the view configuration reader walks
// the file with. Two backends implement it: MSXML through COM on Windows
// (msxml_dom.cpp) and libxml2 elsewhere (libxml2_dom.cpp); both give the
// reader the same tree. Texts are 8-bit text in the ANSI code page.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace xmldom {

// Node types as the W3C DOM numbers them; kinds the reader does not tell
// apart are not named.
enum NodeType {
    kElementNode = 1,
    kTextNode = 3,
    kProcessingInstructionNode = 7,
    kCommentNode = 8,
    kDocumentNode = 9,
    kDocumentTypeNode = 10
};

// A failed DOM operation; what() describes it for the user.
class DomError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The failure of asking a node that is not an element for its attributes.
inline DomError NoAttributesError(const std::string& nodeName) {
    return DomError(nodeName + " has no attributes");
}

// Text of the file in the ANSI code page. Each character the code page lacks
// became '?': the text is then not exact.
struct AnsiText {
    std::string text;
    bool exact = true;
};

class Node;

class NodeList {
  public:
    virtual ~NodeList() = default;
    virtual long length() const = 0;
    // The node at index, 0 <= index < length().
    virtual std::unique_ptr<Node> item(long index) const = 0;
};

// Walks the attributes of an element in document order.
class AttributeWalk {
  public:
    virtual ~AttributeWalk() = default;
    // The next attribute, null after the last.
    virtual std::unique_ptr<Node> nextNode() = 0;
};

// A node of a loaded document, valid while its document lives. Operations
// that fail throw DomError; the neighbours are null where there are none.
class Node {
  public:
    virtual ~Node() = default;
    virtual int type() const = 0;
    virtual AnsiText nameText() const = 0;
    // The text of a text node or the value of an attribute.
    virtual AnsiText valueText() const = 0;
    std::string name() const { return nameText().text; }
    std::string value() const { return valueText().text; }
    virtual std::unique_ptr<Node> firstChild() const = 0;
    virtual std::unique_ptr<Node> nextSibling() const = 0;
    virtual std::unique_ptr<Node> parent() const = 0;
    // Null when the node yields no child list.
    virtual std::unique_ptr<NodeList> childNodes() const = 0;
    virtual bool hasChildNodes() const = 0;
    // Throws NoAttributesError for a node that is not an element.
    virtual std::unique_ptr<AttributeWalk> attributes() const = 0;
};

// A document loaded synchronously from a file. Text that is only white space
// does not become nodes (unless xml:space="preserve" keeps it), entity
// references are not replaced and CDATA sections stay what they are. The file
// is not trusted: a document type declaration fails the load, so no entity
// it would define is ever expanded, and nothing the file names is opened.
class Document {
  public:
    virtual ~Document() = default;
    // False when the file cannot be read, is not well-formed or breaks the
    // namespace rules.
    virtual bool load(const char* path) = 0;
    // The same for a file already read: its bytes as stored, and its path for
    // the parser's messages.
    virtual bool loadBytes(const std::string& bytes, const char* path) = 0;
    // Why the last load failed.
    virtual uint32_t parseErrorCode() const = 0;
    virtual std::string parseErrorReason() const = 0;
    // Null when the document yields no child list.
    virtual std::unique_ptr<NodeList> childNodes() const = 0;
};

// A new, empty document. Throws DomError when none can be created.
std::unique_ptr<Document> CreateDocument();

// The path as this platform's file functions take it: the host names files
// the Windows way.
std::string LocalFilePath(const char* path);

} // namespace xmldom
