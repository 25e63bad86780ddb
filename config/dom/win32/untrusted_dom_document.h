// The MSXML DOM document, made for a file that nobody here controls: created
// in this process only, loading synchronously, resolving nothing external,
// validating nothing, refusing a document type declaration and bounding depth
// and size. MSXML 3 allows all of it by default.
#pragma once

#include <windows.h>

#include <msxml2.h>
#include <wrl/client.h>

namespace xmldom {

// What a document's settings read back as; a setting the DOM does not know
// reads back as unknown.
struct UntrustedDomSettings {
    enum Known { kUnknown, kOff, kOn };
    bool async;
    bool resolveExternals;
    bool validateOnParse;
    Known prohibitDtd;
    long maxElementDepth; // -1 when unknown
    long maxXmlSizeKb;    // -1 when unknown
};

constexpr long kMaxElementDepth = 10001; // the root and 10,000 levels below it
constexpr long kMaxXmlSizeKb = 8192;     // in blocks of 1,024 characters

// Throws DomError when no document can be created or a setting that every
// MSXML 3 has cannot be made. Settings that a DOM may lack (Wine's lacks
// some) are made where the DOM takes them: the file has been looked over for
// what they refuse before it reaches the DOM.
Microsoft::WRL::ComPtr<IXMLDOMDocument2> CreateUntrustedDomDocument();

UntrustedDomSettings ReadUntrustedDomSettings(IXMLDOMDocument2& document);

} // namespace xmldom
