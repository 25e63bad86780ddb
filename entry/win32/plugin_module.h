// The plug-in library's own module, where its resources live.
#pragma once

#include <windows.h>

// Set when the host loads the library.
HINSTANCE PluginModule();
