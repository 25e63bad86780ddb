// A user-function library loaded the way the CAD host loads one.
#pragma once

#include "host/host_user_function.h"

#include <windows.h>

#include <string>

namespace devhost {

class PluginLibrary {
  public:
    // Loads the library and looks up its three entry points; on failure
    // Error() says what is missing.
    explicit PluginLibrary(const std::string& path);
    // Calls the cleanup entry, as the host does before unloading, then unloads.
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool IsLoaded() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

    int AskUnload() const { return askUnload_(); }
    void Run() const;

  private:
    HMODULE module_ = nullptr;
    UserFunctionEntry entry_ = nullptr;
    UserFunctionAskUnload askUnload_ = nullptr;
    UserFunctionCleanup cleanup_ = nullptr;
    std::string error_;
};

} // namespace devhost
