// The resize controller on a real dialog, driven by the WM_SIZE messages
// that resizing the dialog sends. The View Manager's all-or-nothing shares
// are checked end to end by tools/devhost's next-command table; these are the
// fractions, the deficit, the tracking sizes and the window's life.
#include "ui/resize_ctrl.h"
#include "ui/tests/test_resources.h"
#include "wnd/dialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>

namespace {

class ResizeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_RESIZE)); }
    void TearDown() override { dialog.DestroyWindow(); }

    // A control's rectangle in the dialog's client coordinates.
    RECT Place(int id) const {
        RECT rect = {};
        GetWindowRect(dialog.GetDlgItem(id), &rect);
        MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // Resizes the dialog so that its client area widens by dx.
    void Grow(int dx) const {
        RECT window = {};
        GetWindowRect(dialog.m_hWnd, &window);
        SetWindowPos(dialog.m_hWnd, nullptr, 0, 0, window.right - window.left + dx,
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CDialog dialog{IDD_RESIZE};
    CResizeCtrl resize;
};

// Half a pixel is carried to the next change; a width held at zero pays its
// deficit back before it widens; a control moved by someone else moves on
// from where it is.
TEST_F(ResizeTest, FractionsAndDeficitsCarryToTheNextChange) {
    resize.Create(&dialog, 0, 300);
    resize.Add(IDC_HALF, 150, 0, 150, 0);
    resize.Add(IDC_STRETCH, 0, 0, 300, 0);
    resize.Enable(1);
    const RECT half = Place(IDC_HALF);
    const RECT stretch = Place(IDC_STRETCH);
    const int width = stretch.right - stretch.left;
    Grow(1);
    EXPECT_EQ(half.left, Place(IDC_HALF).left);
    EXPECT_EQ(half.right, Place(IDC_HALF).right);
    SetWindowPos(dialog.GetDlgItem(IDC_HALF), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Grow(1);
    EXPECT_EQ(41, Place(IDC_HALF).left);
    EXPECT_EQ(50, Place(IDC_HALF).top);

    // From width + 2 pixels wider to 20 narrower than nothing, then back.
    const int steps[][2] = {{-(width + 22), 0}, {10, 0}, {15, 5}, {20, 25}};
    for (const auto& [change, expected] : steps) {
        Grow(change);
        EXPECT_EQ(stretch.left, Place(IDC_STRETCH).left);
        EXPECT_EQ(expected, Place(IDC_STRETCH).right - Place(IDC_STRETCH).left) << change;
    }
}

TEST_F(ResizeTest, DisablingOrDestroyingTheWindowGivesTheDialogBack) {
    const LONG_PTR procedure = GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC);
    resize.Create(&dialog, 1, 300);
    EXPECT_EQ(1, resize.Enable(0));
    EXPECT_EQ(procedure, GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));

    // One controller at a time: the window is free again once given back.
    CResizeCtrl other;
    other.Create(&dialog, 0, 300);
    EXPECT_EQ(1, resize.Enable(1));
    EXPECT_EQ(0, other.Enable(1));
    resize.Enable(0);
    EXPECT_EQ(1, other.Enable(1));
    other.Enable(0);

    resize.Enable(1);
    dialog.DestroyWindow();
    EXPECT_EQ(0, resize.Enable(0));
}

// The tracking sizes are taken at the first query and kept; a cleared
// minimum is 0 and stays so.
TEST_F(ResizeTest, PinsTheTrackingSizesTakenAtTheFirstQuery) {
    using Sizes = std::array<LONG, 4>; // minimum x, y, maximum x, y
    resize.Create(&dialog, 1, 300);
    for (auto [query, expected] :
         {std::pair{1, Sizes{31, 33, 1001, 1003}}, std::pair{2, Sizes{0, 0, 1001, 1003}}}) {
        MINMAXINFO info = {};
        info.ptMinTrackSize = {30 + query, 32 + query};
        info.ptMaxTrackSize = {1000 + query, 1002 + query};
        SendMessageA(dialog.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(expected, (Sizes{info.ptMinTrackSize.x, info.ptMinTrackSize.y,
                                   info.ptMaxTrackSize.x, info.ptMaxTrackSize.y}));
        resize.ClearMinTrackSize();
    }
}

} // namespace
