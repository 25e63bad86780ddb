// The XML DOM on MSXML through COM, for Windows. COM is initialised on the
// thread by whoever runs the reader (the host does on its own thread).
#include "config/dom/win32/code_page_text.h"
#include "config/dom/win32/com_values.h"
#include "config/dom/win32/untrusted_dom_document.h"
#include "config/dom/xml_dom.h"

#include <windows.h>

#include <msxml2.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

namespace xmldom {
namespace {

using Microsoft::WRL::ComPtr;

std::string to_ansi(BSTR text) {
    return WideToCodePage(text, static_cast<int>(SysStringLen(text)), CP_ACP);
}

// A character the code page lacks does not come back from the default
// character that stands for it.
AnsiText to_ansi_text(BSTR text) {
    std::string ansi = to_ansi(text);
    const bool exact =
        CodePageToWide(ansi.c_str(), CP_ACP) == std::wstring(text ? text : L"", SysStringLen(text));
    return {std::move(ansi), exact};
}

BSTR to_bstr(const char* ansi) {
    const std::wstring wide = CodePageToWide(ansi, CP_ACP);
    BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!text)
        throw std::bad_alloc();
    return text;
}

std::unique_ptr<Node> wrap(ComPtr<IXMLDOMNode> node);

class MsxmlNodeList : public NodeList {
  public:
    explicit MsxmlNodeList(ComPtr<IXMLDOMNodeList> list) : m_list(std::move(list)) {}
    long length() const override {
        long length = 0;
        check(m_list->get_length(&length), "IXMLDOMNodeList::get_length");
        return length;
    }
    std::unique_ptr<Node> item(long index) const override {
        ComPtr<IXMLDOMNode> node;
        check(m_list->get_item(index, &node), "IXMLDOMNodeList::get_item");
        if (!node)
            throw DomError("IXMLDOMNodeList::get_item yields no node");
        return wrap(std::move(node));
    }

  private:
    ComPtr<IXMLDOMNodeList> m_list;
};

// Null when the DOM yields no list.
std::unique_ptr<NodeList> wrap(ComPtr<IXMLDOMNodeList> list) {
    return list ? std::make_unique<MsxmlNodeList>(std::move(list)) : nullptr;
}

class MsxmlAttributeWalk : public AttributeWalk {
  public:
    explicit MsxmlAttributeWalk(ComPtr<IXMLDOMNamedNodeMap> map) : m_map(std::move(map)) {}
    std::unique_ptr<Node> nextNode() override {
        ComPtr<IXMLDOMNode> attribute;
        check(m_map->nextNode(&attribute), "IXMLDOMNamedNodeMap::nextNode");
        return wrap(std::move(attribute));
    }

  private:
    ComPtr<IXMLDOMNamedNodeMap> m_map;
};

class MsxmlNode : public Node {
  public:
    explicit MsxmlNode(ComPtr<IXMLDOMNode> node) : m_node(std::move(node)) {}

    int type() const override {
        DOMNodeType type = NODE_INVALID;
        check(m_node->get_nodeType(&type), "IXMLDOMNode::get_nodeType");
        return static_cast<int>(type);
    }

    AnsiText nameText() const override {
        Bstr name;
        check(m_node->get_nodeName(name.out()), "IXMLDOMNode::get_nodeName");
        return to_ansi_text(name.get());
    }

    AnsiText valueText() const override {
        Variant value;
        check(m_node->get_nodeValue(&value.get()), "IXMLDOMNode::get_nodeValue");
        check(VariantChangeType(&value.get(), &value.get(), 0, VT_BSTR), "VariantChangeType");
        return to_ansi_text(value.get().bstrVal);
    }

    std::unique_ptr<Node> firstChild() const override {
        return neighbour(&IXMLDOMNode::get_firstChild, "IXMLDOMNode::get_firstChild");
    }
    std::unique_ptr<Node> nextSibling() const override {
        return neighbour(&IXMLDOMNode::get_nextSibling, "IXMLDOMNode::get_nextSibling");
    }
    std::unique_ptr<Node> parent() const override {
        return neighbour(&IXMLDOMNode::get_parentNode, "IXMLDOMNode::get_parentNode");
    }

    std::unique_ptr<NodeList> childNodes() const override {
        ComPtr<IXMLDOMNodeList> list;
        check(m_node->get_childNodes(&list), "IXMLDOMNode::get_childNodes");
        return wrap(std::move(list));
    }

    bool hasChildNodes() const override {
        VARIANT_BOOL has = VARIANT_FALSE;
        check(m_node->hasChildNodes(&has), "IXMLDOMNode::hasChildNodes");
        return has != VARIANT_FALSE;
    }

    std::unique_ptr<AttributeWalk> attributes() const override {
        ComPtr<IXMLDOMNamedNodeMap> map;
        check(m_node->get_attributes(&map), "IXMLDOMNode::get_attributes");
        if (!map)
            throw NoAttributesError(name());
        return std::make_unique<MsxmlAttributeWalk>(std::move(map));
    }

  private:
    template <typename Getter>
    std::unique_ptr<Node> neighbour(Getter getter, const char* operation) const {
        ComPtr<IXMLDOMNode> node;
        check((m_node.Get()->*getter)(&node), operation);
        return wrap(std::move(node));
    }

    ComPtr<IXMLDOMNode> m_node;
};

std::unique_ptr<Node> wrap(ComPtr<IXMLDOMNode> node) {
    return node ? std::make_unique<MsxmlNode>(std::move(node)) : nullptr;
}

class MsxmlDocument : public Document {
  public:
    MsxmlDocument() : m_document(CreateUntrustedDomDocument()) {}

    bool load(const char* path) override {
        Variant source;
        source.get().vt = VT_BSTR;
        source.get().bstrVal = to_bstr(path);
        return loaded(source);
    }

    // The bytes as a byte array, which MSXML reads as it reads a file: its
    // encoding found from its byte order mark or declaration.
    bool loadBytes(const std::string& bytes, const char*) override {
        if (bytes.size() > MAXLONG)
            throw DomError("the file is too large for the XML parser");
        Variant source;
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        if (!array)
            throw std::bad_alloc();
        source.get().vt = VT_ARRAY | VT_UI1;
        source.get().parray = array;
        void* data = nullptr;
        check(SafeArrayAccessData(array, &data), "SafeArrayAccessData");
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
        check(SafeArrayUnaccessData(array), "SafeArrayUnaccessData");
        return loaded(source);
    }

    uint32_t parseErrorCode() const override {
        long code = 0;
        check(parseError()->get_errorCode(&code), "IXMLDOMParseError::get_errorCode");
        return static_cast<uint32_t>(code);
    }

    std::string parseErrorReason() const override {
        Bstr reason;
        check(parseError()->get_reason(reason.out()), "IXMLDOMParseError::get_reason");
        return to_ansi(reason.get());
    }

    std::unique_ptr<NodeList> childNodes() const override {
        ComPtr<IXMLDOMNodeList> list;
        check(m_document->get_childNodes(&list), "IXMLDOMDocument::get_childNodes");
        return wrap(std::move(list));
    }

  private:
    bool loaded(Variant& source) {
        VARIANT_BOOL loaded = VARIANT_FALSE;
        check(m_document->load(source.get(), &loaded), "IXMLDOMDocument::load");
        return loaded != VARIANT_FALSE;
    }

    ComPtr<IXMLDOMParseError> parseError() const {
        ComPtr<IXMLDOMParseError> error;
        check(m_document->get_parseError(&error), "IXMLDOMDocument::get_parseError");
        if (!error)
            throw DomError("IXMLDOMDocument::get_parseError yields no error");
        return error;
    }

    ComPtr<IXMLDOMDocument2> m_document;
};

} // namespace

std::unique_ptr<Document> CreateDocument() {
    return std::make_unique<MsxmlDocument>();
}

std::string LocalFilePath(const char* path) {
    return path;
}

} // namespace xmldom
