#include "config/dom/win32/untrusted_dom_document.h"

#include "config/dom/win32/com_values.h"

namespace xmldom {
namespace {

using Microsoft::WRL::ComPtr;

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
    check(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                           reinterpret_cast<void**>(document.GetAddressOf())),
          "CoCreateInstance of the DOM document");
    check(document->put_async(VARIANT_FALSE), "IXMLDOMDocument::put_async");
    check(document->put_resolveExternals(VARIANT_FALSE), "IXMLDOMDocument::put_resolveExternals");
    check(document->put_validateOnParse(VARIANT_FALSE), "IXMLDOMDocument::put_validateOnParse");
    try_property(*document, L"ProhibitDTD", bool_value(true));
    try_property(*document, L"MaxElementDepth", long_value(kMaxElementDepth));
    try_property(*document, L"MaxXMLSize", long_value(kMaxXmlSizeKb));
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
