#include "wnd/common_controls.h"

bool CToolTipCtrl::Create(const CWnd& parent) {
    // A tooltip sizes and places itself; a pop-up window has no control id.
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, RECT{}, parent.m_hWnd, 0);
}

void CToolTipCtrl::TrackPosition(POINT point) const {
    SendMessageA(m_hWnd, TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) const {
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
}

void CToolTipCtrl::SetTipBkColor(COLORREF color) const {
    SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, color, 0);
}

void CToolTipCtrl::SetTipTextColor(COLORREF color) const {
    SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, color, 0);
}
