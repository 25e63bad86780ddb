// The View Manager: the modeless dialog that shows the rows in the tree
// list, hands the list's clicks and the highlight box to the column
// commands, rebuilds the rows on Refresh and Switch, and goes away when it
// is closed. It owns the commands with their rows, the list and the resize
// controller.
#pragma once

#include "commands/view_manager_commands.h"
#include "commands/view_manager_window.h"
#include "commands/win32/dialog_prompts.h"
#include "ui/display_scale.h"
#include "ui/resize_ctrl.h"
#include "ui/tree_list_ctrl.h"
#include "ui/view_manager_probe_answer.h"
#include "wnd/common_controls.h"
#include "wnd/dialog.h"

#include <string>

// The dialog's private messages, sent synchronously; wParam points to a
// short text that the receiver does not read.
constexpr UINT WM_VIEW_MANAGER_REFRESH = WM_USER + 4;  // Enter in the file-name box
constexpr UINT WM_VIEW_MANAGER_HIDE_TIP = WM_USER + 5; // pointer over the list's header
// Posted by the close: the window is destroyed once the handler that closed
// the View Manager has returned.
constexpr UINT WM_VIEW_MANAGER_CLOSE = WM_USER + 6;

// The list's header: reports every pointer move over it to m_notifyWnd, so
// that the list's cell tooltip goes away there, and shows each column's
// full title with its keys in a tooltip, as the header cuts them.
class ListHeaderHook : public CHeaderCtrl {
  public:
    // Binds the hook to header and reports to notify, its tips drawn at scale; false, with a line
    // to the debugger output, when the header cannot be bound.
    bool Attach(HWND notify, HWND header, DisplayScale scale);
    // Each column's tip with its title and keys, after the titles were set or changed.
    void SetTitleTips();
    // The tips' areas again after a column's width changed.
    void MoveTitleTips();
    // The tips' width limit at scale, after the DPI changed.
    void ScaleTitleTips(DisplayScale scale);

    HWND m_notifyWnd = nullptr;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Column's tool with its current area.
    TTTOOLINFOA TitleTool(int column) const;

    CToolTipCtrl m_titleTips;
};

// The configuration file's name box: Enter asks the active window to
// refresh.
class FileNameEdit : public CEdit {
  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The filter box: as the designer types, the list shows the rows found. Esc
// empties it rather than closing the View Manager, and Down goes on to the
// list's first shown row.
class FilterEdit : public CEdit {
  public:
    // The list Down goes to.
    TreeListCtrl* m_list = nullptr;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // "Filter rows" in grey in the empty box that does not have the focus.
    void DrawCue() const;
};

class ViewManagerDlg : public CDialog, private ViewManagerWindow {
  public:
    explicit ViewManagerDlg(CWnd* parent = nullptr);
    ~ViewManagerDlg() override;

    // The column commands with the rows the list shows.
    ViewManagerCommands& Commands() { return m_commands; }

    TreeListCtrl m_list;
    CResizeCtrl m_resize;
    HICON m_hIcon;
    ListHeaderHook m_header;
    FileNameEdit m_fileNameEdit;
    FilterEdit m_filterEdit;
    // The full path of the view configuration, as in the file-name box.
    std::string m_xmlFileName;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnHandlerFailure(HandlerFailure failure) noexcept override;

  private:
    void InvalidateWindow() override;
    // Hides the window and has it destroyed once the stack has unwound; its
    // last message deletes the object.
    void DestroyViewManager() override;
    // The shown rows onto the clipboard as Unicode text.
    void CopyShownRows() override;
    // What the dialog shows when it starts, and the rows.
    void InitializeView();

    // A click or double-click in the list, as the commands take it.
    void OnListClick(const NMITEMACTIVATE& click, bool doubleClick);
    // A key that stands for a click on a cell of the row at position.
    void OnListKey(int position, int column);
    // A command's shortcut, for the focused row.
    void OnListShortcut(const NMLVKEYDOWN& key);
    // The menu of the row under the screen point at, or of the focused row
    // for the keyboard's (-1, -1).
    void OnListMenu(POINT at);
    bool HighlightChecked() const;
    void OnPaint();
    void OnSwitch();
    void OnRefresh();
    // Refresh inside a running handler.
    void RefreshRows();
    LRESULT OnRefreshRequest();
    void OnBrowse();
    void BrowseForConfig();
    void OnMouseMove();
    LRESULT OnHideTooltipRequest();
    LRESULT OnHeaderItemChanged();
    // The window moved to a monitor of another scale: what is drawn to the old DPI follows, and
    // the window takes the rectangle the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The filter box and its tip, once the list is there.
    void SetUpFilterBox();
    // The rows the box's text finds, as it was typed or after a build.
    void OnFilterChanged();
    void ShowFilterCount();
    // Ctrl+E and F3: the focus into the filter box, its text selected.
    void FocusFilterBox();
    // Widens the "Highlight/UnHighlight" box to what its check and its text
    // need in the dialog's font at the scale: the template's width cuts the
    // text in some fonts.
    void FitHighlightBox(DisplayScale scale);

    // Column 0's heading and the Switch button's text for the tree mode;
    // toAttributeTree is the button's text on the way to the attribute tree.
    void ShowTreeMode(const char* toAttributeTree);
    // Builds the rows of the configuration at path into the emptied list.
    void Build(const char* path);

    CToolTipCtrl m_filterTip;
    ViewManagerProbeAnswer m_probe;
    DialogPrompts m_prompts;
    // Declared after the list, which it writes to when it is constructed.
    ViewManagerCommands m_commands;
};
