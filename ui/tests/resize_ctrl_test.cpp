// The resize controller on a real dialog, driven by the WM_SIZE messages
// that resizing the dialog sends.
#include "ui/resize_ctrl.h"
#include "ui/tests/test_resources.h"
#include "wnd/dialog.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const char kProperty[] = "___CResizeCtrl___Class___";

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
    SIZE Client() const {
        RECT client = {};
        GetClientRect(dialog.m_hWnd, &client);
        return {client.right, client.bottom};
    }
    // Resizes the dialog so that its client area changes by dx, dy.
    void Grow(int dx, int dy) const {
        RECT window = {};
        GetWindowRect(dialog.m_hWnd, &window);
        const SIZE before = Client();
        SetWindowPos(dialog.m_hWnd, nullptr, 0, 0, window.right - window.left + dx,
                     window.bottom - window.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(before.cx + dx, Client().cx);
        ASSERT_EQ(before.cy + dy, Client().cy);
    }

    CDialog dialog{IDD_RESIZE};
    CResizeCtrl resize;
};

TEST_F(ResizeTest, EdgesFollowTheirShareOfTheChange) {
    ASSERT_EQ(1, resize.Create(&dialog, 0, 300));
    ASSERT_EQ(1, resize.Add(IDC_STRETCH, 0, 0, 300, 300));
    ASSERT_EQ(1, resize.Add(IDC_CORNER, 300, 300, 0, 0));
    ASSERT_EQ(1, resize.Enable(1));
    const RECT stretch = Place(IDC_STRETCH);
    const RECT corner = Place(IDC_CORNER);
    const RECT fixed = Place(IDC_FIXED);
    Grow(30, 20);
    EXPECT_EQ(stretch.right + 30, Place(IDC_STRETCH).right);
    EXPECT_EQ(stretch.bottom + 20, Place(IDC_STRETCH).bottom);
    EXPECT_EQ(stretch.left, Place(IDC_STRETCH).left);
    EXPECT_EQ(corner.left + 30, Place(IDC_CORNER).left);
    EXPECT_EQ(corner.top + 20, Place(IDC_CORNER).top);
    EXPECT_EQ(corner.right - corner.left, Place(IDC_CORNER).right - Place(IDC_CORNER).left);
    EXPECT_EQ(fixed.left, Place(IDC_FIXED).left);
    EXPECT_EQ(fixed.right, Place(IDC_FIXED).right);
}

TEST_F(ResizeTest, FractionsOfAPixelAreCarriedToTheNextChange) {
    resize.Create(&dialog, 0, 300);
    resize.Add(IDC_HALF, 150, 0, 150, 0);
    resize.Enable(1);
    const RECT half = Place(IDC_HALF);
    Grow(1, 0);
    EXPECT_EQ(half.left, Place(IDC_HALF).left);
    EXPECT_EQ(half.right, Place(IDC_HALF).right);
    Grow(1, 0);
    EXPECT_EQ(half.left + 1, Place(IDC_HALF).left);
    EXPECT_EQ(half.right + 2, Place(IDC_HALF).right);
}

TEST_F(ResizeTest, AWidthHeldAtZeroPaysItsDeficitBackFirst) {
    resize.Create(&dialog, 0, 300);
    resize.Add(IDC_STRETCH, 0, 0, 300, 0);
    resize.Enable(1);
    const RECT stretch = Place(IDC_STRETCH);
    const int width = stretch.right - stretch.left;
    Grow(-(width + 20), 0);
    EXPECT_EQ(stretch.left, Place(IDC_STRETCH).left);
    EXPECT_EQ(0, Place(IDC_STRETCH).right - Place(IDC_STRETCH).left);
    Grow(10, 0);
    EXPECT_EQ(0, Place(IDC_STRETCH).right - Place(IDC_STRETCH).left);
    Grow(15, 0);
    EXPECT_EQ(5, Place(IDC_STRETCH).right - Place(IDC_STRETCH).left);
    Grow(20, 0);
    EXPECT_EQ(25, Place(IDC_STRETCH).right - Place(IDC_STRETCH).left);
}

// Counts the moves a control is asked to make.
int g_moves = 0;
WNDPROC g_controlProc = nullptr;
LRESULT CALLBACK countMoves(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING)
        ++g_moves;
    return CallWindowProcA(g_controlProc, window, message, wParam, lParam);
}

TEST_F(ResizeTest, TheSameSizeAgainMovesNothingAndOtherMovesAreKept) {
    resize.Create(&dialog, 0, 300);
    resize.Add(IDC_HALF, 150, 0, 150, 0);
    resize.Enable(1);
    Grow(1, 0); // leaves half a pixel to carry
    HWND half = dialog.GetDlgItem(IDC_HALF);
    SetWindowPos(half, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT moved = Place(IDC_HALF);
    g_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(half, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countMoves)));
    const SIZE client = Client();
    SendMessageA(dialog.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    EXPECT_EQ(0, g_moves);
    Grow(3, 0);
    EXPECT_EQ(1, g_moves);
    EXPECT_EQ(moved.left + 2, Place(IDC_HALF).left);
    EXPECT_EQ(moved.top, Place(IDC_HALF).top);
    SetWindowLongPtrA(half, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_controlProc));
}

TEST_F(ResizeTest, RefusesWhatItCannotLayOut) {
    EXPECT_EQ(0, resize.Add(IDC_HALF, 0, 0, 0, 0)); // not created
    EXPECT_EQ(0, resize.Create(nullptr, 0, 300));
    CDialog unopened(IDD_RESIZE);
    EXPECT_EQ(0, resize.Create(&unopened, 0, 300));
    EXPECT_EQ(0, resize.Create(&dialog, 0, 0));
    ASSERT_EQ(1, resize.Create(&dialog, 0, 300));
    EXPECT_EQ(0, resize.Create(&dialog, 0, 300));

    EXPECT_EQ(0, resize.Add(IDC_HALF, 200, 0, 200, 0));
    EXPECT_EQ(0, resize.Add(IDC_HALF, 0, 200, 0, 200));
    EXPECT_EQ(0, resize.Add(IDC_HALF, -1, 0, 0, 0));
    EXPECT_EQ(0, resize.Add(IDC_HALF, 0, 0, 0, 301));
    EXPECT_EQ(0, resize.Add(4711, 0, 0, 300, 0));
    EXPECT_EQ(1, resize.Add(IDC_HALF, 100, 100, 200, 200));
    EXPECT_EQ(0, resize.Enable(0));
}

TEST_F(ResizeTest, SubclassesTheDialogWhileEnabled) {
    const LONG_PTR procedure = GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC);
    resize.Create(&dialog, 1, 300);
    EXPECT_EQ(&resize, GetPropA(dialog.m_hWnd, kProperty));
    EXPECT_NE(procedure, GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(0, resize.Enable(1));
    // One controller per window.
    CResizeCtrl second;
    second.Create(&dialog, 0, 300);
    EXPECT_EQ(0, second.Enable(1));

    EXPECT_EQ(1, resize.Enable(0));
    EXPECT_EQ(nullptr, GetPropA(dialog.m_hWnd, kProperty));
    EXPECT_EQ(procedure, GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));

    // Destroying the window disables the controller.
    resize.Enable(1);
    dialog.DestroyWindow();
    EXPECT_EQ(0, resize.Enable(0));
}

TEST_F(ResizeTest, PinsTheTrackingSizesTakenAtTheFirstQuery) {
    resize.Create(&dialog, 0, 300);
    resize.ClearMinTrackSize();
    resize.Enable(1);
    MINMAXINFO info = {};
    info.ptMinTrackSize = {11, 12};
    info.ptMaxTrackSize = {1001, 1002};
    SendMessageA(dialog.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(0, info.ptMinTrackSize.x);
    EXPECT_EQ(0, info.ptMinTrackSize.y);
    EXPECT_EQ(1001, info.ptMaxTrackSize.x);
    EXPECT_EQ(1002, info.ptMaxTrackSize.y);
    info.ptMinTrackSize = {21, 22};
    info.ptMaxTrackSize = {2001, 2002};
    SendMessageA(dialog.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(0, info.ptMinTrackSize.x);
    EXPECT_EQ(1001, info.ptMaxTrackSize.x);

    // Without a cleared minimum, the system's minimum is kept too.
    CDialog other(IDD_RESIZE);
    ASSERT_TRUE(other.Create(IDD_RESIZE));
    CResizeCtrl kept;
    kept.Create(&other, 1, 300);
    info.ptMinTrackSize = {31, 32};
    SendMessageA(other.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    info.ptMinTrackSize = {41, 42};
    SendMessageA(other.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(31, info.ptMinTrackSize.x);
    EXPECT_EQ(32, info.ptMinTrackSize.y);
}

} // namespace
