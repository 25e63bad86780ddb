// The View Manager: the modeless dialog that shows the row model in the
// tree list, rebuilds it on Refresh and Switch, and goes away when it is
// closed. It owns the row model, the list and the resize controller.
#pragma once

#include "model/row_model.h"
#include "ui/resize_ctrl.h"
#include "ui/tree_list_ctrl.h"
#include "ui/wnd/common_controls.h"
#include "ui/wnd/dialog.h"

#include <string>

// The dialog's private messages, sent synchronously; wParam points to a
// short text that the receiver does not read.
constexpr UINT WM_VIEW_MANAGER_REFRESH = WM_USER + 4;  // Enter in the file-name box
constexpr UINT WM_VIEW_MANAGER_HIDE_TIP = WM_USER + 5; // pointer over the list's header

// The list's header: reports every pointer move over it to m_notifyWnd, so
// that the list's cell tooltip goes away there.
class ListHeaderHook : public CHeaderCtrl {
  public:
    // Binds the hook to header and reports to notify; false, with a line
    // to the debugger output, when the header cannot be bound.
    bool Attach(HWND notify, HWND header);

    HWND m_notifyWnd = nullptr;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The configuration file's name box: Enter asks the active window to
// refresh.
class FileNameEdit : public CEdit {
  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class ViewManagerDlg : public CDialog {
  public:
    explicit ViewManagerDlg(CWnd* parent = nullptr);
    ~ViewManagerDlg() override;

    // The model of the rows the list shows.
    RowModel& Rows() { return m_rows; }
    TreeListCtrl& List() { return m_list; }

    // The Close button: the rows go and the dialog deletes itself, once.
    void CloseViewManager();

    TreeListCtrl m_list;
    CWnd* m_parentWnd;
    int m_templateId;
    CResizeCtrl m_resize;
    HICON m_hIcon;
    ListHeaderHook m_header;
    FileNameEdit m_fileNameEdit;
    std::string m_xmlFileName;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

  private:
    void OnPaint();
    void OnSwitch();
    void OnRefresh();
    LRESULT OnRefreshRequest();
    void OnBrowse();
    void OnMouseMove();
    LRESULT OnHideTooltipRequest();
    LRESULT OnHeaderItemChanged();

    // Column 0's heading and the Switch button's text for the tree mode;
    // toAttributeTree is the button's text on the way to the attribute tree.
    void ShowTreeMode(const char* toAttributeTree);
    // Builds the rows of the configuration at path into the emptied list.
    void Build(const char* path);

    // Declared after the list, which it writes to when it is constructed.
    RowModel m_rows;
    bool m_closed = false;
};
