#include "tools/devhost/plugin_library.h"

namespace devhost {

namespace {

template <typename Function> Function lookUp(HMODULE module, const char* name, std::string& error) {
    FARPROC address = GetProcAddress(module, name);
    if (!address)
        error += std::string(error.empty() ? "" : ", ") + "no export " + name;
    // Converting through void* keeps the function-pointer cast well defined.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

struct WindowSearch {
    const PluginLibrary& library;
    std::vector<std::string> found;
};

BOOL CALLBACK checkWindow(HWND window, LPARAM search) {
    auto& [library, found] = *reinterpret_cast<WindowSearch*>(search);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    const bool dialog = lstrcmpA(className, "#32770") == 0;
    if (library.InImage(reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_WNDPROC))) ||
        (dialog &&
         library.InImage(reinterpret_cast<void*>(GetWindowLongPtrA(window, DWLP_DLGPROC))))) {
        char title[128] = "";
        GetWindowTextA(window, title, sizeof title);
        found.push_back(std::string(className) + " \"" + title + "\"");
    }
    return TRUE;
}

BOOL CALLBACK checkTopLevelWindow(HWND window, LPARAM search) {
    checkWindow(window, search);
    EnumChildWindows(window, checkWindow, search);
    return TRUE;
}

} // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
        error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    // Where the image lies, from its own headers.
    imageStart_ = reinterpret_cast<const char*>(module_);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(imageStart_);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(imageStart_ + dos->e_lfanew);
    imageEnd_ = imageStart_ + nt->OptionalHeader.SizeOfImage;
    entry_ = lookUp<UserFunctionEntry>(module_, HOST_USER_FUNCTION_ENTRY, error_);
    askUnload_ = lookUp<UserFunctionAskUnload>(module_, HOST_USER_FUNCTION_ASK_UNLOAD, error_);
    cleanup_ = lookUp<UserFunctionCleanup>(module_, HOST_USER_FUNCTION_CLEANUP, error_);
    if (!error_.empty())
        error_ = path + ": " + error_;
}

PluginLibrary::~PluginLibrary() {
    if (module_)
        Unload();
}

void PluginLibrary::Unload() {
    if (cleanup_)
        cleanup_();
    FreeLibrary(module_);
    module_ = nullptr;
}

bool PluginLibrary::InImage(const void* address) const {
    const char* at = static_cast<const char*>(address);
    return at >= imageStart_ && at < imageEnd_;
}

void PluginLibrary::Run() const {
    char parameter[] = "";
    int result = 0;
    entry_(parameter, &result, 0);
}

std::vector<std::string> WindowsRunningIn(const PluginLibrary& library) {
    WindowSearch search{library, {}};
    EnumThreadWindows(GetCurrentThreadId(), checkTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace devhost
