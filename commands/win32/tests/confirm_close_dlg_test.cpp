// The close confirmation under a real dialog manager: its template as the
// user sees it, and the answer for each way of leaving it.
#include "commands/win32/confirm_close_dlg.h"
#include "res/resource.h"
#include "wnd/tests/modal_answer.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

struct Expected {
    int id;
    const char* text;
    RECT units; // left, top, width, height in dialog units
};

// Where a control lies in the dialog's client area, in pixels.
RECT placeOf(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Dialog units in pixels as the dialog manager places a control: origin
// and size converted each on its own.
RECT pixels(HWND dialog, RECT units) {
    MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

::testing::AssertionResult sameRect(const RECT& expected, const RECT& actual) {
    if (expected.left == actual.left && expected.top == actual.top &&
        expected.right == actual.right && expected.bottom == actual.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << expected.left << "," << expected.top << "," << expected.right << ","
           << expected.bottom << " but was " << actual.left << "," << actual.top << ","
           << actual.right << "," << actual.bottom;
}

// Shows the dialog, lets act leave it, and returns the code DoModal gave.
INT_PTR runDialog(ConfirmCloseDlg& dialog, std::function<void(HWND)> act) {
    ModalAnswer answer(std::move(act));
    const INT_PTR code = dialog.DoModal();
    EXPECT_TRUE(ModalAnswer::Answered());
    return code;
}

TEST(ConfirmCloseDlg, ShowsTheQuestionWithItsThreeButtonsAndAHiddenBar) {
    ConfirmCloseDlg dialog;
    ASSERT_NE(nullptr, dialog.m_hIcon);
    runDialog(dialog, [&](HWND window) {
        EXPECT_EQ("Confirm", WindowText(window));
        const std::vector<Expected> controls = {
            {IDC_CONFIRM_TEXT,
             "The  part you selected has been modified.\n\nAre you sure you want to close it?",
             {35, 5, 139, 27}},
            {IDC_SAVE_AND_CLOSE, "&Close and Save ", {9, 40, 60, 12}},
            {IDC_CLOSE_NO_SAVE, "&Close without save", {84, 40, 65, 12}},
            {IDC_CONFIRM_CANCEL, "&Cancel", {161, 40, 34, 12}},
            {IDC_CONFIRM_PROGRESS, "", {31, 31, 151, 21}},
        };
        for (const Expected& control : controls) {
            SCOPED_TRACE(control.id);
            HWND item = GetDlgItem(window, control.id);
            ASSERT_NE(nullptr, item);
            EXPECT_EQ(control.text, WindowText(item));
            EXPECT_TRUE(sameRect(pixels(window, control.units), placeOf(window, control.id)));
        }
        // Cancel, which has the focus, may look like the default button;
        // the other two never do.
        for (int id : {IDC_SAVE_AND_CLOSE, IDC_CLOSE_NO_SAVE, IDC_CONFIRM_CANCEL}) {
            HWND button = GetDlgItem(window, id);
            EXPECT_TRUE(IsWindowVisible(button));
            if (id != IDC_CONFIRM_CANCEL) {
                EXPECT_EQ(0, GetWindowLongA(button, GWL_STYLE) & BS_DEFPUSHBUTTON) << id;
            }
        }
        EXPECT_EQ(nullptr, GetDlgItem(window, IDOK));
        EXPECT_EQ(nullptr, GetDlgItem(window, IDCANCEL));

        // The warning triangle at its corner.
        HWND warning = GetDlgItem(window, IDC_CONFIRM_WARNING);
        EXPECT_NE(0, SendMessageA(warning, STM_GETIMAGE, IMAGE_BITMAP, 0));
        const RECT corner = pixels(window, {4, 4, 22, 20});
        EXPECT_EQ(corner.left, placeOf(window, IDC_CONFIRM_WARNING).left);
        EXPECT_EQ(corner.top, placeOf(window, IDC_CONFIRM_WARNING).top);

        // The bar: hidden, smooth, range 0 to 1 at 0.
        HWND bar = GetDlgItem(window, IDC_CONFIRM_PROGRESS);
        EXPECT_FALSE(IsWindowVisible(bar));
        EXPECT_NE(0, GetWindowLongA(bar, GWL_STYLE) & PBS_SMOOTH);
        EXPECT_EQ(0, SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
        EXPECT_EQ(1, SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
        EXPECT_EQ(0, SendMessageA(bar, PBM_GETPOS, 0, 0));

        EXPECT_EQ(reinterpret_cast<LRESULT>(dialog.m_hIcon),
                  SendMessageA(window, WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(reinterpret_cast<LRESULT>(dialog.m_hIcon),
                  SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(nullptr, dialog.m_progress.m_hWnd);
}

TEST(ConfirmCloseDlg, EachButtonGivesItsAnswerAndEndsWithTheCancelCode) {
    const std::pair<int, int> buttons[] = {{IDC_SAVE_AND_CLOSE, CONFIRM_SAVE_AND_CLOSE},
                                           {IDC_CLOSE_NO_SAVE, CONFIRM_CLOSE_NO_SAVE},
                                           {IDC_CONFIRM_CANCEL, CONFIRM_CANCEL}};
    for (const auto& [id, result] : buttons) {
        SCOPED_TRACE(id);
        ConfirmCloseDlg dialog;
        const INT_PTR code = runDialog(dialog, [id = id](HWND window) {
            SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(IDCANCEL, code);
        EXPECT_EQ(result, dialog.m_result);
    }
}

TEST(ConfirmCloseDlg, TheCloseBoxEscAndEnterLeaveItAtCancel) {
    {
        ConfirmCloseDlg dialog;
        const INT_PTR code = runDialog(
            dialog, [](HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); });
        EXPECT_EQ(IDCANCEL, code);
        EXPECT_EQ(CONFIRM_CANCEL, dialog.m_result);
    }
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        SCOPED_TRACE(key);
        ConfirmCloseDlg dialog;
        runDialog(dialog, [key](HWND window) {
            // Return presses the focused button on Windows: it must be Cancel.
            HWND focus = GetFocus();
            EXPECT_EQ(GetDlgItem(window, IDC_CONFIRM_CANCEL), focus);
            PostMessageA(focus, WM_KEYDOWN, key, 0);
            PostMessageA(focus, WM_KEYUP, key, 0);
        });
        EXPECT_EQ(CONFIRM_CANCEL, dialog.m_result);
    }
}

} // namespace
