// The smaller common controls as window objects: the header of a list, an
// edit box, a tracking tooltip and a progress bar.
#pragma once

#include "wnd/window.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd {};

class CEdit : public CWnd {};

class CToolTipCtrl : public CWnd {
  public:
    // A tooltip window owned by parent, with no style of its own.
    bool Create(const CWnd& parent);
    bool AddTool(TTTOOLINFOA& tool) const { return send(TTM_ADDTOOLA, 0, &tool) != 0; }
    void TrackActivate(TTTOOLINFOA& tool, bool on) const { send(TTM_TRACKACTIVATE, on, &tool); }
    // A point in screen coordinates.
    void TrackPosition(POINT point) const;
    void UpdateTipText(TTTOOLINFOA& tool) const { send(TTM_UPDATETIPTEXTA, 0, &tool); }
    void SetDelayTime(DWORD which, int milliseconds) const;
    void SetTipBkColor(COLORREF color) const;
    void SetTipTextColor(COLORREF color) const;
    void Update() const { send(TTM_UPDATE, 0, nullptr); }

  private:
    LRESULT send(UINT message, WPARAM wParam, void* lParam) const {
        return SendMessageA(m_hWnd, message, wParam, reinterpret_cast<LPARAM>(lParam));
    }
};

class CProgressCtrl : public CWnd {
  public:
    void SetRange(int low, int high) const {
        SendMessageA(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(low, high));
    }
    void SetPos(int position) const { SendMessageA(m_hWnd, PBM_SETPOS, position, 0); }
    void SetStep(int step) const { SendMessageA(m_hWnd, PBM_SETSTEP, step, 0); }
};
