#include "ui/view_manager_instance.h"

#include "config/framework_message.h"
#include "ui/view_manager_dlg.h"

#include <new>

ViewManagerDlg* g_viewManagerDlg = nullptr;
int g_viewManagerCreated = 0;

void CreateOrShowViewManager() {
    if (!g_viewManagerCreated) {
        // A dialog left from a failed creation has no window: replace it.
        delete g_viewManagerDlg;
        g_viewManagerDlg = new (std::nothrow) ViewManagerDlg(nullptr);
        if (g_viewManagerDlg && g_viewManagerDlg->Create(g_viewManagerDlg->m_templateId,
                                                         g_viewManagerDlg->m_parentWnd)) {
            g_viewManagerCreated = 1;
        } else {
            ShowFrameworkMessage("Error creating Dialog");
        }
    }
    if (g_viewManagerDlg && g_viewManagerDlg->m_hWnd)
        ShowWindow(g_viewManagerDlg->m_hWnd, SW_SHOW);
}
