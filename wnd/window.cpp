#include "wnd/window.h"

#include "config/handler_failure.h"
#include "wnd/module_instance.h"
#include "wnd/window_table.h"

#include <commctrl.h>

#include <vector>

namespace {
// The procedure a bound window's procedure replaced: it stays reachable for
// as long as our procedure may still be called.
const char kSuperProperty[] = "ViewManager.CWnd.Super";

// Never destroyed: objects with static storage may unbind at exit.
WindowTable<CWnd>& boundObjects() {
    static auto* objects = new WindowTable<CWnd>;
    return *objects;
}
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
    return window ? boundObjects().Find(window) : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (m_hWnd || !IsWindow(window) || FromHandlePermanent(window))
        return false;
    m_hWnd = window;
    PreSubclassWindow();
    if (!boundObjects().Add(window, this)) {
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
    boundObjects().Remove(m_hWnd);
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
    return self->Dispatch(message, wParam, lParam);
}

namespace {

// Messages whose lParam points at a structure that the system does not carry
// from one process to another. Sent from another thread, the pointer is the
// sender's to choose and may reach anywhere in this process: no handler reads
// through it, and nothing they would run runs off the window's own thread.
bool points_at_the_senders_memory(UINT message) {
    switch (message) {
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (points_at_the_senders_memory(message) && InSendMessage())
        return 0;
    // The object outlives every message it is handling: its last message
    // only marks it, and the outermost one lets it go.
    ++m_dispatchDepth;
    LRESULT result = 0;
    const HandlerFailure failure =
        CatchHandlerFailure([&] { result = WindowProc(message, wParam, lParam); });
    if (failure != HandlerFailure::kNone)
        OnHandlerFailure(failure);
    if (message == WM_NCDESTROY) {
        Unbind();
        m_hadFinalMessage = true;
    }
    if (--m_dispatchDepth == 0 && m_hadFinalMessage) {
        m_hadFinalMessage = false;
        PostNcDestroy(); // the object may be gone now
    }
    return result;
}

void CWnd::OnHandlerFailure(HandlerFailure failure) noexcept {
    // A control's failure is its window's: the object that owns the window
    // above it decides what the user sees.
    CWnd* owner = FromHandlePermanent(::GetAncestor(m_hWnd, GA_PARENT));
    if (!owner)
        owner = FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER));
    if (owner)
        owner->OnHandlerFailure(failure);
}

void CWnd::ReleaseAllWindows() noexcept {
    // Destroying a window takes its controls and its object with it: each
    // window is looked up again before it is touched.
    for (HWND window : boundObjects().Windows()) {
        if (FromHandlePermanent(window))
            ::DestroyWindow(window);
    }
    // A window of another thread cannot be destroyed from here: its
    // procedure is given back, so that nothing still calls into the library.
    for (HWND window : boundObjects().Windows()) {
        if (CWnd* object = FromHandlePermanent(window))
            object->Unbind();
    }
}
