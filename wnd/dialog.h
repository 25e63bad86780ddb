// Dialogs from templates in the module's resources, modeless (Create) or
// modal (DoModal), with data exchange between controls and members.
#pragma once

#include "wnd/window.h"

#include <string>

class CDialog;

// One direction of a data exchange: from the controls into the members
// (save) or from the members into the controls.
class CDataExchange {
  public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_pDlgWnd(&dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Binds control to the dialog's control id the first time it is exchanged.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The text of a control and a member.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_parentWnd(parent) {}

    // The template and the parent the constructor was given: DoModal's,
    // and Create's when its caller passes them on.
    const UINT m_templateId;
    CWnd* const m_parentWnd;

    // Creates the window as a modeless dialog; OnInitDialog runs inside.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    // Shows the dialog until EndDialog and returns the code given to it,
    // or -1 when the dialog cannot be shown.
    INT_PTR DoModal();
    void EndDialog(int result);
    // Runs DoDataExchange in the given direction.
    void UpdateData(bool saveAndValidate = true);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DoDataExchange(CDataExchange*) {}
    // Fills the controls from the members; TRUE lets the dialog set the focus.
    virtual BOOL OnInitDialog();
    // The OK button or Enter: take the controls' data, end with IDOK.
    virtual void OnOK();
    // The Cancel button, Esc or the close box: end with IDCANCEL.
    virtual void OnCancel();

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
