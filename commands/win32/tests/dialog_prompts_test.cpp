// The Windows prompts: the colour the standard colour dialog gives back as
// the rows keep colours, the confirmation's answers, and the View Manager
// window held off while either is shown.
#include "commands/win32/dialog_prompts.h"
#include "res/resource.h"
#include "wnd/tests/modal_answer.h"
#include "wnd/window.h"

#include <gtest/gtest.h>

namespace {

// The red, green and blue boxes of the colour dialog.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;

class Prompts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(owner.CreateEx(0, "STATIC", "View Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   RECT{0, 0, 200, 100}, nullptr, 0));
    }
    CWnd owner;
};

TEST_F(Prompts, TheChosenColourComesBackAsTheRowsKeepIt) {
    DialogPrompts prompts(&owner);
    bool ownerEnabled = true;
    ModalAnswer answer([&](HWND dialog) {
        ownerEnabled = IsWindowEnabled(owner.m_hWnd) != 0;
        SetDlgItemInt(dialog, kRedBox, 200, FALSE);
        SetDlgItemInt(dialog, kGreenBox, 10, FALSE);
        SetDlgItemInt(dialog, kBlueBox, 30, FALSE);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::optional<uint32_t> color = prompts.AskColor();
    ASSERT_TRUE(color.has_value());
    EXPECT_EQ(0x1E0AC8u, *color); // blue 30, green 10, red 200
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
}

TEST_F(Prompts, ACancelledColourDialogGivesNoColour) {
    DialogPrompts prompts(nullptr);
    ModalAnswer answer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(prompts.AskColor().has_value());
    EXPECT_TRUE(ModalAnswer::Answered());
}

TEST_F(Prompts, TheConfirmationGivesTheAnswerOfItsButtons) {
    DialogPrompts prompts(&owner);
    const std::pair<int, int> buttons[] = {{IDC_SAVE_AND_CLOSE, CONFIRM_SAVE_AND_CLOSE},
                                           {IDC_CLOSE_NO_SAVE, CONFIRM_CLOSE_NO_SAVE},
                                           {IDC_CONFIRM_CANCEL, CONFIRM_CANCEL}};
    for (const auto& [id, result] : buttons) {
        bool ownerEnabled = true;
        ModalAnswer answer([&, id = id](HWND dialog) {
            ownerEnabled = IsWindowEnabled(owner.m_hWnd) != 0;
            SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(result, prompts.ConfirmClose());
        EXPECT_FALSE(ownerEnabled);
    }
}

} // namespace
