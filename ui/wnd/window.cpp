#include "ui/wnd/window.h"

#include "ui/wnd/module_instance.h"

#include <commctrl.h>

namespace {
// The object bound to a window, and the procedure it replaced: the latter
// stays reachable for as long as our procedure may still be called.
const char kObjectProperty[] = "ViewManager.CWnd.Object";
const char kSuperProperty[] = "ViewManager.CWnd.Super";
} // namespace

void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                            ICC_BAR_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

CWnd::~CWnd() {
    if (!m_hWnd)
        return;
    // From here on the window's messages reach only this base part, which
    // passes them on; its last message unbinds the object.
    ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        Unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? static_cast<CWnd*>(GetPropA(window, kObjectProperty)) : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (m_hWnd || !IsWindow(window) || FromHandlePermanent(window))
        return false;
    m_hWnd = window;
    PreSubclassWindow();
    if (!SetPropA(window, kObjectProperty, this)) {
        m_hWnd = nullptr;
        return false;
    }
    m_superProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::BoundWindowProc)));
    SetPropA(window, kSuperProperty, reinterpret_cast<HANDLE>(m_superProc));
    return true;
}

bool CWnd::SubclassDlgItem(int id, const CWnd& parent) {
    return SubclassWindow(::GetDlgItem(parent.m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    HWND window = m_hWnd;
    if (window)
        Unbind();
    return window;
}

void CWnd::Unbind() {
    // A procedure installed after ours still calls ours: then ours stays in
    // its chain and keeps passing messages to the one it replaced.
    if (GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&CWnd::BoundWindowProc)) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        RemovePropA(m_hWnd, kSuperProperty);
    }
    RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_superProc = nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    if (m_hWnd)
        return false;
    RegisterCommonControls();
    HWND window = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ModuleInstance(), nullptr);
    if (!window)
        return false;
    if (!SubclassWindow(window)) {
        ::DestroyWindow(window);
        return false;
    }
    return true;
}

bool CWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~remove) | add));
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        LRESULT result = 0;
        if (ReflectToChild(message, wParam, lParam, &result))
            return result;
        break;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_superProc ? CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam)
                       : DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU)
            child = draw->hwndItem;
    } else {
        const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU)
            child = ::GetDlgItem(m_hWnd, static_cast<int>(measure->CtlID));
    }
    CWnd* control = FromHandlePermanent(child);
    return control && control->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CALLBACK CWnd::BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(window);
    if (!self) {
        auto super = reinterpret_cast<WNDPROC>(GetPropA(window, kSuperProperty));
        if (message == WM_NCDESTROY)
            RemovePropA(window, kSuperProperty);
        return CallWindowProcA(super, window, message, wParam, lParam);
    }
    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->Unbind();
        self->PostNcDestroy();
    }
    return result;
}
