#include "wnd/dialog.h"

#include "wnd/module_instance.h"

namespace {
HWND handleOf(const CWnd* window) {
    return window ? window->m_hWnd : nullptr;
}
} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.SubclassDlgItem(id, *pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextA(control, value.c_str());
        return;
    }
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    value = text;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd)
        return false;
    RegisterCommonControls();
    HWND window =
        CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId), handleOf(parent),
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    // A window the object could not be bound to is not left behind.
    if (window && window != m_hWnd)
        ::DestroyWindow(window);
    return window && window == m_hWnd;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    RegisterCommonControls();
    return DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(m_templateId), handleOf(m_parentWnd),
                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

void CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The dialog's messages reach the object through its window procedure,
    // installed here; the dialog manager's own handling follows as Default.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (!self->SubclassWindow(window))
        return TRUE;
    return self->Dispatch(message, wParam, lParam);
}
