#include "wnd/module_instance.h"

namespace {
// Any address inside the module identifies it.
const char kAnchor = 0;
} // namespace

HINSTANCE ModuleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       &kAnchor, &module);
    return module;
}

std::string LoadResourceString(UINT id) {
    // With a zero length the wide call hands out a pointer into the resource
    // itself, so a string of any length is read whole.
    const wchar_t* text = nullptr;
    int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string converted(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, converted.data(), size, nullptr, nullptr);
    return converted;
}
