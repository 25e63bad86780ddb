// The Windows prompts under a real dialog manager: the close question as the
// user sees it, where Return and Esc leave it, and the View Manager held off
// while a prompt is shown. Each answer and the colours are checked end to end
// by tools/devhost's command script.
#include "commands/win32/confirm_close_dlg.h"
#include "commands/win32/dialog_prompts.h"
#include "res/resource.h"
#include "wnd/tests/modal_answer.h"
#include "wnd/window.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Whether a control lies where its dialog units (left, top, width, height)
// put it, each converted on its own as the dialog manager does.
bool placedAt(HWND dialog, int id, RECT units) {
    MapDialogRect(dialog, &units);
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect.left == units.left && rect.top == units.top &&
           rect.right == units.left + units.right && rect.bottom == units.top + units.bottom;
}

TEST(ConfirmCloseDlg, ShowsTheQuestionWithItsThreeButtonsAndAHiddenBar) {
    ConfirmCloseDlg dialog;
    ModalAnswer answer([&](HWND window) {
        EXPECT_EQ("Confirm", WindowText(window));
        const struct {
            int id;
            const char* text;
            RECT units;
        } controls[] = {
            {IDC_CONFIRM_TEXT,
             "The  part you selected has been modified.\n\nAre you sure you want to close it?",
             {35, 5, 139, 27}},
            {IDC_SAVE_AND_CLOSE, "&Close and Save ", {9, 40, 60, 12}},
            {IDC_CLOSE_NO_SAVE, "&Close without save", {84, 40, 65, 12}},
            {IDC_CONFIRM_CANCEL, "&Cancel", {161, 40, 34, 12}},
            {IDC_CONFIRM_PROGRESS, "", {31, 31, 151, 21}},
        };
        for (const auto& control : controls) {
            EXPECT_EQ(control.text, WindowText(GetDlgItem(window, control.id))) << control.id;
            EXPECT_TRUE(placedAt(window, control.id, control.units)) << control.id;
        }
        // Only Cancel, which has the focus, may look like the default button.
        for (int id : {IDC_SAVE_AND_CLOSE, IDC_CLOSE_NO_SAVE})
            EXPECT_EQ(0, GetWindowLongA(GetDlgItem(window, id), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_NE(0, SendMessageA(GetDlgItem(window, IDC_CONFIRM_WARNING), STM_GETIMAGE,
                                  IMAGE_BITMAP, 0));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_CONFIRM_PROGRESS)));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(ModalAnswer::Answered());
}

// The close box, Esc and Return leave it at Cancel. Return presses the
// focused button on Windows: it must be Cancel.
TEST(ConfirmCloseDlg, TheCloseBoxEscAndReturnLeaveItAtCancel) {
    for (WPARAM key : {WPARAM(0), WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        ConfirmCloseDlg dialog;
        ModalAnswer answer([key](HWND window) {
            if (key == 0) {
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                return;
            }
            HWND focus = GetFocus();
            EXPECT_EQ(GetDlgItem(window, IDC_CONFIRM_CANCEL), focus);
            PostMessageA(focus, WM_KEYDOWN, key, 0);
            PostMessageA(focus, WM_KEYUP, key, 0);
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(CONFIRM_CANCEL, dialog.m_result) << key;
    }
}

// The colour dialog gives the colour back as the rows keep it; the View
// Manager takes no click while either prompt is shown.
TEST(DialogPrompts, TheOwnerIsHeldOffWhileAPromptIsShown) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "View Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               RECT{0, 0, 200, 100}, nullptr, 0));
    DialogPrompts prompts(&owner);
    const std::pair<std::function<void(HWND)>, std::function<void()>> prompted[] = {
        {[](HWND colors) {
             // The red, green and blue boxes of the colour dialog.
             for (auto [box, value] : {std::pair{706, 200}, std::pair{707, 10}, std::pair{708, 30}})
                 SetDlgItemInt(colors, box, value, FALSE);
             PostMessageA(colors, WM_COMMAND, IDOK, 0);
         },
         [&] { EXPECT_EQ(0x1E0AC8u, prompts.AskColor().value_or(0)); }},
        {[](HWND confirm) { SendMessageA(GetDlgItem(confirm, IDC_CLOSE_NO_SAVE), BM_CLICK, 0, 0); },
         [&] { EXPECT_EQ(CONFIRM_CLOSE_NO_SAVE, prompts.ConfirmClose()); }},
    };
    for (const auto& [answerIt, ask] : prompted) {
        bool ownerEnabled = true;
        ModalAnswer answer([&, answerIt = answerIt](HWND dialog) {
            ownerEnabled = IsWindowEnabled(owner.m_hWnd) != 0;
            answerIt(dialog);
        });
        ask();
        EXPECT_TRUE(ModalAnswer::Answered());
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
    }
    owner.DestroyWindow();
}

} // namespace
