#include "commands/win32/confirm_close_dlg.h"

#include "res/resource.h"
#include "wnd/module_instance.h"

ConfirmCloseDlg::ConfirmCloseDlg(CWnd* owner)
    : CDialog(IDD_CONFIRM_CLOSE, owner),
      m_hIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_VIEW_MANAGER))) {}

void ConfirmCloseDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CONFIRM_PROGRESS, m_progress);
}

BOOL ConfirmCloseDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The bar stays hidden: nothing shows or moves it.
    m_progress.SetRange(0, 1);
    m_progress.SetPos(0);
    m_progress.SetStep(1);
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // Return presses the focused push button: with the focus on "&Cancel",
    // Return, like Esc, leaves the answer at Cancel instead of saving.
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_CONFIRM_CANCEL)),
                 TRUE);
    return FALSE;
}

void ConfirmCloseDlg::Answer(int result) {
    m_result = result;
    EndDialog(IDCANCEL);
}

LRESULT ConfirmCloseDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_SAVE_AND_CLOSE:
            Answer(CONFIRM_SAVE_AND_CLOSE);
            return 0;
        case IDC_CLOSE_NO_SAVE:
            Answer(CONFIRM_CLOSE_NO_SAVE);
            return 0;
        case IDC_CONFIRM_CANCEL:
            Answer(CONFIRM_CANCEL);
            return 0;
        default:
            break;
        }
    } else if (message == WM_CLOSE) {
        Answer(CONFIRM_CANCEL);
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
