// The module whose resources the windows use: the one this code is linked
// into (the plug-in library, or a test program).
#pragma once

#include <windows.h>

#include <string>

HINSTANCE ModuleInstance();

// A string of the module's string table; empty when there is none.
std::string LoadResourceString(UINT id);
