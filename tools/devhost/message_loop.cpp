#include "tools/devhost/message_loop.h"

#include <windows.h>

#include <vector>

namespace devhost {

namespace {

// How long windows asked to close may take to go.
constexpr DWORD kCloseTimeLimitMs = 10000;

std::vector<HWND> openWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The dialog the message is for, if any: modeless dialogs get their
// keyboard handling (Esc, Enter, Tab) only through IsDialogMessage.
HWND dialogOf(HWND window) {
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return top && IsDialogWindow(top) ? top : nullptr;
}

} // namespace

bool IsDialogWindow(HWND window) {
    char className[8] = "";
    return GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0;
}

void PumpPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        HWND dialog = dialogOf(message.hwnd);
        if (dialog && IsDialogMessageA(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool RunWhilePluginWindowsOpen(bool closeWindows, std::string* left) {
    PumpPendingMessages();
    if (closeWindows) {
        for (HWND window : openWindows())
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    const DWORD start = GetTickCount();
    while (!openWindows().empty()) {
        if (closeWindows && GetTickCount() - start > kCloseTimeLimitMs) {
            for (HWND window : openWindows()) {
                char title[128] = "";
                GetWindowTextA(window, title, sizeof title);
                if (left)
                    *left += std::string(" \"") + title + "\"";
            }
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpPendingMessages();
    }
    return true;
}

} // namespace devhost
