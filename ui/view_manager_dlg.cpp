#include "ui/view_manager_dlg.h"

#include "commands/row_commands.h"
#include "config/product_codes.h"
#include "config/product_defaults.h"
#include "host/host_session_bracket.h"
#include "model/cell_pictures.h"
#include "model/column_titles.h"
#include "model/row_table.h"
#include "res/resource.h"
#include "ui/fit_text.h"
#include "ui/view_manager_instance.h"
#include "ui/window_dpi.h"
#include "wnd/common_dialogs.h"
#include "wnd/module_instance.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <new>
#include <utility>

namespace {

// The size the dialog takes when the site sets none.
constexpr int kDefaultDialogSize = 500;
// The resize controller's unit: every share below is all (300) or nothing.
constexpr int kResizeScale = 300;
// The private messages carry a text in a buffer of this size.
constexpr size_t kNoticeSize = 133;

struct ResizeShare {
    int id;
    int left;
    int top;
    int width;
    int height;
};

constexpr ResizeShare kResizeShares[] = {
    {IDC_XML_FILE_NAME, 0, 300, 300, 0}, {IDC_XML_FILE_LABEL, 0, 300, 0, 0},
    {IDC_TREE_LIST, 0, 0, 300, 300},     {IDCANCEL, 300, 300, 0, 0},
    {IDC_SWITCH, 300, 300, 0, 0},        {IDC_REFRESH, 300, 300, 0, 0},
    {IDC_BROWSE, 300, 300, 0, 0},        {IDC_EDIT_XML_FILE, 300, 300, 0, 0},
    {IDC_HIGHLIGHT, 0, 300, 0, 0},       {IDC_BOTTOM_LINE, 0, 300, 300, 0},
    {IDC_LIST_LINE, 0, 300, 300, 0},     {IDC_FILTER, 0, 300, 300, 0},
    {IDC_FILTER_COUNT, 300, 300, 0, 0},
};

// Shown in the empty box while it does not have the focus.
constexpr char kFilterCue[] = "Filter rows";
constexpr char kFilterTip[] = "Shows the rows whose name, description, key or part file name has "
                              "the text, and the rows above them (Ctrl+E, F3). A command on a "
                              "row still reaches every row beneath it, shown or not. Esc empties "
                              "the box.";
// Long enough for any text a designer filters by; the box takes no more.
constexpr int kFilterTextSize = 257;

// The Switch button's captions. Users' stored scripts find the button by its exact caption, and
// users know it by sight, so each keeps the text it has always had: the one the dialog opens with
// on the name tree keeps its old misspelling ("Attibute"), while a switch back to the name tree
// sets the correct spelling. Do not correct either.
constexpr const char kSwitchToNameTree[] = "Switch To Name Tree";
constexpr const char kSwitchToAttributeTreeOnOpen[] = "Switch To Attibute Tree";
constexpr const char kSwitchToAttributeTree[] = "Switch To Attribute Tree";

constexpr int kCommandColumnWidth = 40;
constexpr int kLabelColumnWidth = 250;

int integerDefault(const char* key, int fallback) {
    int value = fallback;
    if (ask_product_default(kDieDesignProduct, key, kWorkPartUnits, kDefaultInteger, &value,
                            sizeof value) != 0)
        return fallback;
    return value;
}

// Long enough for the label column's tip of the keys.
constexpr int kTitleTipWidth = 400;

// Whether the header's columns may have new edges once message is handled:
// a width set by the list, a column added or taken away, or the end of a
// drag of an edge (the button released, or the capture lost to Escape). The
// header tells the list, and not every list passes that on.
bool movesColumnEdges(UINT message) {
    switch (message) {
    case HDM_SETITEMA:
    case HDM_SETITEMW:
    case HDM_INSERTITEMA:
    case HDM_INSERTITEMW:
    case HDM_DELETEITEM:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return true;
    default:
        return false;
    }
}

// Sends message with a zero-filled notice buffer holding text.
void sendNotice(HWND target, UINT message, const char* text) {
    char notice[kNoticeSize] = {};
    lstrcpynA(notice, text, static_cast<int>(sizeof notice));
    SendMessageA(target, message, reinterpret_cast<WPARAM>(notice), 0);
}

} // namespace

bool ListHeaderHook::Attach(HWND notify, HWND header, DisplayScale scale) {
    if (!SubclassWindow(header)) {
        OutputDebugStringA("Unable to subclass existing header!\n");
        return false;
    }
    m_notifyWnd = notify;
    ModifyStyle(0, HDS_HOTTRACK);
    // Without its tips the header still works; the caller sets them once the columns are there.
    if (m_titleTips.Create(*this))
        ScaleTitleTips(scale);
    return true;
}

TTTOOLINFOA ListHeaderHook::TitleTool(int column) const {
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = static_cast<UINT_PTR>(column);
    SendMessageA(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&tool.rect));
    return tool;
}

void ListHeaderHook::SetTitleTips() {
    if (!m_titleTips.m_hWnd)
        return;
    const int columns = static_cast<int>(SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        char title[kCellTextSize] = "";
        HDITEMA heading = {};
        heading.mask = HDI_TEXT;
        heading.pszText = title;
        heading.cchTextMax = sizeof title;
        SendMessageA(m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&heading));
        const std::string keys = ColumnKeys(column);
        std::string tip = keys.empty() ? title : std::string(title) + " (" + keys + ")";
        TTTOOLINFOA tool = TitleTool(column);
        tool.lpszText = tip.data();
        // Tools are added in column order and kept: the columns only ever grow.
        if (column < SendMessageA(m_titleTips.m_hWnd, TTM_GETTOOLCOUNT, 0, 0)) {
            m_titleTips.UpdateTipText(tool);
            SendMessageA(m_titleTips.m_hWnd, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        } else {
            m_titleTips.AddTool(tool);
        }
    }
}

void ListHeaderHook::MoveTitleTips() {
    if (!m_titleTips.m_hWnd)
        return;
    const int columns = static_cast<int>(SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        TTTOOLINFOA tool = TitleTool(column);
        SendMessageA(m_titleTips.m_hWnd, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void ListHeaderHook::ScaleTitleTips(DisplayScale scale) {
    if (m_titleTips.m_hWnd)
        SendMessageA(m_titleTips.m_hWnd, TTM_SETMAXTIPWIDTH, 0, scale.Pixels(kTitleTipWidth));
}

LRESULT ListHeaderHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE)
        sendNotice(m_notifyWnd, WM_VIEW_MANAGER_HIDE_TIP, "Mouse move on header");
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && m_titleTips.m_hWnd) {
        MSG relayed = {m_hWnd, message, wParam, lParam, 0, {}};
        SendMessageA(m_titleTips.m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    const LRESULT result = CHeaderCtrl::WindowProc(message, wParam, lParam);
    if (movesColumnEdges(message))
        MoveTitleTips();
    return result;
}

LRESULT FileNameEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A host loop that handles dialog keys would otherwise turn Return into
    // the default button, Close.
    if (message == WM_GETDLGCODE && wParam == VK_RETURN)
        return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        sendNotice(GetActiveWindow(), WM_VIEW_MANAGER_REFRESH, "enter");
        // An edit box in a dialog hands Return on to the default button,
        // Close.
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

LRESULT FilterEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A host loop that handles dialog keys would otherwise turn Esc into
    // Close and Down into a move to the next control.
    if (message == WM_GETDLGCODE && (wParam == VK_ESCAPE || wParam == VK_DOWN))
        return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        SetWindowTextA(m_hWnd, ""); // the box tells its parent, which shows every row
        return 0;
    }
    if (message == WM_CHAR && wParam == VK_ESCAPE)
        return 0;
    if (message == WM_KEYDOWN && wParam == VK_DOWN && m_list && m_list->GetShownRowCount() > 0) {
        SetFocus(m_list->m_hWnd);
        m_list->SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        SendMessageA(m_list->m_hWnd, LVM_ENSUREVISIBLE, 0, FALSE);
        return 0;
    }
    const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(m_hWnd, nullptr, TRUE); // the cue goes or comes
        break;
    case WM_PAINT:
        DrawCue();
        break;
    default:
        break;
    }
    return result;
}

void FilterEdit::DrawCue() const {
    // Drawn here rather than asked of the box: not every edit control a
    // host gives its plug-ins shows a cue banner.
    if (GetWindowTextLengthA(m_hWnd) > 0 || GetFocus() == m_hWnd)
        return;
    RECT text = {};
    SendMessageA(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    HDC dc = GetDC(m_hWnd);
    if (!dc)
        return;
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, kFilterCue, -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, oldFont);
    ReleaseDC(m_hWnd, dc);
}

ViewManagerDlg::ViewManagerDlg(CWnd* parent)
    : CDialog(IDD_VIEW_MANAGER, parent),
      m_hIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_VIEW_MANAGER))), m_prompts(this),
      m_commands(m_list, m_prompts, *this) {}

ViewManagerDlg::~ViewManagerDlg() = default;

void ViewManagerDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_XML_FILE_NAME, m_fileNameEdit);
    DDX_Text(pDX, IDC_XML_FILE_NAME, m_xmlFileName);
}

BOOL ViewManagerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_commands.RunHandler([this] { InitializeView(); });
    return TRUE;
}

void ViewManagerDlg::InitializeView() {
    std::string path;
    if (!m_commands.FindStartingConfig(path))
        return;

    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_resize.Create(this, 0, kResizeScale);
    for (const ResizeShare& share : kResizeShares)
        m_resize.Add(share.id, share.left, share.top, share.width, share.height);
    m_resize.ClearMinTrackSize();
    m_resize.Enable(1);

    // The site's sizes, like every length here, are pixels at 96 DPI.
    const DisplayScale scale = WindowScale(m_hWnd);
    FitHighlightBox(scale);
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    MoveWindow(m_hWnd, window.left, window.top,
               scale.Pixels(integerDefault("QVL_VIEW_DLG_WIDTH", kDefaultDialogSize)),
               scale.Pixels(integerDefault("QVL_VIEW_DLG_HEIGHT", kDefaultDialogSize)), TRUE);

    m_list.SubclassDlgItem(IDC_TREE_LIST, *this);
    m_list.SetScale(scale);
    // A list bound after creation keeps the system font and its row height.
    SendMessageA(m_list.m_hWnd, WM_SETFONT, SendMessageA(m_hWnd, WM_GETFONT, 0, 0), TRUE);
    for (int column = 0; column < static_cast<int>(std::size(kCommandColumnTitles)); ++column)
        m_list.InsertColumn(column, kCommandColumnTitles[column], LVCFMT_LEFT,
                            scale.Pixels(kCommandColumnWidth));

    m_header.Attach(m_hWnd, m_list.GetHeaderCtrl(), scale);
    SetUpFilterBox();

    m_xmlFileName = path;
    UpdateData(false);

    m_list.InsertColumn(0, LabelColumnTitle(m_commands.Model().GetTreeMode()), LVCFMT_LEFT,
                        scale.Pixels(kLabelColumnWidth));
    m_header.SetTitleTips();
    SetDlgItemTextA(m_hWnd, IDC_SWITCH,
                    m_commands.Model().GetTreeMode() == TreeMode::kAttribute
                        ? kSwitchToNameTree
                        : kSwitchToAttributeTreeOnOpen);
    m_commands.KeepShape(std::exchange(g_keptTreeShape, TreeShape()));
    Build(path.c_str());
}

void ViewManagerDlg::Build(const char* path) {
    // Drawing each appended row would make a large build many times slower.
    SendMessageA(m_list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    m_commands.BuildRows(path);
    SendMessageA(m_list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    ShowFilterCount();
}

void ViewManagerDlg::SetUpFilterBox() {
    m_filterEdit.SubclassDlgItem(IDC_FILTER, *this);
    m_filterEdit.m_list = &m_list;
    SendMessageA(m_filterEdit.m_hWnd, EM_LIMITTEXT, kFilterTextSize - 1, 0);
    // Without its tip the box still filters.
    if (!m_filterTip.Create(*this))
        return;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_filterEdit.m_hWnd);
    tool.lpszText = const_cast<char*>(kFilterTip);
    m_filterTip.AddTool(tool);
    SendMessageA(m_filterTip.m_hWnd, TTM_SETMAXTIPWIDTH, 0, m_list.Scale().Pixels(kTitleTipWidth));
}

void ViewManagerDlg::OnFilterChanged() {
    char text[kFilterTextSize] = "";
    GetWindowTextA(m_filterEdit.m_hWnd, text, sizeof text);
    // Only which rows show changes: a handler waiting on a prompt meanwhile
    // finds its rows and their items as it left them, so typing is not held
    // back while one runs.
    m_commands.Model().SetFilterText(text);
    m_list.SetMarkedText(kTreeColumn, text);
    InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    ShowFilterCount();
}

void ViewManagerDlg::ShowFilterCount() {
    char count[64] = "";
    if (!m_commands.Model().FilterText().empty() && m_commands.Model().FilterMatches() == 0)
        lstrcpynA(count, "No row matches", sizeof count);
    else if (!m_commands.Model().FilterText().empty())
        std::snprintf(count, sizeof count, "%d of %d rows", m_commands.Model().FilterMatches(),
                      m_commands.Model().RowCount());
    SetDlgItemTextA(m_hWnd, IDC_FILTER_COUNT, count);
}

void ViewManagerDlg::FocusFilterBox() {
    SetFocus(m_filterEdit.m_hWnd);
    SendMessageA(m_filterEdit.m_hWnd, EM_SETSEL, 0, -1);
}

void ViewManagerDlg::ShowTreeMode(const char* toAttributeTree) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(LabelColumnTitle(m_commands.Model().GetTreeMode()));
    SendMessageA(m_list.m_hWnd, LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    m_header.SetTitleTips();
    SetDlgItemTextA(m_hWnd, IDC_SWITCH,
                    m_commands.Model().GetTreeMode() == TreeMode::kAttribute ? kSwitchToNameTree
                                                                             : toAttributeTree);
}

void ViewManagerDlg::OnRefresh() {
    m_commands.RunHandler([this] { RefreshRows(); });
}

void ViewManagerDlg::RefreshRows() {
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return;
    UpdateData(true);
    if (m_commands.PrepareRebuild(m_xmlFileName.c_str()))
        Build(m_xmlFileName.c_str());
}

void ViewManagerDlg::OnSwitch() {
    m_commands.RunHandler([this] {
        HostSessionBracket bracket;
        if (!bracket.IsOpen())
            return;
        m_commands.ToggleTreeMode();
        ShowTreeMode(kSwitchToAttributeTree);
        RefreshRows();
    });
}

LRESULT ViewManagerDlg::OnRefreshRequest() {
    OnRefresh();
    return 0;
}

void ViewManagerDlg::OnBrowse() {
    // The file dialog lets other messages in: it runs as a handler.
    m_commands.RunHandler([this] { BrowseForConfig(); });
}

void ViewManagerDlg::BrowseForConfig() {
    UpdateData(true);
    std::string extension = LoadResourceString(IDS_XML_EXTENSION);
    std::string filter = LoadResourceString(IDS_XML_FILTER);
    std::string title = LoadResourceString(IDS_OPEN_XML_TITLE);
    CFileDialog dialog(extension.c_str(), nullptr,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, filter.c_str(),
                       this);
    dialog.m_ofn.lpstrTitle = title.c_str();
    if (dialog.DoModal() != IDOK || dialog.GetPathName().empty())
        return;
    m_xmlFileName = dialog.GetPathName();
    UpdateData(false);
}

void ViewManagerDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default(WM_PAINT, 0, 0);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    DrawIcon(dc, (client.right - iconWidth + 1) / 2, (client.bottom - iconHeight + 1) / 2, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

void ViewManagerDlg::OnMouseMove() {
    m_list.HideTooltip();
}

LRESULT ViewManagerDlg::OnHideTooltipRequest() {
    m_list.HideTooltip();
    return 0;
}

LRESULT ViewManagerDlg::OnHeaderItemChanged() {
    m_list.RedrawItems(0, m_list.GetItemCount());
    UpdateData(true);
    return 0;
}

void ViewManagerDlg::OnCancel() {
    m_commands.CloseViewManager();
}

void ViewManagerDlg::OnHandlerFailure(HandlerFailure failure) noexcept {
    m_commands.AbandonAfterFailure(failure);
}

void ViewManagerDlg::InvalidateWindow() {
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ViewManagerDlg::DestroyViewManager() {
    if (!m_hWnd)
        return;
    // The window goes once the handlers on the stack have returned; from now
    // on the user no longer sees it.
    ShowWindow(m_hWnd, SW_HIDE);
    if (!PostMessageA(m_hWnd, WM_VIEW_MANAGER_CLOSE, 0, 0))
        DestroyWindow();
}

void ViewManagerDlg::CopyShownRows() {
    std::vector<int> rows;
    for (int shown = 0; shown < m_list.GetShownRowCount(); ++shown)
        rows.push_back(static_cast<int>(m_list.GetItemData(shown)));
    const std::string table = RowsAsTable(m_commands.Model(), rows);
    const int length = MultiByteToWideChar(CP_ACP, 0, table.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return;
    // The clipboard owns the memory once it has taken it.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(wchar_t) * static_cast<size_t>(length));
    if (!memory)
        throw std::bad_alloc();
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    if (text) {
        MultiByteToWideChar(CP_ACP, 0, table.c_str(), -1, text, length);
        GlobalUnlock(memory);
    }
    const bool opened = text && OpenClipboard(m_hWnd);
    if (!opened || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    if (opened)
        CloseClipboard();
}

void ViewManagerDlg::PostNcDestroy() {
    // A window destroyed from outside closes the rows first.
    m_commands.CloseViewManager();
    g_keptTreeShape = m_commands.TakeShape();
    DeleteViewManager(this);
}

void ViewManagerDlg::OnListClick(const NMITEMACTIVATE& click, bool doubleClick) {
    const int row = click.iItem >= 0 ? static_cast<int>(m_list.GetItemData(click.iItem)) : -1;
    // The commands may close the View Manager: nothing follows them.
    if (doubleClick)
        m_commands.OnDblclkList(click.iItem, row, click.iSubItem);
    else
        m_commands.OnClickList(click.iItem, row, click.iSubItem, HighlightChecked());
}

bool ViewManagerDlg::HighlightChecked() const {
    return IsDlgButtonChecked(m_hWnd, IDC_HIGHLIGHT) == BST_CHECKED;
}

void ViewManagerDlg::OnListKey(int position, int column) {
    if (position < 0)
        return;
    const int row = static_cast<int>(m_list.GetItemData(position));
    // The commands may close the View Manager: nothing follows them.
    m_commands.OnCellKey(position, row, column, HighlightChecked());
}

void ViewManagerDlg::OnListShortcut(const NMLVKEYDOWN& key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key.wVKey == VK_F3 || (ctrl && key.wVKey == 'E')) {
        FocusFilterBox();
        return;
    }
    const int column = ShortcutColumn(static_cast<char>(key.wVKey), ctrl, GetKeyState(VK_SHIFT) < 0,
                                      GetKeyState(VK_MENU) < 0);
    if (column == kUndoEntry)
        m_commands.OnUndo(); // whichever row has the focus, if any
    else if (column == kCopyRowsEntry)
        m_commands.OnCopyRows();
    else if (column >= 0)
        OnListKey(m_list.GetFocusedPosition(), column);
}

void ViewManagerDlg::OnListMenu(POINT at) {
    int position = -1;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: below the focused row, where its label starts.
        position = m_list.GetFocusedPosition();
        RECT label = {};
        if (position < 0 || !m_list.GetItemRect(position, &label, LVIR_LABEL))
            return;
        at = {label.left, label.bottom};
        ClientToScreen(m_list.m_hWnd, &at);
    } else {
        POINT client = at;
        ScreenToClient(m_list.m_hWnd, &client);
        int column = -1;
        position = m_list.HitTestCell(client, &column);
        if (position < 0)
            return;
    }
    const int row = static_cast<int>(m_list.GetItemData(position));
    m_commands.OnRowMenu(position, row, at.x, at.y, HighlightChecked());
}

void ViewManagerDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    const DisplayScale old = m_list.Scale();
    const DisplayScale scale(dpi);
    if (m_list.m_hWnd) {
        m_list.SetScale(scale);
        // Widths a person set are kept in proportion, not reset.
        for (int column = 0; column < m_list.GetColumnCount(); ++column) {
            const auto width = static_cast<int>(
                SendMessageA(m_list.m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
            SendMessageA(m_list.m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                         MAKELPARAM(scale.Rescaled(width, old), 0));
        }
        // The font measures the rows again.
        SendMessageA(m_list.m_hWnd, WM_SETFONT, SendMessageA(m_hWnd, WM_GETFONT, 0, 0), TRUE);
    }
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The header may have changed height as well as widths.
    m_header.ScaleTitleTips(scale);
    m_header.MoveTitleTips();
    FitHighlightBox(scale);
}

void ViewManagerDlg::FitHighlightBox(DisplayScale scale) {
    HWND box = GetDlgItem(IDC_HIGHLIGHT);
    char text[64] = "";
    if (!box || GetWindowTextA(box, text, sizeof text) <= 0)
        return;
    SIZE extent = {};
    HDC dc = GetDC(box);
    if (!dc)
        return;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    const BOOL measured = GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    // The check mark and the gap after it, 13 and 5 pixels at 96 DPI.
    constexpr int kCheckAndGap = 18;
    const int needed = extent.cx + scale.Pixels(kCheckAndGap);
    RECT bounds = {};
    if (!measured || !GetWindowRect(box, &bounds) || bounds.right - bounds.left >= needed)
        return;
    SetWindowPos(box, nullptr, 0, 0, needed, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ViewManagerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT probed = 0;
    if (m_probe.Answer(m_list, message, wParam, lParam, &probed))
        return probed;
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_VIEW_MANAGER_REFRESH:
        return OnRefreshRequest();
    case WM_VIEW_MANAGER_HIDE_TIP:
        return OnHideTooltipRequest();
    case WM_VIEW_MANAGER_CLOSE:
        DestroyWindow();
        return 0;
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->code == HDN_ITEMCHANGEDA)
            return OnHeaderItemChanged();
        if (notice->idFrom == IDC_TREE_LIST &&
            (notice->code == NM_CLICK || notice->code == NM_DBLCLK)) {
            OnListClick(*reinterpret_cast<const NMITEMACTIVATE*>(lParam),
                        notice->code == NM_DBLCLK);
            return 0;
        }
        if (notice->idFrom == IDC_TREE_LIST && notice->code == TLN_KEYFOCUS) {
            OnListKey(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem, kColumnLabel);
            return 0;
        }
        if (notice->idFrom == IDC_TREE_LIST && notice->code == LVN_KEYDOWN) {
            OnListShortcut(*reinterpret_cast<const NMLVKEYDOWN*>(lParam));
            return 0;
        }
        break;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) != m_list.m_hWnd)
            break;
        // Screen coordinates, signed on a monitor left of or above the
        // primary one; (-1, -1) from the keyboard.
        OnListMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FILTER && HIWORD(wParam) == EN_CHANGE) {
            OnFilterChanged();
            return 0;
        }
        if (HIWORD(wParam) != BN_CLICKED)
            break;
        switch (LOWORD(wParam)) {
        case IDC_SWITCH:
            OnSwitch();
            return 0;
        case IDC_REFRESH:
            OnRefresh();
            return 0;
        case IDC_BROWSE:
            OnBrowse();
            return 0;
        case IDC_HIGHLIGHT:
            m_commands.OnHighlightCheck(HighlightChecked());
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
