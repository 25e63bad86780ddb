// A picture of a window as it draws itself, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

namespace devhost {

// Writes the whole window, frame and children included, as a PNG file;
// false when it cannot be drawn or written.
bool WriteWindowSnapshot(HWND window, const std::string& path);

} // namespace devhost
