#include "ui/view_manager_instance.h"

#include "config/framework_message.h"
#include "res/resource.h"
#include "ui/view_manager_dlg.h"

#include <new>

ViewManagerDlg* g_viewManagerDlg = nullptr;
int g_viewManagerCreated = 0;

void CreateOrShowViewManager() {
    if (!g_viewManagerCreated) {
        // A dialog left from a failed creation has no window: replace it.
        delete g_viewManagerDlg;
        g_viewManagerDlg = new (std::nothrow) ViewManagerDlg(nullptr);
        if (g_viewManagerDlg && g_viewManagerDlg->Create(IDD_VIEW_MANAGER, nullptr)) {
            g_viewManagerCreated = 1;
        } else {
            ShowFrameworkMessage("Error creating Dialog");
        }
    }
    if (g_viewManagerDlg && g_viewManagerDlg->m_hWnd)
        ShowWindow(g_viewManagerDlg->m_hWnd, SW_SHOW);
}
