// The framework message box on Windows: a real modal box, closed here by a
// second thread as a user would.
#include "config/framework_message.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace {

// The message box of the thread once it is shown, so that its text and
// buttons are in place; null if none comes up.
HWND wait_for_box(DWORD thread) {
    for (int tries = 0; tries < 1000; ++tries) {
        HWND box = FindWindowA("#32770", nullptr);
        if (box && GetWindowThreadProcessId(box, nullptr) == thread && IsWindowVisible(box))
            return box;
        Sleep(10);
    }
    return nullptr;
}

TEST(FrameworkMessageBox, ShowsTheTextWithAnOkButtonUntilItIsClosed) {
    std::string text;
    bool hasOk = false;
    std::thread user([&, thread = GetCurrentThreadId()] {
        HWND box = wait_for_box(thread);
        if (!box)
            return;
        char shown[256] = "";
        // The text control of a message box has the id 0xFFFF.
        GetDlgItemTextA(box, 0xFFFF, shown, sizeof shown);
        text = shown;
        hasOk = IsWindowVisible(GetDlgItem(box, IDOK)) != FALSE;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ShowFrameworkMessage("XML Parse Error 0x1 : reason");
    user.join();
    EXPECT_EQ("XML Parse Error 0x1 : reason", text);
    EXPECT_TRUE(hasOk);
}

} // namespace
