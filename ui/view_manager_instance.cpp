#include "ui/view_manager_instance.h"

#include "config/framework_message.h"
#include "ui/view_manager_dlg.h"

#include <new>

ViewManagerDlg* g_viewManagerDlg = nullptr;
int g_viewManagerCreated = 0;
TreeShape g_keptTreeShape;

void CreateOrShowViewManager() {
    if (!g_viewManagerDlg) {
        // Known before its window is made: a command started again while the
        // first build shows a message only shows the window being built.
        auto* dialog = new (std::nothrow) ViewManagerDlg(nullptr);
        g_viewManagerDlg = dialog;
        if (dialog && dialog->Create(dialog->m_templateId, dialog->m_parentWnd)) {
            g_viewManagerCreated = 1;
        } else {
            // A window that was made has taken its object with it; an object
            // that never had one goes here.
            if (dialog && g_viewManagerDlg == dialog && !dialog->m_hWnd)
                DeleteViewManager(dialog);
            g_viewManagerDlg = nullptr;
            ShowFrameworkMessage("Error creating Dialog");
        }
    }
    // A View Manager closed during its first build stays hidden until it goes.
    if (g_viewManagerDlg && g_viewManagerDlg->m_hWnd && !g_viewManagerDlg->Commands().IsClosed())
        ShowWindow(g_viewManagerDlg->m_hWnd, SW_SHOW);
}

void DeleteViewManager(ViewManagerDlg* dialog) {
    if (g_viewManagerDlg == dialog) {
        g_viewManagerDlg = nullptr;
        g_viewManagerCreated = 0;
    }
    delete dialog;
}
