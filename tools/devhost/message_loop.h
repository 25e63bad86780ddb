// The host's message loop while the plug-in's windows are open.
#pragma once

#include <windows.h>

#include <string>

namespace devhost {

// A window of the dialog class: the View Manager, its prompts and message
// boxes.
bool IsDialogWindow(HWND window);

// Pumps the thread's messages until no visible top-level window of the thread
// is left. Without a person nobody would close them, so then they are asked
// to close first, and waited for a few seconds at most: false, with the
// titles of those still open in left, when they do not go.
bool RunWhilePluginWindowsOpen(bool closeWindows, std::string* left = nullptr);

// Dispatches the messages waiting now, as the host's loop would.
void PumpPendingMessages();

} // namespace devhost
