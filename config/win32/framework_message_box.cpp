// The framework message box on Windows.
#include "config/framework_message.h"

#include <windows.h>

void ShowFrameworkMessage(const char* text) {
    // Owned by the thread's active window, the host's or the dialog's, so that
    // it is modal to what the user was working in.
    MessageBoxA(GetActiveWindow(), text, nullptr, MB_OK);
}
