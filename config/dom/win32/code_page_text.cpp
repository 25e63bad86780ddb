#include "config/dom/win32/code_page_text.h"

#include "config/dom/xml_dom.h"

namespace xmldom {

namespace {

DomError conversionError(const char* operation, UINT codePage) {
    return DomError(std::string(operation) + " to or from code page " + std::to_string(codePage) +
                    " failed with error " + std::to_string(GetLastError()));
}

int wideToCodePage(const wchar_t* text, int length, UINT codePage, DWORD flags, char* output,
                   int size) {
    return WideCharToMultiByte(codePage, flags, text, length, output, size, nullptr, nullptr);
}

} // namespace

std::string WideToCodePage(const wchar_t* text, int length, UINT codePage) {
    if (length == 0)
        return std::string();
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int size = wideToCodePage(text, length, codePage, flags, nullptr, 0);
    if (size == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        size = wideToCodePage(text, length, codePage, flags, nullptr, 0);
    }
    if (size == 0)
        throw conversionError("WideCharToMultiByte", codePage);
    std::string converted(static_cast<size_t>(size), '\0');
    if (wideToCodePage(text, length, codePage, flags, &converted[0], size) != size)
        throw conversionError("WideCharToMultiByte", codePage);
    return converted;
}

std::wstring CodePageToWide(const char* text, UINT codePage) {
    const int size = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (size == 0)
        throw conversionError("MultiByteToWideChar", codePage);
    std::wstring converted(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, 0, text, -1, &converted[0], size) != size)
        throw conversionError("MultiByteToWideChar", codePage);
    converted.pop_back(); // the terminating zero
    return converted;
}

} // namespace xmldom
