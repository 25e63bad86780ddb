#include "config/dom/win32/com_values.h"

#include "config/dom/win32/code_page_text.h"
#include "config/dom/xml_dom.h"

#include <wrl/client.h>

#include <cstdio>
#include <new>

namespace xmldom {
namespace {

// COM's description of the failure when there is one, else the operation and
// its result code.
std::string describe(HRESULT result, const char* operation) {
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    Bstr description;
    if (GetErrorInfo(0, &info) == S_OK && SUCCEEDED(info->GetDescription(description.out())) &&
        SysStringLen(description.get()) > 0)
        return WideToCodePage(description.get(), static_cast<int>(SysStringLen(description.get())),
                              CP_ACP);
    char text[128];
    std::snprintf(text, sizeof text, "%s failed with 0x%08lX", operation,
                  static_cast<unsigned long>(result));
    return text;
}

} // namespace

Bstr::Bstr(const wchar_t* text) : m_text(SysAllocString(text)) {
    if (!m_text)
        throw std::bad_alloc();
}

void check(HRESULT result, const char* operation) {
    if (FAILED(result))
        throw DomError(describe(result, operation));
}

} // namespace xmldom
