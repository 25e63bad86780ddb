// What the list tests share: a dialog holding a list like the View
// Manager's, pictures made in memory, and the pixels a window paints.
#pragma once

#include "wnd/dialog.h"

#include <windows.h>

#include <functional>
#include <vector>

// A hidden modeless dialog with the list control IDC_LIST.
class ListHost : public CDialog {
  public:
    ListHost();
    ~ListHost() override;
    HWND List() const;
    // The font the dialog gave its controls (Arial, 9 points).
    HFONT Font() const;
};

// A bitmap in memory whose pixel (x, y) is colorAt(x, y).
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colorAt);

// The client area of a window as it paints itself into a memory device
// context (WM_PRINTCLIENT), with its background erased first.
class Snapshot {
  public:
    explicit Snapshot(HWND window);
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    // The pixels of a rectangle, row by row; CLR_INVALID outside the window.
    std::vector<COLORREF> In(const RECT& rect) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
