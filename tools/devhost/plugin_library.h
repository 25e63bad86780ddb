// A user-function library loaded the way the CAD host loads one.
#pragma once

#include "host/host_user_function.h"

#include <windows.h>

#include <string>
#include <vector>

namespace devhost {

class PluginLibrary {
  public:
    // Loads the library and looks up its three entry points; on failure
    // Error() says what is missing.
    explicit PluginLibrary(const std::string& path);
    // Unloads the library if it is still loaded (Unload).
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loaded with its three entry points, and not unloaded since.
    bool IsLoaded() const { return module_ && error_.empty(); }
    const std::string& Error() const { return error_; }

    int AskUnload() const { return askUnload_(); }
    void Run() const;
    // Calls the cleanup entry, as the host does before unloading, then
    // unloads the library.
    void Unload();
    // Whether the address lies in the library's image; still answered once
    // it is unloaded, for what it left behind.
    bool InImage(const void* address) const;

  private:
    HMODULE module_ = nullptr;
    const char* imageStart_ = nullptr;
    const char* imageEnd_ = nullptr;
    UserFunctionEntry entry_ = nullptr;
    UserFunctionAskUnload askUnload_ = nullptr;
    UserFunctionCleanup cleanup_ = nullptr;
    std::string error_;
};

// The windows of the calling thread, and their children, whose window or
// dialog procedure lies in the library's image: class and title of each.
std::vector<std::string> WindowsRunningIn(const PluginLibrary& library);

} // namespace devhost
