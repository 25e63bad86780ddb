// A window object bound to one window by subclassing: every message of the
// window goes to the object's virtual WindowProc, and what it does not
// handle goes on to the procedure the window had before (Default).
#pragma once

#include "config/handler_failure.h"

#include <windows.h>

// Registers the common control classes (list view, header, tooltip,
// progress bar) that dialog templates and CreateEx name; once is enough.
void RegisterCommonControls();

class CWnd {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window still bound to the object is destroyed with it.
    virtual ~CWnd();

    // Binds the object to an existing window: PreSubclassWindow runs first,
    // then the object's procedure is installed. Fails when the object is
    // already bound or the window is bound to another object.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, const CWnd& parent);
    // Gives the window back its previous procedure and unbinds the object.
    HWND UnsubclassWindow();
    // Creates a window and binds the object to it.
    bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    bool DestroyWindow();

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND window);
    // Destroys every window bound to an object and gives back every
    // procedure, before the library goes.
    static void ReleaseAllWindows() noexcept;

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    DWORD GetStyle() const { return static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    void ModifyStyle(DWORD remove, DWORD add);

    // A handler of the object's window threw: its message was abandoned,
    // with 0 as its result. By default the object of the window above it or
    // of its owner decides what follows.
    virtual void OnHandlerFailure(HandlerFailure failure) noexcept;

    HWND m_hWnd = nullptr;

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The processing the window would get without the object.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Before the object's procedure is installed on a window.
    virtual void PreSubclassWindow() {}
    // After the window's last message, once no message of the object is
    // still being handled; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // A message about this control that its parent passes back to it
    // (owner drawing); true when handled, with the result in *result.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // One message to WindowProc, behind the barrier that keeps exceptions
    // in the library.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Unbind();

    WNDPROC m_superProc = nullptr;
    int m_dispatchDepth = 0;
    bool m_hadFinalMessage = false;
};
