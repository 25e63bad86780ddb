// Keeps a resizable window's controls in place while its size changes: each
// registered control gets the share of a change in client width that moves
// its left edge and that widens it, and likewise for the height. The
// controller subclasses the window, lays the controls out in one deferred
// batch on every size change and pins the window's tracking sizes.
#pragma once

#include "wnd/window.h"

#include <memory>
#include <vector>

struct ResizeEntry {
    HWND hWnd;
    // Fractions of a pixel not yet applied, in units of 1/scale pixel; a
    // width or height held at 0 keeps its deficit here as a negative value.
    int remLeft;
    int remTop;
    int remWidth;
    int remHeight;
    // Shares of the size change, 0 to the scale.
    int ratioLeft;
    int ratioTop;
    int ratioWidth;
    int ratioHeight;
};

class CResizeCtrl {
  public:
    CResizeCtrl() = default;
    CResizeCtrl(const CResizeCtrl&) = delete;
    CResizeCtrl& operator=(const CResizeCtrl&) = delete;
    virtual ~CResizeCtrl();

    // Takes the parent's window with ratios in units of 1/scale (1 to 32767).
    // 0 when there is no window, the scale is out of range or the controller
    // was created before.
    int Create(CWnd* parent, int enable, int scale);
    // Registers control id of the window. 0 and nothing registered unless
    // every ratio lies in 0..scale, left + width and top + height do not
    // exceed the scale and the id names a window.
    int Add(int id, int left, int top, int width, int height);
    int ClearMinTrackSize();
    // Subclasses the window (on) or gives it back; 0 when already so, or
    // when there is no window to subclass.
    int Enable(int on);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(WNDPROC oldProc, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Layout(int width, int height);
    // Applies ratio of a change to value; false when nothing is to apply.
    bool Apply(int ratio, int change, int* remainder, int* value) const;

    WNDPROC m_pfnOldWndProc = nullptr;
    int m_bEnabled = 0;
    int m_nScale = 100;
    HWND m_hWnd = nullptr;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
    std::unique_ptr<std::vector<ResizeEntry>> m_pEntries;
    // -1: the system's value, taken at the next size query.
    POINT m_maxTrackSize = {-1, -1};
    POINT m_minTrackSize = {-1, -1};
    int m_bInLayout = 0;
};
