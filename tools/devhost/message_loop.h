// The host's message loop while the plug-in's windows are open.
#pragma once

#include <windows.h>

namespace devhost {

// A window of the dialog class: the View Manager, its prompts and message
// boxes.
bool IsDialogWindow(HWND window);

// Pumps the thread's messages until no visible top-level window of the thread
// is left. Without a person nobody would close them, so then they are asked
// to close first.
void RunWhilePluginWindowsOpen(bool closeWindows);

// Dispatches the messages waiting now, as the host's loop would.
void PumpPendingMessages();

} // namespace devhost
