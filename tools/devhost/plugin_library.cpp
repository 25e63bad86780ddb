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

} // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
        error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    entry_ = lookUp<UserFunctionEntry>(module_, HOST_USER_FUNCTION_ENTRY, error_);
    askUnload_ = lookUp<UserFunctionAskUnload>(module_, HOST_USER_FUNCTION_ASK_UNLOAD, error_);
    cleanup_ = lookUp<UserFunctionCleanup>(module_, HOST_USER_FUNCTION_CLEANUP, error_);
    if (!error_.empty())
        error_ = path + ": " + error_;
}

PluginLibrary::~PluginLibrary() {
    if (!module_)
        return;
    if (cleanup_)
        cleanup_();
    FreeLibrary(module_);
}

void PluginLibrary::Run() const {
    char parameter[] = "";
    int result = 0;
    entry_(parameter, &result, 0);
}

} // namespace devhost
