#include "ui/resize_ctrl.h"

#include "wnd/window_table.h"

namespace {

// Names the controller on its window for anyone who looks; the controller's
// own procedure finds it in the table below, without a call to the system.
const char kControllerProperty[] = "___CResizeCtrl___Class___";
// Large enough for any dialog, small enough that ratio times a size change
// and a remembered deficit stay within an int.
constexpr int kMaxScale = 32767;

void takeUnset(LONG* stored, LONG system) {
    if (*stored == -1)
        *stored = system;
}

// Never destroyed: a controller with static storage may give its window back
// at exit.
WindowTable<CResizeCtrl>& controllers() {
    static auto* table = new WindowTable<CResizeCtrl>;
    return *table;
}

} // namespace

CResizeCtrl::~CResizeCtrl() {
    Enable(0);
}

int CResizeCtrl::Create(CWnd* parent, int enable, int scale) {
    if (!parent || !IsWindow(parent->m_hWnd) || m_pEntries || scale < 1 || scale > kMaxScale)
        return 0;
    m_pEntries = std::make_unique<std::vector<ResizeEntry>>();
    m_hWnd = parent->m_hWnd;
    m_nScale = scale;
    m_maxTrackSize = {-1, -1};
    m_minTrackSize = {-1, -1};
    if (enable)
        Enable(1);
    return 1;
}

int CResizeCtrl::Add(int id, int left, int top, int width, int height) {
    const auto inScale = [this](int ratio) { return ratio >= 0 && ratio <= m_nScale; };
    if (!m_pEntries || !inScale(left) || !inScale(top) || !inScale(width) || !inScale(height) ||
        left + width > m_nScale || top + height > m_nScale)
        return 0;
    HWND control = GetDlgItem(m_hWnd, id);
    if (!IsWindow(control))
        return 0;
    m_pEntries->push_back({control, 0, 0, 0, 0, left, top, width, height});
    return 1;
}

int CResizeCtrl::ClearMinTrackSize() {
    m_minTrackSize = {0, 0};
    return 1;
}

int CResizeCtrl::Enable(int on) {
    on = on ? 1 : 0;
    if (m_bEnabled == on)
        return 0;
    if (on) {
        // One controller per window: the property names it.
        if (!IsWindow(m_hWnd) || GetPropA(m_hWnd, kControllerProperty) ||
            !controllers().Add(m_hWnd, this))
            return 0;
        RECT client = {};
        GetClientRect(m_hWnd, &client);
        m_nLastWidth = client.right;
        m_nLastHeight = client.bottom;
        SetPropA(m_hWnd, kControllerProperty, this);
        m_pfnOldWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CResizeCtrl::WindowProc)));
    } else {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOldWndProc));
        m_pfnOldWndProc = nullptr;
        RemovePropA(m_hWnd, kControllerProperty);
        controllers().Remove(m_hWnd);
    }
    m_bEnabled = on;
    return 1;
}

LRESULT CALLBACK CResizeCtrl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CResizeCtrl* self = controllers().Find(window);
    if (!self)
        return 0;
    // Disabling on WM_DESTROY forgets the procedure the message still goes to.
    const WNDPROC oldProc = self->m_pfnOldWndProc;
    LRESULT result = 0;
    bool handled = false;
    const HandlerFailure failure = CatchHandlerFailure(
        [&] { handled = self->OnMessage(oldProc, message, wParam, lParam, &result); });
    if (failure != HandlerFailure::kNone) {
        if (CWnd* owner = CWnd::FromHandlePermanent(window))
            owner->OnHandlerFailure(failure);
    }
    if (handled)
        return result;
    return CallWindowProcA(oldProc, window, message, wParam, lParam);
}

bool CResizeCtrl::OnMessage(WNDPROC oldProc, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
    switch (message) {
    case WM_SIZE:
        *result = CallWindowProcA(oldProc, m_hWnd, message, wParam, lParam);
        Layout(LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_GETMINMAXINFO: {
        *result = CallWindowProcA(oldProc, m_hWnd, message, wParam, lParam);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        takeUnset(&m_minTrackSize.x, info->ptMinTrackSize.x);
        takeUnset(&m_minTrackSize.y, info->ptMinTrackSize.y);
        takeUnset(&m_maxTrackSize.x, info->ptMaxTrackSize.x);
        takeUnset(&m_maxTrackSize.y, info->ptMaxTrackSize.y);
        info->ptMinTrackSize = m_minTrackSize;
        info->ptMaxTrackSize = m_maxTrackSize;
        return true;
    }
    case WM_DESTROY:
        Enable(0);
        return false;
    default:
        return false;
    }
}

bool CResizeCtrl::Apply(int ratio, int change, int* remainder, int* value) const {
    if (ratio <= 0)
        return false;
    const long long total = static_cast<long long>(ratio) * change + *remainder;
    if (total == 0)
        return false;
    // Division truncates toward zero and the remainder keeps the sign, so
    // fractions carry over to the next change.
    *value += static_cast<int>(total / m_nScale);
    *remainder = static_cast<int>(total % m_nScale);
    return true;
}

void CResizeCtrl::Layout(int width, int height) {
    if (m_bInLayout || !m_pEntries || m_pEntries->empty())
        return;
    const int dx = width - m_nLastWidth;
    const int dy = height - m_nLastHeight;
    if (dx == 0 && dy == 0)
        return;
    m_bInLayout = 1;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(m_pEntries->size()));
    for (ResizeEntry& entry : *m_pEntries) {
        RECT bounds = {};
        if (!GetWindowRect(entry.hWnd, &bounds))
            continue;
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&bounds), 2);
        int x = bounds.left;
        int y = bounds.top;
        int cx = bounds.right - bounds.left;
        int cy = bounds.bottom - bounds.top;
        bool changed = Apply(entry.ratioLeft, dx, &entry.remLeft, &x);
        if (Apply(entry.ratioWidth, dx, &entry.remWidth, &cx)) {
            changed = true;
            if (cx < 0) {
                // Held at 0; the deficit is paid back before it widens again.
                entry.remWidth += m_nScale * cx;
                cx = 0;
            }
        }
        changed = Apply(entry.ratioTop, dy, &entry.remTop, &y) || changed;
        if (Apply(entry.ratioHeight, dy, &entry.remHeight, &cy)) {
            changed = true;
            if (cy < 0) {
                entry.remHeight += m_nScale * cy;
                cy = 0;
            }
        }
        if (changed)
            batch = DeferWindowPos(batch, entry.hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER);
    }
    EndDeferWindowPos(batch);
    m_nLastWidth = width;
    m_nLastHeight = height;
    m_bInLayout = 0;
}
