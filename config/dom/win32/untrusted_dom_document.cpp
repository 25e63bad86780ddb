#include "config/dom/win32/untrusted_dom_document.h"

#include "config/dom/win32/com_values.h"

namespace xmldom {
namespace {

using Microsoft::WRL::ComPtr;

// MSXML 3 by its own class, not by whichever version the independent one
// names; the import library of the build declares neither identifier.
constexpr CLSID kDomDocument30 = {
    0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr IID kXmlDomDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// Made where the DOM takes the setting; one it does not know it refuses.
void try_property(IXMLDOMDocument2& document, const wchar_t* name, VARIANT value) {
    document.setProperty(Bstr(name).get(), value);
}

VARIANT bool_value(bool on) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    return value;
}

VARIANT long_value(long number) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

// The property as a number, or -1 when the DOM does not know it.
long read_long(IXMLDOMDocument2& document, const wchar_t* name) {
    Variant value;
    if (FAILED(document.getProperty(Bstr(name).get(), &value.get())) ||
        FAILED(VariantChangeType(&value.get(), &value.get(), 0, VT_I4)))
        return -1;
    return value.get().lVal;
}

} // namespace

ComPtr<IXMLDOMDocument2> CreateUntrustedDomDocument() {
    ComPtr<IXMLDOMDocument2> document;
    check(CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, kXmlDomDocument2,
                           reinterpret_cast<void**>(document.GetAddressOf())),
          "CoCreateInstance of the DOM document");
    check(document->put_async(VARIANT_FALSE), "IXMLDOMDocument::put_async");
    check(document->put_resolveExternals(VARIANT_FALSE), "IXMLDOMDocument::put_resolveExternals");
    check(document->put_validateOnParse(VARIANT_FALSE), "IXMLDOMDocument::put_validateOnParse");
    try_property(*document.Get(), L"ProhibitDTD", bool_value(true));
    try_property(*document.Get(), L"MaxElementDepth", long_value(kMaxElementDepth));
    try_property(*document.Get(), L"MaxXMLSize", long_value(kMaxXmlSizeKb));
    return document;
}

UntrustedDomSettings ReadUntrustedDomSettings(IXMLDOMDocument2& document) {
    VARIANT_BOOL async = VARIANT_TRUE;
    VARIANT_BOOL resolving = VARIANT_TRUE;
    VARIANT_BOOL validating = VARIANT_TRUE;
    check(document.get_async(&async), "IXMLDOMDocument::get_async");
    check(document.get_resolveExternals(&resolving), "IXMLDOMDocument::get_resolveExternals");
    check(document.get_validateOnParse(&validating), "IXMLDOMDocument::get_validateOnParse");
    const long prohibit = read_long(document, L"ProhibitDTD");
    return {async != VARIANT_FALSE,
            resolving != VARIANT_FALSE,
            validating != VARIANT_FALSE,
            prohibit < 0 ? UntrustedDomSettings::kUnknown
                         : (prohibit != 0 ? UntrustedDomSettings::kOn : UntrustedDomSettings::kOff),
            read_long(document, L"MaxElementDepth"),
            read_long(document, L"MaxXMLSize")};
}

} // namespace xmldom
