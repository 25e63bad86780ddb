// The View Manager dialog over simulated sessions, where only real windows
// show a fault: a window closed or destroyed from outside, one that cannot be
// made, Refresh and Switch without a host session, the row probe and
// messages that carry pointers from another thread, and the shared bitmaps and every command on a
// 5,000-level chain on a host's 1 MB stack. What a user does with the dialog is checked end to end
// by tools/devhost's scripts.
#include "host/host_api.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "record/work_part_record.h"
#include "res/resource.h"
#include "ui/tests/list_host.h"
#include "ui/tests/view_manager_fixture.h"
#include "ui/view_manager_probe.h"
#include "wnd/tests/modal_answer.h"

#include <objbase.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace {

TEST_F(ViewManager, TheCloseBoxOrADestroyFromOutsideForgetsTheDialogAndItsHighlightOnce) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    SendMessageA(dialog(), WM_CLOSE, 0, 0);
    pumpMessages();
    EXPECT_EQ(nullptr, g_viewManagerDlg);

    ufusr();
    ASSERT_NE(nullptr, dialog());
    // The first row with parts of its own highlighted.
    int row = 0;
    while (dlg().Commands().Model().RowAt(row).partNames.empty())
        ++row;
    dlg().Commands().OnClickList(row, row, kColumnLabel, false);
    CheckDlgButton(dialog(), IDC_HIGHLIGHT, BST_CHECKED);
    click(IDC_HIGHLIGHT);
    const int highlightCalls = HOSTSIM_call_count("UF_DISP_set_highlight");
    ASSERT_GT(highlightCalls, 0);
    HOSTSIM_clear_call_log();
    UF_initialize();
    DestroyWindow(dialog());
    UF_terminate();
    EXPECT_EQ(nullptr, g_viewManagerDlg);
    // Every occurrence that was highlighted is unhighlighted, once.
    EXPECT_EQ(highlightCalls, HOSTSIM_call_count("UF_DISP_set_highlight"));
}

TEST_F(ViewManager, WithoutAHostSessionRefreshAndSwitchDoNothing) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const int count = dlg().m_list.GetItemCount();
    // A file that would rebuild the list with one row.
    std::filesystem::create_directories(kScratch);
    std::ofstream(kScratch + "/empty.xml") << "<DIE_VIEW/>";
    SetDlgItemTextA(dialog(), IDC_XML_FILE_NAME, (kScratch + "/empty.xml").c_str());
    HOSTSIM_fail_operation("UF_initialize", 0, 1);
    click(IDC_REFRESH);
    click(IDC_SWITCH);
    EXPECT_EQ(count, dlg().m_list.GetItemCount());
    EXPECT_EQ(TreeMode::kAttribute, dlg().Commands().Model().GetTreeMode());
}

TEST_F(ViewManager, AWindowThatCannotBeMadeIsReportedAndTriedAgainAtTheDefaultSize) {
    HHOOK refused = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, refused);
    ufusr();
    UnhookWindowsHookEx(refused);
    EXPECT_EQ(std::vector<std::string>{"Error creating Dialog"}, RecordedFrameworkMessages());
    EXPECT_EQ(0, g_viewManagerCreated);

    // Without a size in the site's defaults, 500 by 500.
    json session = demoSession();
    session["customer_defaults"].erase("QVL_VIEW_DLG_WIDTH");
    session["customer_defaults"].erase("QVL_VIEW_DLG_HEIGHT");
    useDemo(session);
    ufusr();
    ASSERT_NE(nullptr, dialog());
    RECT rect = {};
    GetWindowRect(dialog(), &rect);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(500, rect.bottom - rect.top);
}

// The host message of the first build lets the designer start the command
// again and press Close: the second command only shows the window being
// built, and the close waits until the build has returned.
TEST_F(ViewManager, ACommandAndACloseDuringTheFirstBuildWaitForIt) {
    const UF_UDOBJ_class_t registered = g_recordClass;
    g_recordClass = 0;
    HOSTSIM_fail_operation("UF_UDOBJ_create_class", 0, 0);
    struct Inside {
        int messages = 0;
        HWND shown = nullptr;
    } inside;
    HOSTSIM_set_message_handler(
        [](const char*, void* data) {
            auto& in = *static_cast<Inside*>(data);
            if (++in.messages > 1)
                return;
            DialogStep step;
            RunViewManagerCommand(step);
            in.shown = g_viewManagerDlg ? g_viewManagerDlg->m_hWnd : nullptr;
            SendMessageA(in.shown, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        },
        &inside);
    ufusr();
    HOSTSIM_set_message_handler(nullptr, nullptr);
    g_recordClass = registered;
    EXPECT_EQ(1, inside.messages);
    EXPECT_TRUE(RecordedFrameworkMessages().empty());
    ASSERT_NE(nullptr, inside.shown);
    EXPECT_EQ(inside.shown, dialog()) << "a second View Manager was made";
    EXPECT_FALSE(IsWindowVisible(inside.shown));
    pumpMessages();
    EXPECT_FALSE(IsWindow(inside.shown));
    EXPECT_EQ(nullptr, g_viewManagerDlg);
}

// The probe answers its own thread, which the development host reads it from.
TEST_F(ViewManager, TheRowProbeAnswersNoOtherThreadAndWritesNothingItIsSent) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    struct {
        ShownRowState* rows;
        int capacity;
        int count;
    } request = {nullptr, 0, -7};
    EXPECT_EQ(0, sendFromAnotherThread(dialog(), ShownRowsMessage(), 0,
                                       reinterpret_cast<LPARAM>(&request)));
    EXPECT_EQ(-7, request.count);
    EXPECT_EQ(0, sendFromAnotherThread(dialog(), CellPointMessage(), 0, 1));
}

// Messages that point at a structure the system does not carry between
// processes: from another thread nothing reads through the pointer, no
// command runs and the list does not change. Each would, from the dialog's
// own thread: a click on the root's Blank cell, a row drawn, a row measured,
// a row added.
TEST_F(ViewManager, NoOtherThreadRunsACommandOrIsReadThroughThePointerItSends) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    HWND list = GetDlgItem(dialog(), IDC_TREE_LIST);
    const int items = ListView_GetItemCount(list);
    HOSTSIM_clear_call_log();

    NMITEMACTIVATE click = {};
    click.hdr = {list, static_cast<UINT_PTR>(IDC_TREE_LIST), static_cast<UINT>(NM_CLICK)};
    click.iItem = 0;
    click.iSubItem = 1;
    EXPECT_EQ(0, sendFromAnotherThread(dialog(), WM_NOTIFY, IDC_TREE_LIST,
                                       reinterpret_cast<LPARAM>(&click)));

    HDC memory = CreateCompatibleDC(nullptr);
    DRAWITEMSTRUCT draw = {ODT_LISTVIEW, IDC_TREE_LIST,   0, ODA_DRAWENTIRE, 0, list,
                           memory,       {0, 0, 100, 20}, 0};
    EXPECT_EQ(0, sendFromAnotherThread(dialog(), WM_DRAWITEM, IDC_TREE_LIST,
                                       reinterpret_cast<LPARAM>(&draw)));
    DeleteDC(memory);
    MEASUREITEMSTRUCT measure = {ODT_LISTVIEW, IDC_TREE_LIST, 0, 0, 0, 0};
    EXPECT_EQ(0, sendFromAnotherThread(dialog(), WM_MEASUREITEM, IDC_TREE_LIST,
                                       reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(0u, measure.itemHeight);

    char text[] = "intruder";
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = text;
    EXPECT_EQ(-1, sendFromAnotherThread(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(FALSE, sendFromAnotherThread(list, LVM_DELETEALLITEMS, 0, 0));

    EXPECT_EQ(items, ListView_GetItemCount(list));
    EXPECT_EQ(0, HOSTSIM_call_log_size());
    // What a screen reader asks from its own process still reaches the list.
    EXPECT_EQ(items, sendFromAnotherThread(list, LVM_GETITEMCOUNT, 0, 0));
}

// Runs action on a thread of its own whose stack is the 1 MB of a host's
// user-interface thread.
void runOnHostSizedStack(const std::function<void()>& action) {
    auto run = [](void* argument) -> DWORD {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            return 1;
        (*static_cast<const std::function<void()>*>(argument))();
        CoUninitialize();
        return 0;
    };
    HANDLE thread = CreateThread(nullptr, 1 << 20, run, const_cast<std::function<void()>*>(&action),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(0u, code);
}

// A chain of groups as deep as the rows go, on a thread with a host's stack:
// the build, each command on the deepest and on the top row with its real
// prompts, collapsing and expanding, drawing, Refresh and Switch reach every
// level through the real list (what the commands do to the rows is the
// native sweep's same chain). Each picture is loaded once for all the cells
// that show it, and released with the dialog.
TEST_F(ViewManager, EveryCommandOnTheDeepestAndTheTopRowOfA5000LevelChain) {
    std::string error;
    ASSERT_TRUE(LoadViewManagerSession(GroupChainSession(), GroupChainConfig(MAX_ROWS),
                                       kScratch + "/chain", &error))
        << error;
    bool finished = false;
    runOnHostSizedStack([&] {
        ufusr();
        ASSERT_NE(nullptr, dialog());
        ViewManagerCommands& commands = dlg().Commands();
        TreeListCtrl& list = dlg().m_list;
        ASSERT_EQ(MAX_ROWS, list.GetShownRowCount());
        EXPECT_GE(list.GetHeldBitmaps().size(), 6u);
        std::vector<HBITMAP> seen;
        auto note = [&] {
            const std::vector<HBITMAP> held = list.GetHeldBitmaps();
            EXPECT_LE(held.size(), 12u);
            seen.insert(seen.end(), held.begin(), held.end());
            EXPECT_EQ(0, HOSTSIM_session_depth());
        };
        // The View Manager hidden, its prompts are the one dialog shown.
        ShowWindow(dialog(), SW_HIDE);
        for (int row : {MAX_ROWS - 1, 0}) {
            SCOPED_TRACE("row " + std::to_string(row));
            for (int column : {kColumnBlank, kColumnIsolate}) {
                commands.OnClickList(row, row, column, true);
                note();
            }
            {
                ModalAnswer answer([](HWND colors) { PostMessageA(colors, WM_COMMAND, IDOK, 0); });
                commands.OnClickList(row, row, kColumnColor, false);
                EXPECT_TRUE(ModalAnswer::Answered());
            }
            commands.OnDblclkList(row, row, kColumnFreeze);
            // The top row, without a part of its own, starts closed: it
            // opens first, then closes with the part (asking if it must),
            // and opens again.
            if (!commands.Model().RowAt(row).open)
                commands.OnDblclkList(row, row, kColumnOpen);
            {
                ModalAnswer answer([](HWND confirm) {
                    SendMessageA(GetDlgItem(confirm, IDC_CLOSE_NO_SAVE), BM_CLICK, 0, 0);
                });
                commands.OnDblclkList(row, row, kColumnOpen);
            }
            note();
            commands.OnDblclkList(row, row, kColumnOpen);
            note();
        }
        ShowWindow(dialog(), SW_SHOW);

        // The deepest row drawn at the bottom of the list, then the whole
        // chain folded into its top row and unfolded again.
        SendMessageA(list.m_hWnd, LVM_ENSUREVISIBLE, MAX_ROWS - 1, FALSE);
        Snapshot drawn(list.m_hWnd);
        list.CollapseItem(0);
        EXPECT_EQ(1, list.GetShownRowCount());
        list.ExpandItem(0);
        EXPECT_EQ(2, list.GetShownRowCount());

        click(IDC_REFRESH);
        click(IDC_SWITCH);
        // The rebuilt chain keeps the shape it was given: its second row
        // folded; the keypad's * unfolds all of it.
        EXPECT_EQ(2, list.GetShownRowCount());
        list.ExpandAll(0);
        EXPECT_EQ(MAX_ROWS, list.GetShownRowCount());
        note();
        // Building, folding and unfolding tell the dialog manager nothing:
        // Close stays the default button.
        EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), SendMessageA(dialog(), DM_GETDEFID, 0, 0));
        click(IDCANCEL);
        // The window goes once the click's handler has returned.
        pumpMessages();
        EXPECT_EQ(nullptr, dialog());
        for (HBITMAP bitmap : seen)
            EXPECT_EQ(0u, GetObjectType(bitmap));
        finished = true;
    });
    // A thread whose stack ran out ends without getting here.
    EXPECT_TRUE(finished);
}

// The header's tooltip window: the one with a tool of the header's.
HWND headerTips(HWND header) {
    for (HWND window = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); window;
         window = FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr)) {
        TTTOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = header;
        if (SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
            return window;
    }
    return nullptr;
}

struct HeaderTip {
    RECT rect;
    std::string text;
};

HeaderTip headerTip(HWND tips, HWND header, int column) {
    char text[256] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = header;
    tool.uId = static_cast<UINT_PTR>(column);
    tool.lpszText = text;
    EXPECT_TRUE(SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return {tool.rect, text};
}

RECT headerItemRect(HWND header, int column) {
    RECT rect = {};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// Whether each of the header's columns has its tip over exactly its area.
bool tipsOnTheColumns(HWND tips, HWND header) {
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        const RECT tip = headerTip(tips, header, column).rect;
        const RECT item = headerItemRect(header, column);
        if (!EqualRect(&tip, &item))
            return false;
    }
    return true;
}

// Told that it moved to a monitor of another scale, as the system tells a window of a process
// aware of each monitor's DPI, the View Manager draws its list for that DPI: the columns keep
// their proportions, the pictures come from the set drawn nearest that scale and the rows hold
// them, even with the font of 96 DPI (this test's font does not change); the rows keep their
// pictures' ids. The header's tips follow their columns' edges and keep their texts, which are
// set again only by a change of titles.
// Whether the "Highlight/UnHighlight" box shows its whole text after its
// check mark (13 pixels at 96 DPI, and a gap).
bool highlightTextFits(HWND box, int dpi) {
    char text[64] = "";
    GetWindowTextA(box, text, sizeof text);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    RECT client = {};
    GetClientRect(box, &client);
    return client.right >= extent.cx + MulDiv(16, dpi, 96);
}

TEST_F(ViewManager, AChangeOfDpiScalesTheColumnsTheRowsThePicturesAndTheHeaderTips) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    TreeListCtrl& list = dlg().m_list;
    const HWND header = list.GetHeaderCtrl();
    const HWND tips = headerTips(header);
    ASSERT_NE(nullptr, tips);
    const int columns = list.GetColumnCount();
    ASSERT_EQ(7, columns);
    auto columnWidth = [&](int column) {
        return static_cast<int>(SendMessageA(list.m_hWnd, LVM_GETCOLUMNWIDTH, column, 0));
    };
    auto rowHeight = [&] {
        RECT row = {};
        list.GetItemRect(0, &row, LVIR_BOUNDS);
        return row.bottom - row.top;
    };
    std::vector<int> widths;
    std::vector<std::string> titles;
    for (int column = 0; column < columns; ++column) {
        widths.push_back(columnWidth(column));
        titles.push_back(headerTip(tips, header, column).text);
    }
    EXPECT_EQ(250, widths[0]);
    EXPECT_EQ(40, widths[1]);
    EXPECT_EQ("Blank/Unblank (Ctrl+B)", titles[1]);
    const int blankPicture = list.GetItemBitmapId(0, kColumnBlank);
    ASSERT_NE(0, blankPicture);

    const struct {
        int dpi;
        int rowHeight;
        SIZE picture;
    } scales[] = {{96, 18, {20, 19}}, {144, 27, {30, 28}}, {192, 36, {40, 37}}, {96, 18, {20, 19}}};
    for (const auto& scale : scales) {
        SCOPED_TRACE(scale.dpi);
        RECT suggested = {};
        GetWindowRect(dialog(), &suggested);
        SendMessageA(dialog(), WM_DPICHANGED, MAKEWPARAM(scale.dpi, scale.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        for (int column = 0; column < columns; ++column)
            EXPECT_EQ(widths[column] * scale.dpi / 96, columnWidth(column)) << column;
        EXPECT_EQ(scale.rowHeight, rowHeight());
        SIZE picture = {};
        ASSERT_TRUE(list.GetItemImageSize(0, kColumnBlank, &picture));
        EXPECT_EQ(scale.picture.cx, picture.cx);
        EXPECT_EQ(scale.picture.cy, picture.cy);
        EXPECT_EQ(blankPicture, list.GetItemBitmapId(0, kColumnBlank));
        EXPECT_TRUE(highlightTextFits(GetDlgItem(dialog(), IDC_HIGHLIGHT), scale.dpi));
        // Every bitmap held is of the set: no 100 % bitmap is as tall as a larger set's picture,
        // no larger one as short as a 100 % picture.
        for (HBITMAP bitmap : list.GetHeldBitmaps()) {
            BITMAP info = {};
            ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
            EXPECT_GE(info.bmHeight, scale.picture.cy);
            EXPECT_LT(info.bmHeight, scale.picture.cy * 2);
        }
        EXPECT_TRUE(tipsOnTheColumns(tips, header));
        for (int column = 0; column < columns; ++column)
            EXPECT_EQ(titles[column], headerTip(tips, header, column).text);
    }

    // A text is set again only by a change of titles: a switch of tree.
    TTTOOLINFOA marked = {};
    marked.cbSize = TTTOOLINFOA_V2_SIZE;
    marked.hwnd = header;
    marked.uId = 1;
    marked.lpszText = const_cast<char*>("marked");
    SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&marked));
    click(IDC_SWITCH);
    EXPECT_EQ(titles[1], headerTip(tips, header, 1).text);
    EXPECT_NE(titles[0], headerTip(tips, header, 0).text);
    EXPECT_EQ(columns, SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
}

// The header's tips follow the columns' edges wherever one moves: dragged by the designer, or
// set through the list.
TEST_F(ViewManager, TheHeaderTipsFollowAColumnEdgeDraggedOrSet) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const HWND list = dlg().m_list.m_hWnd;
    const HWND header = ListView_GetHeader(list);
    const HWND tips = headerTips(header);
    ASSERT_NE(nullptr, tips);
    // The label column's edge, 30 pixels to the right.
    const RECT label = headerItemRect(header, 0);
    const int y = (label.top + label.bottom) / 2;
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.right - 1, y));
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(label.right + 29, y));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(label.right + 29, y));
    ASSERT_EQ(label.right + 30, headerItemRect(header, 0).right);
    EXPECT_TRUE(tipsOnTheColumns(tips, header));

    SendMessageA(list, LVM_SETCOLUMNWIDTH, kColumnColor, 90);
    const RECT color = headerItemRect(header, kColumnColor);
    ASSERT_EQ(90, color.right - color.left);
    EXPECT_TRUE(tipsOnTheColumns(tips, header));
}

} // namespace
