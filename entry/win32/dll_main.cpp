// Load glue: remember the library's module for its resources.
#include "entry/win32/plugin_module.h"

namespace {
HINSTANCE g_pluginModule = nullptr;
}

HINSTANCE PluginModule() {
    return g_pluginModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_pluginModule = module;
        // The library starts no threads and needs no per-thread notices.
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
