// The View Manager dialog over the simulated session of the demo die: the
// command creates it, its buttons rebuild the tree, it follows its size and
// it goes away cleanly, as often as it is opened.
#include "config/framework_message_recorder.h"
#include "entry/view_manager_command.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "res/resource.h"
#include "ui/view_manager_dlg.h"
#include "ui/view_manager_instance.h"
#include "ui/view_manager_probe.h"
#include "wnd/tests/modal_answer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <objbase.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using nlohmann::json;

const std::string kDemo = std::string(VM_SOURCE_DIR) + "/demo";
const std::string kScratch = std::string(VM_BINARY_DIR) + "/view_manager_dlg_tests";

// What the command's dialog step is in the plug-in library.
class DialogStep : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { CreateOrShowViewManager(); }
};

json demoSession() {
    std::ifstream file(kDemo + "/session.json");
    return json::parse(file);
}

std::string demoConfig() {
    std::ifstream file(kDemo + "/product/korveltand/configuration/xml_files/qvl_view.xml");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> hostMessages() {
    std::vector<std::string> texts;
    for (int i = 0; i < HOSTSIM_message_count(); ++i)
        texts.push_back(HOSTSIM_message(i));
    return texts;
}

std::string windowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int visibleViewManagers() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (IsWindowVisible(window) && windowText(window) == "View Manager")
                ++*reinterpret_cast<int*>(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class ViewManager : public ::testing::Test {
  protected:
    void SetUp() override { useDemo(demoSession()); }

    void TearDown() override {
        if (g_viewManagerDlg)
            g_viewManagerDlg->DestroyWindow();
        EXPECT_EQ(nullptr, g_viewManagerDlg);
        EXPECT_EQ(0, g_viewManagerCreated);
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
    }

    // The demo session over a product directory of this test's own, whose
    // view configuration the test may change.
    void useDemo(json session) {
        product = kScratch + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(product + "/configuration/xml_files");
        writeConfig(demoConfig());
        session["environment"] = {{"KORVELTAND_DIR", product}};
        char error[512];
        ASSERT_EQ(0, HOSTSIM_load_session_text(session.dump().c_str(), kDemo.c_str(), error,
                                               sizeof error))
            << error;
    }

    void writeConfig(const std::string& xml) const {
        std::ofstream(product + "/configuration/xml_files/qvl_view.xml") << xml;
    }

    // The host starts the command; it leaves its host session closed.
    void ufusr() const {
        DialogStep step;
        RunViewManagerCommand(step);
        EXPECT_EQ(0, HOSTSIM_session_depth());
    }

    HWND dialog() const { return g_viewManagerDlg ? g_viewManagerDlg->m_hWnd : nullptr; }
    ViewManagerDlg& dlg() const { return *g_viewManagerDlg; }

    // A button click as the dialog gets it; the handler leaves no host session open.
    void click(int id) const {
        SendMessageA(dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog(), id)));
        EXPECT_EQ(0, HOSTSIM_session_depth());
    }

    std::string label(int item) const {
        char text[300] = "";
        dlg().m_list.GetItemText(item, 0, text, sizeof text);
        return text;
    }

    std::string heading() const {
        char text[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        SendMessageA(dlg().m_list.m_hWnd, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        return text;
    }

    // A chain of groups that many levels deep, each level a row.
    void useChain(int levels) {
        product = kScratch + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::string error;
        ASSERT_TRUE(
            LoadViewManagerSession(GroupChainSession(), GroupChainConfig(levels), product, &error))
            << error;
    }

    std::string switchText() const { return windowText(GetDlgItem(dialog(), IDC_SWITCH)); }
    int itemCount() const { return dlg().m_list.GetItemCount(); }

    std::string product;
};

TEST_F(ViewManager, FirstCommandBuildsTheDemoTreeInTheTreeOfTheDefaults) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    EXPECT_EQ(1, g_viewManagerCreated);
    EXPECT_TRUE(IsWindowVisible(dialog()));
    EXPECT_EQ("View Manager", windowText(dialog()));

    // The demo sets the attribute tree: the rows are labelled by group names.
    const RowModel& rows = dlg().Commands();
    ASSERT_GT(rows.m_rowCount, 10);
    EXPECT_EQ(rows.m_rowCount, itemCount());
    EXPECT_EQ(rows.m_rowCount, rows.m_builtItemCount);
    EXPECT_EQ("0:DIE_VIEW", label(0));
    EXPECT_EQ("0:UPPER_DIE", label(1));
    EXPECT_EQ("Attribute Name", heading());
    EXPECT_EQ("Switch To Name Tree", switchText());
    EXPECT_EQ(7, dlg().m_list.GetColumnCount());
    EXPECT_TRUE(std::filesystem::equivalent(product + "/configuration/xml_files/qvl_view.xml",
                                            dlg().m_xmlFileName))
        << dlg().m_xmlFileName;
    EXPECT_EQ(dlg().m_xmlFileName, windowText(GetDlgItem(dialog(), IDC_XML_FILE_NAME)));

    // The file-name box and its buttons stay hidden.
    for (int id : {IDC_XML_FILE_NAME, IDC_XML_FILE_LABEL, IDC_BROWSE, IDC_EDIT_XML_FILE})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog(), id))) << id;
    for (int id : {IDCANCEL, IDC_TREE_LIST, IDC_SWITCH, IDC_REFRESH, IDC_HIGHLIGHT})
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog(), id))) << id;

    // The record objects were made sure of in the work part before the build.
    EXPECT_GT(HOSTSIM_call_count("UF_UDOBJ_cycle_udos_by_class"), 0);
}

TEST_F(ViewManager, RefreshFollowsTheConfigurationAndRefusesAMalformedOne) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const int demoCount = itemCount();

    // Only the upper die's groups are left.
    std::string config = demoConfig();
    size_t lower = config.find("  <LOWER_DIE");
    size_t end = config.find("</DIE_VIEW>");
    ASSERT_NE(std::string::npos, lower);
    ASSERT_NE(std::string::npos, end);
    writeConfig(config.substr(0, lower) + config.substr(end));
    click(IDC_REFRESH);
    const int upperCount = itemCount();
    EXPECT_LT(upperCount, demoCount);
    EXPECT_GT(upperCount, 2);
    EXPECT_EQ(upperCount, dlg().Commands().m_rowCount);
    EXPECT_EQ(upperCount, dlg().Commands().m_builtItemCount);
    EXPECT_EQ("0:DIE_VIEW", label(0));

    // A text longer than a group name may be: the file's form is wrong.
    writeConfig("<R><T Description=\"" + std::string(300, 'k') + "\"/></R>");
    click(IDC_REFRESH);
    EXPECT_EQ(std::vector<std::string>{"file format error!"}, hostMessages());
    EXPECT_EQ(0, itemCount());
    // The rows stay until a build replaces them.
    EXPECT_EQ(upperCount, dlg().Commands().m_rowCount);

    // A file that does not load: the reader tells the user, the list stays empty.
    std::filesystem::remove(product + "/configuration/xml_files/qvl_view.xml");
    click(IDC_REFRESH);
    EXPECT_EQ(1u, RecordedFrameworkMessages().size());
    EXPECT_EQ(1, HOSTSIM_message_count());
    EXPECT_EQ(0, itemCount());

    writeConfig(demoConfig());
    click(IDC_REFRESH);
    EXPECT_EQ(demoCount, itemCount());
    EXPECT_EQ(demoCount, dlg().Commands().m_rowCount);
}

// Return typed in the list, through a host loop that handles dialog keys.
void typeReturnInList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_TREE_LIST);
    SetActiveWindow(dialog);
    SetFocus(list);
    for (MSG key : {MSG{list, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}},
                    MSG{list, WM_KEYUP, VK_RETURN, 0xC01C0001, 0, {}}}) {
        if (IsWindow(dialog) && !IsDialogMessageA(dialog, &key))
            DispatchMessageA(&key);
    }
}

TEST_F(ViewManager, ReturnInTheListPressesCloseWhateverItemWasLinkedLast) {
    // Root "R" with n rows "R_OTHER" below: item n is linked last.
    for (int lastLinked : {1, 2, IDC_REFRESH, IDC_SWITCH}) {
        SCOPED_TRACE(lastLinked);
        std::string config = "<R>";
        for (int item = 1; item <= lastLinked; ++item)
            config += "<R_OTHER/>";
        writeConfig(config + "</R>");
        ufusr();
        ASSERT_NE(nullptr, dialog());
        ASSERT_EQ(lastLinked + 1, itemCount());
        HWND window = dialog();
        EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), SendMessageA(window, DM_GETDEFID, 0, 0));
        typeReturnInList(window);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(nullptr, g_viewManagerDlg);
    }
}

TEST_F(ViewManager, ExpandingAndCollapsingKeepTheDialogsPlaceAndDefaultButton) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    // Partly off the screen, where only the user may put it.
    SetWindowPos(dialog(), nullptr, -200, -40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT before = {};
    GetWindowRect(dialog(), &before);
    dlg().m_list.CollapseItem(1);
    dlg().m_list.ExpandItem(1);
    RECT after = {};
    GetWindowRect(dialog(), &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), SendMessageA(dialog(), DM_GETDEFID, 0, 0));
}

// The first shown row whose own parts are on display, and its row index.
int firstShownRowWithParts(ViewManagerDlg& dlg, int* row) {
    for (int shown = 0; shown < dlg.m_list.GetItemCount(); ++shown) {
        *row = static_cast<int>(dlg.m_list.GetItemData(shown));
        if (!dlg.Commands().m_rowPartNames[*row].empty())
            return shown;
    }
    return -1;
}

// The middle of a cell of a shown row, in the list's client coordinates.
LPARAM cellPoint(ViewManagerDlg& dlg, int shown, int column) {
    RECT cell = {};
    EXPECT_TRUE(dlg.m_list.GetCellRect(shown, column, &cell));
    return MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

TEST_F(ViewManager, ListClicksAndTheHighlightBoxReachTheCommands) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    ViewManagerCommands& commands = dlg().Commands();
    HWND list = dlg().m_list.m_hWnd;
    int row = -1;
    const int shown = firstShownRowWithParts(dlg(), &row);
    ASSERT_GE(shown, 0);

    // A click in the "Blank/Unblank" column blanks the row.
    const int shownBefore = commands.m_rowShown[row];
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(dlg(), shown, 1));
    SendMessageA(list, WM_LBUTTONUP, 0, cellPoint(dlg(), shown, 1));
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_EQ(row, commands.m_clickedRow);
    EXPECT_NE(shownBefore, commands.m_rowShown[row]);

    // A double-click in the "Freeze/Unfreeze" column freezes it.
    const int unfrozenBefore = commands.m_rowUnfrozen[row];
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, cellPoint(dlg(), shown, 4));
    SendMessageA(list, WM_LBUTTONUP, 0, cellPoint(dlg(), shown, 4));
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_NE(unfrozenBefore, commands.m_rowUnfrozen[row]);

    // Checking the box highlights the clicked row; Refresh takes the
    // highlight away before it rebuilds.
    CheckDlgButton(dialog(), IDC_HIGHLIGHT, BST_CHECKED);
    HOSTSIM_clear_call_log();
    click(IDC_HIGHLIGHT);
    EXPECT_EQ(row, commands.m_highlightedRow);
    EXPECT_GT(HOSTSIM_call_count("UF_DISP_set_highlight"), 0);
    HOSTSIM_clear_call_log();
    click(IDC_REFRESH);
    EXPECT_EQ(-1, commands.m_highlightedRow);
    EXPECT_GT(HOSTSIM_call_count("UF_DISP_set_highlight"), 0);
}

TEST_F(ViewManager, AWindowDestroyedFromOutsideTakesTheHighlightAwayOnce) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    int row = -1;
    ASSERT_GE(firstShownRowWithParts(dlg(), &row), 0);
    dlg().Commands().m_clickedRow = row;
    CheckDlgButton(dialog(), IDC_HIGHLIGHT, BST_CHECKED);
    click(IDC_HIGHLIGHT);
    const int highlightCalls = HOSTSIM_call_count("UF_DISP_set_highlight");
    ASSERT_GT(highlightCalls, 0);
    HOSTSIM_clear_call_log();

    UF_initialize();
    DestroyWindow(dialog());
    UF_terminate();
    EXPECT_EQ(nullptr, g_viewManagerDlg);
    EXPECT_EQ(0, g_viewManagerCreated);
    // Every occurrence that was highlighted is unhighlighted, once.
    EXPECT_EQ(highlightCalls, HOSTSIM_call_count("UF_DISP_set_highlight"));
}

TEST_F(ViewManager, WithoutAHostSessionOnlyCloseActsAndItMakesNoHostCall) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const int count = itemCount();
    int row = -1;
    ASSERT_GE(firstShownRowWithParts(dlg(), &row), 0);
    dlg().Commands().m_clickedRow = row;
    CheckDlgButton(dialog(), IDC_HIGHLIGHT, BST_CHECKED);
    click(IDC_HIGHLIGHT);
    ASSERT_GT(HOSTSIM_call_count("UF_DISP_set_highlight"), 0);
    writeConfig("<DIE_VIEW/>");
    HOSTSIM_fail_operation("UF_initialize", 0, 1);
    click(IDC_REFRESH);
    click(IDC_SWITCH);
    EXPECT_EQ(count, itemCount());
    EXPECT_EQ(1, dlg().Commands().m_treeMode);

    // Close, Esc and the close box all end as Cancel.
    HOSTSIM_clear_call_log();
    HWND window = dialog();
    click(IDCANCEL);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, g_viewManagerDlg);
    EXPECT_EQ(0, HOSTSIM_call_count("UF_DISP_set_highlight"));
    HOSTSIM_clear_faults();
}

TEST_F(ViewManager, TheHeaderIsHookedAndAColumnWidthChangeTakesTheControlsData) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    HWND header = dlg().m_list.GetHeaderCtrl();
    EXPECT_EQ(&dlg().m_header, CWnd::FromHandlePermanent(header));
    EXPECT_EQ(dialog(), dlg().m_header.m_notifyWnd);
    EXPECT_NE(0u, dlg().m_header.GetStyle() & HDS_HOTTRACK);

    // A column's new width, as the header reports it through the list (Wine's
    // list view keeps that report to itself, so it is sent here), makes the
    // dialog take the file-name box into its member.
    SetDlgItemTextA(dialog(), IDC_XML_FILE_NAME, "C:\\elsewhere\\qvl_view.xml");
    NMHEADERA change = {};
    change.hdr = {header, 0, static_cast<UINT>(HDN_ITEMCHANGEDA)};
    change.iItem = 1;
    SendMessageA(dialog(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ("C:\\elsewhere\\qvl_view.xml", dlg().m_xmlFileName);
}

TEST_F(ViewManager, ASecondCommandShowsTheSameDialog) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    ViewManagerDlg* first = g_viewManagerDlg;
    HWND window = dialog();
    ShowWindow(window, SW_HIDE);
    HOSTSIM_clear_call_log();

    ufusr();
    EXPECT_EQ(first, g_viewManagerDlg);
    EXPECT_EQ(window, dialog());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(1, visibleViewManagers());
    // Shown, not built again.
    EXPECT_EQ(0, HOSTSIM_call_count("UF_UDOBJ_cycle_udos_by_class"));
}

TEST_F(ViewManager, TakesItsSizeFromTheDefaultsOr500) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    RECT rect = {};
    GetWindowRect(dialog(), &rect);
    EXPECT_EQ(720, rect.right - rect.left);
    EXPECT_EQ(560, rect.bottom - rect.top);
    dlg().DestroyWindow();

    json session = demoSession();
    session["customer_defaults"].erase("QVL_VIEW_DLG_WIDTH");
    session["customer_defaults"].erase("QVL_VIEW_DLG_HEIGHT");
    useDemo(session);
    ufusr();
    ASSERT_NE(nullptr, dialog());
    GetWindowRect(dialog(), &rect);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(500, rect.bottom - rect.top);
}

TEST_F(ViewManager, ClosingAndOpeningAgainManyTimes) {
    for (int round = 0; round < 8; ++round) {
        ufusr();
        ASSERT_NE(nullptr, dialog()) << round;
        HWND window = dialog();
        ASSERT_GT(itemCount(), 0);
        if (round % 2 == 0) {
            click(IDCANCEL);
        } else {
            // The close box reaches the dialog as a Cancel it posts to itself.
            SendMessageA(window, WM_CLOSE, 0, 0);
            pumpMessages();
            EXPECT_EQ(0, HOSTSIM_session_depth());
        }
        EXPECT_FALSE(IsWindow(window)) << round;
        EXPECT_EQ(nullptr, g_viewManagerDlg) << round;
        EXPECT_EQ(0, g_viewManagerCreated) << round;
    }
    EXPECT_EQ(0, visibleViewManagers());
}

// The shown row whose row's first part is the one named, or -1.
int shownRowOfFirstPart(ViewManagerDlg& dlg, const std::string& part) {
    for (int shown = 0; shown < dlg.m_list.GetItemCount(); ++shown) {
        const int row = static_cast<int>(dlg.m_list.GetItemData(shown));
        const std::vector<std::string>& names = dlg.Commands().m_rowPartNames[row];
        if (!names.empty() && names.front() == part)
            return shown;
    }
    return -1;
}

TEST_F(ViewManager, ClosingTheDisplayPartsRowClosesTheDialogAsOftenAsItIsOpened) {
    const std::string top = "C:\\Dies\\PD2026\\pd2026_top.prt";
    std::string config = demoConfig();
    const std::string rootEnd = "Progressive die PD2026\">";
    config.insert(config.find(rootEnd) + rootEnd.size(),
                  "<COMPONENT_TYPE Description=\"Top assembly\">ASSEMBLY</COMPONENT_TYPE>");
    for (int round = 0; round < 6; ++round) {
        useDemo(demoSession());
        writeConfig(config);
        ufusr();
        ASSERT_NE(nullptr, dialog()) << round;
        HWND window = dialog();
        const int shown = shownRowOfFirstPart(dlg(), top);
        ASSERT_GE(shown, 0) << round;
        // A double-click in the "Open/Close" column: the display part closes
        // and the View Manager with it, from inside its own handler. The
        // close takes the demo's modified trim punch along, so it asks first.
        HWND list = dlg().m_list.m_hWnd;
        const LPARAM point = cellPoint(dlg(), shown, 5);
        // Hidden, the View Manager leaves the question the only dialog shown.
        ShowWindow(window, SW_HIDE);
        {
            ModalAnswer answer([](HWND confirm) {
                SendMessageA(GetDlgItem(confirm, IDC_CLOSE_NO_SAVE), BM_CLICK, 0, 0);
            });
            SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
            SendMessageA(list, WM_LBUTTONUP, 0, point);
            EXPECT_TRUE(ModalAnswer::Answered()) << round;
        }
        pumpMessages();
        EXPECT_EQ(0, HOSTSIM_session_depth()) << round;
        EXPECT_EQ(0, UF_PART_is_loaded(top.c_str())) << round;
        EXPECT_FALSE(IsWindow(window)) << round;
        EXPECT_EQ(nullptr, g_viewManagerDlg) << round;
        EXPECT_EQ(0, g_viewManagerCreated) << round;
    }
    EXPECT_EQ(0, visibleViewManagers());
}

TEST_F(ViewManager, AWindowDestroyedFromOutsideForgetsTheDialog) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    HWND window = dialog();
    DestroyWindow(window);
    EXPECT_EQ(nullptr, g_viewManagerDlg);
    EXPECT_EQ(0, g_viewManagerCreated);
    ufusr();
    ASSERT_NE(nullptr, dialog());
    EXPECT_GT(itemCount(), 0);
}

// A send from a thread of its own, answered while this thread pumps.
LRESULT sendFromAnotherThread(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::atomic<bool> sent{false};
    LRESULT answer = -2;
    std::thread other([&] {
        answer = SendMessageA(window, message, wParam, lParam);
        sent = true;
    });
    while (!sent) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        pumpMessages();
    }
    other.join();
    return answer;
}

TEST_F(ViewManager, TheRowProbeAnswersItsOwnThreadOnlyAndWritesNothingItIsSent) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const auto* shown =
        reinterpret_cast<const ShownRows*>(SendMessageA(dialog(), ShownRowsMessage(), 0, 0));
    ASSERT_NE(nullptr, shown);
    ASSERT_EQ(itemCount(), shown->count);
    EXPECT_EQ(label(0), std::string("0:") + shown->rows[0].label);
    EXPECT_NE(0, SendMessageA(dialog(), CellPointMessage(), 0, 1));

    // A request in the form of a buffer for the rows, sent from elsewhere.
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

// Refuses every window the thread tries to create while it lives.
class RefusedWindows {
  public:
    RefusedWindows()
        : m_hook(SetWindowsHookExA(
              WH_CBT,
              [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
              },
              nullptr, GetCurrentThreadId())) {}
    ~RefusedWindows() { UnhookWindowsHookEx(m_hook); }
    RefusedWindows(const RefusedWindows&) = delete;
    RefusedWindows& operator=(const RefusedWindows&) = delete;
    bool IsSet() const { return m_hook != nullptr; }

  private:
    HHOOK m_hook;
};

TEST_F(ViewManager, AWindowThatCannotBeMadeIsReportedAndTriedAgain) {
    {
        RefusedWindows refused;
        ASSERT_TRUE(refused.IsSet());
        ufusr();
    }
    EXPECT_EQ(std::vector<std::string>{"Error creating Dialog"}, RecordedFrameworkMessages());
    EXPECT_EQ(0, g_viewManagerCreated);
    EXPECT_EQ(0, visibleViewManagers());

    ufusr();
    ASSERT_NE(nullptr, dialog());
    EXPECT_EQ(1, g_viewManagerCreated);
    EXPECT_GT(itemCount(), 0);
}

TEST_F(ViewManager, AFileOnlyTheBaseDirectoryHoldsIsTheOneTheDialogShows) {
    // The command finds the file below the base directory; so does the dialog.
    json session = demoSession();
    useDemo(session);
    const std::string baseConfig = product + "/base/korveltand/configuration/xml_files";
    std::filesystem::create_directories(baseConfig);
    std::ofstream(baseConfig + "/qvl_view.xml") << demoConfig();
    std::filesystem::remove(product + "/configuration/xml_files/qvl_view.xml");
    session["environment"] = {{"KORVELTAND_DIR", product}, {"KZII_BASE_DIR", product + "/base"}};
    char error[512];
    ASSERT_EQ(0,
              HOSTSIM_load_session_text(session.dump().c_str(), kDemo.c_str(), error, sizeof error))
        << error;
    ufusr();
    ASSERT_NE(nullptr, dialog());
    EXPECT_EQ(7, dlg().m_list.GetColumnCount());
    EXPECT_EQ("0:DIE_VIEW", label(0));
    const int count = itemCount();
    EXPECT_GT(count, 10);
    EXPECT_TRUE(std::filesystem::equivalent(baseConfig + "/qvl_view.xml", dlg().m_xmlFileName))
        << dlg().m_xmlFileName;
    click(IDC_REFRESH);
    EXPECT_EQ(count, itemCount());
    EXPECT_EQ(std::vector<std::string>(), hostMessages());
}

// True when none of bitmaps is a GDI object any more.
bool allReleased(const std::vector<HBITMAP>& bitmaps) {
    for (HBITMAP bitmap : bitmaps) {
        if (GetObjectType(bitmap) != 0)
            return false;
    }
    return true;
}

// Each picture is loaded once for all the cells that show it: the View
// Manager holds as many bitmaps on 5,000 rows as on 50, through Refreshes and
// commands, and none once it has closed.
TEST_F(ViewManager, HoldsOneBitmapPerPictureShownWhateverTheRowsAndReleasesThem) {
    useChain(50);
    ufusr();
    ASSERT_NE(nullptr, dialog());
    const std::vector<HBITMAP> fifty = dlg().m_list.GetHeldBitmaps();
    EXPECT_GE(fifty.size(), 6u);
    EXPECT_LE(fifty.size(), 12u);
    click(IDCANCEL);
    EXPECT_TRUE(allReleased(fifty));

    useChain(MAX_ROWS);
    ufusr();
    ASSERT_NE(nullptr, dialog()) << ::testing::PrintToString(hostMessages())
                                 << ::testing::PrintToString(RecordedFrameworkMessages());
    EXPECT_EQ(fifty.size(), dlg().m_list.GetHeldBitmaps().size());
    for (int refresh = 0; refresh < 3; ++refresh)
        click(IDC_REFRESH);
    EXPECT_EQ(fifty.size(), dlg().m_list.GetHeldBitmaps().size());
    ViewManagerCommands& commands = dlg().Commands();
    std::vector<HBITMAP> seen;
    auto note = [&] {
        const std::vector<HBITMAP> held = dlg().m_list.GetHeldBitmaps();
        EXPECT_LE(held.size(), 12u);
        seen.insert(seen.end(), held.begin(), held.end());
    };
    // Every command on the first row with the part, each there and back.
    for (int column : {kColumnBlank, kColumnIsolate}) {
        for (int twice = 0; twice < 2; ++twice) {
            commands.OnClickList(1, 1, column, false);
            note();
        }
    }
    for (int twice = 0; twice < 2; ++twice) {
        commands.OnDblclkList(1, 1, kColumnFreeze);
        note();
    }
    commands.OnDblclkList(1, 1, kColumnOpen);
    EXPECT_EQ(0, commands.m_rowOpen[MAX_ROWS - 1]);
    note();
    commands.OnDblclkList(1, 1, kColumnOpen);
    EXPECT_EQ(1, commands.m_rowOpen[MAX_ROWS - 1]);
    EXPECT_EQ(fifty.size(), dlg().m_list.GetHeldBitmaps().size());
    click(IDCANCEL);
    EXPECT_EQ(nullptr, dialog());
    EXPECT_TRUE(allReleased(seen));
}

// Runs action on a thread of its own whose stack is the 1 MB of a host's
// user-interface thread.
void runOnHostSizedStack(const std::function<void()>& action) {
    auto run = [](void* argument) -> DWORD {
        // As the host does on its thread, for the configuration's reader.
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
// the build, each command on the deepest and on the top row, collapsing and
// expanding, drawing, Refresh and Switch reach every level.
TEST_F(ViewManager, EveryCommandOnTheDeepestAndTheTopRowOfA5000LevelChain) {
    useChain(MAX_ROWS);
    const int deepest = MAX_ROWS - 1;
    bool finished = false;
    runOnHostSizedStack([&] {
        ufusr();
        ASSERT_NE(nullptr, dialog());
        ViewManagerCommands& commands = dlg().Commands();
        TreeListCtrl& list = dlg().m_list;
        ASSERT_EQ(MAX_ROWS, commands.m_rowCount);
        ASSERT_EQ(MAX_ROWS, list.GetShownRowCount());
        ASSERT_EQ(deepest, list.GetItemLevel(deepest));
        for (int row : {deepest, 0}) {
            SCOPED_TRACE("row " + std::to_string(row));
            commands.OnClickList(row, row, kColumnBlank, false);
            EXPECT_EQ(0, commands.m_rowShown[deepest]);
            commands.OnClickList(row, row, kColumnIsolate, true);
            EXPECT_EQ(1, commands.m_rowShown[deepest]);
            EXPECT_EQ(row, commands.m_highlightedRow);
            // The View Manager hidden, its prompt is the one dialog shown.
            ShowWindow(dialog(), SW_HIDE);
            {
                ModalAnswer answer([](HWND colors) { PostMessageA(colors, WM_COMMAND, IDOK, 0); });
                commands.OnClickList(row, row, kColumnColor, false);
                EXPECT_TRUE(ModalAnswer::Answered());
            }
            commands.OnDblclkList(row, row, kColumnFreeze);
            EXPECT_EQ(0, commands.m_rowUnfrozen[deepest]);
            // The top row, without a part of its own, starts closed: it
            // opens first, then closes with the part.
            if (commands.m_rowOpen[row] == 0)
                commands.OnDblclkList(row, row, kColumnOpen);
            {
                ModalAnswer answer([](HWND confirm) {
                    SendMessageA(GetDlgItem(confirm, IDC_CLOSE_NO_SAVE), BM_CLICK, 0, 0);
                });
                commands.OnDblclkList(row, row, kColumnOpen);
            }
            EXPECT_EQ(0, commands.m_rowOpen[deepest]);
            commands.OnDblclkList(row, row, kColumnOpen);
            EXPECT_EQ(1, commands.m_rowOpen[deepest]);
            ShowWindow(dialog(), SW_SHOW);
            EXPECT_EQ(0, HOSTSIM_session_depth());
        }

        // The deepest row drawn at the bottom of the list, then the whole
        // chain folded into its top row and unfolded again.
        SendMessageA(list.m_hWnd, LVM_ENSUREVISIBLE, deepest, FALSE);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 400, 400);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, canvas);
        SendMessageA(list.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, old);
        DeleteObject(canvas);
        DeleteDC(memory);
        list.CollapseItem(0);
        EXPECT_EQ(1, list.GetShownRowCount());
        list.ExpandItem(0);
        EXPECT_EQ(2, list.GetShownRowCount());

        click(IDC_REFRESH);
        click(IDC_SWITCH);
        EXPECT_EQ(MAX_ROWS, list.GetShownRowCount());
        click(IDCANCEL);
        EXPECT_EQ(nullptr, dialog());
        finished = true;
    });
    // A thread whose stack ran out ends without getting here.
    EXPECT_TRUE(finished);
}

} // namespace
