// What can only be measured on Windows (under Wine here): a full repaint of
// a 5,000-row tree list, reading the 5,000-group view configuration with
// the MSXML backend, the size of the View Manager dialog object, and the
// View Manager itself on the real list: opening it on trees of up to 5,000
// rows beside the demo, Blank on the root of 5,000 rows, and folding and
// unfolding the top row of a 5,000-level chain, and typing into the filter
// box over the 5,000 rows. Prints one "name value" line
// per figure; scripts/benchmarks.sh writes them down.
#include "config/view_config_file.h"
#include "entry/view_manager_command.h"
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "res/resource.h"
#include "ui/tests/list_host.h"
#include "ui/tree_list_ctrl.h"
#include "ui/view_manager_dlg.h"
#include "ui/view_manager_instance.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The median time of runs calls of action, in milliseconds.
double medianMilliseconds(int runs, const std::function<void()>& action) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        action();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The list the repaint is measured on: about the View Manager's size on a
// large screen.
constexpr int kListWidth = 940;
constexpr int kListHeight = 700;

constexpr const char* kColumns[] = {"Blank/Unblank",   "Isolate",    "Color",
                                    "Freeze/Unfreeze", "Open/Close", "Attribute Count"};

// A root, 50 groups under it and the other items parts under the groups,
// every cell with its picture, expanded as a build leaves it.
void fillTree(TreeListCtrl& list, int items) {
    constexpr int kGroups = 50;
    list.AppendItem("0:Generated die");
    for (int item = 1; item < items; ++item) {
        const bool group = item <= kGroups;
        const std::string label =
            (group ? "0:Section " : "0:part_") + std::to_string(item) + (group ? "" : ".prt");
        list.AppendItem(label.c_str());
        list.SetItemParent(item, group ? 0 : 1 + item % kGroups);
    }
    for (int item = 0; item < items; ++item) {
        const bool group = item <= kGroups;
        list.SetItemImage(item, 0, group ? IDB_BLOCKS_SOLID : IDB_BLOCK_SOLID);
        list.SetItemImage(item, 1, item % 3 ? IDB_TICK_RED : IDB_TICK_GREY);
        list.SetItemImage(item, 2, item % 3 ? IDB_ISOLATE_YELLOW_FRONT : IDB_ISOLATE_ALL_GREY);
        list.SetItemImage(item, 4, item % 7 ? IDB_PADLOCK_OPEN : IDB_PADLOCK_CLOSED);
        list.SetItemImage(item, 5, IDB_FOLDER_OPEN);
        list.SetItemColor(item, RGB(item % 256, 120, 200));
        list.SetItemNumber(item, item % 12);
    }
    list.ExpandAll(0);
}

// items: the size of the tree; the figures are printed under prefix.
void measureRepaint(int items, const char* prefix) {
    ListHost host;
    TreeListCtrl list;
    if (!list.SubclassWindow(host.List())) {
        std::printf("%s_error list_not_bound\n", prefix);
        return;
    }
    SendMessageA(list.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(host.Font()), TRUE);
    SetWindowPos(list.m_hWnd, nullptr, 0, 0, kListWidth, kListHeight, SWP_NOMOVE | SWP_NOZORDER);
    for (int column = 0; column < 6; ++column)
        list.InsertColumn(column, kColumns[column], LVCFMT_LEFT, 70);
    list.InsertColumn(0, "Customized Name", LVCFMT_LEFT, 250);
    fillTree(list, items);

    // A full repaint: the list draws every row it shows into a memory
    // device context, background first, as on WM_PAINT.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kListWidth, kListHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const double ms = medianMilliseconds(25, [&] {
        SendMessageA(list.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    });
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);

    std::printf("%s_items %d\n", prefix, list.GetItemCount());
    std::printf("%s_rows_per_page %d\n", prefix,
                static_cast<int>(SendMessageA(list.m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0)));
    std::printf("%s_full_repaint_ms %.3f\n", prefix, ms);
}

void measureMsxmlRead() {
    const std::string path = WriteGeneratedDieConfig(std::string(VM_BINARY_DIR) + "/bench");
    int groups = 0;
    bool read = true;
    const double ms = medianMilliseconds(15, [&] {
        const ViewConfigFile config(path.c_str());
        read = read && config.Result() == kViewConfigRead;
        groups = config.Get().entryCount;
    });
    std::printf("msxml_groups %d\n", read ? groups : -1);
    std::printf("msxml_read_ms %.3f\n", ms);
}

// The View Manager on the real list --------------------------------------

class DialogStep : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { CreateOrShowViewManager(); }
};

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The milliseconds action takes, with the painting it leaves to do.
double paintedMilliseconds(const std::function<void()>& action) {
    return medianMilliseconds(1, [&] {
        action();
        if (g_viewManagerDlg)
            UpdateWindow(g_viewManagerDlg->m_hWnd);
        pumpMessages();
    });
}

const std::string kScratch = std::string(VM_BINARY_DIR) + "/bench/view_manager";

bool loadDemo() {
    const std::string demo = std::string(VM_SOURCE_DIR) + "/demo";
    std::ifstream file(demo + "/session.json");
    const std::string session((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    char error[512] = "";
    return HOSTSIM_load_session_text(session.c_str(), demo.c_str(), error, sizeof error) == 0;
}

bool loadGeneratedDie(int parts) {
    return LoadViewManagerSession(GeneratedDieSession(parts), GeneratedDieConfig(),
                                  kScratch + "/die", nullptr);
}

bool loadOtherGroups() {
    return LoadViewManagerSession(OtherGroupsSession(), OtherGroupsConfig(), kScratch + "/other",
                                  nullptr);
}

bool loadChain() {
    return LoadViewManagerSession(GroupChainSession(), GroupChainConfig(MAX_ROWS),
                                  kScratch + "/chain", nullptr);
}

// Opens the View Manager on the session loaded: the host's command until the
// rows are shown and painted. Prints its time and rows under prefix.
bool measureOpening(const char* prefix) {
    const double ms = paintedMilliseconds([] {
        DialogStep step;
        RunViewManagerCommand(step);
    });
    if (!g_viewManagerDlg) {
        std::printf("%s_error not_opened\n", prefix);
        return false;
    }
    // The list holds one item per row.
    std::printf("%s_rows %d\n", prefix, g_viewManagerDlg->m_list.GetItemCount());
    std::printf("%s_open_ms %.1f\n", prefix, ms);
    return true;
}

void closeViewManager() {
    if (g_viewManagerDlg)
        g_viewManagerDlg->DestroyWindow();
    pumpMessages();
}

// The sessions opened: parts of the generated die for about 500, 1,000,
// 2,000 and 5,000 rows.
constexpr int kDieParts[] = {400, 900, 1900, 5000};

#ifdef IDC_FILTER
// "Type 42" typed into the filter box of the open View Manager one letter at
// a time, then the box emptied: each keystroke until the list holds the rows
// found ("update"), and until they are painted too ("painted"). (The filter
// is not in older builds.)
void measureFilter() {
    const std::string typed = "Type 42";
    const auto setText = [](const std::string& text) {
        SetDlgItemTextA(g_viewManagerDlg->m_hWnd, IDC_FILTER, text.c_str());
    };
    for (const bool painted : {false, true}) {
        const char* kind = painted ? "painted" : "update";
        std::vector<double> keystrokes;
        for (size_t letters = 1; letters <= typed.size(); ++letters) {
            const std::string text = typed.substr(0, letters);
            keystrokes.push_back(painted ? paintedMilliseconds([&] { setText(text); })
                                         : medianMilliseconds(1, [&] { setText(text); }));
        }
        std::printf("filter_shown_rows %d\n", g_viewManagerDlg->m_list.GetShownRowCount());
        std::sort(keystrokes.begin(), keystrokes.end());
        std::printf("filter_keystroke_%s_median_ms %.1f\n", kind,
                    keystrokes[keystrokes.size() / 2]);
        std::printf("filter_keystroke_%s_max_ms %.1f\n", kind, keystrokes.back());
        std::printf("filter_clear_%s_ms %.1f\n", kind,
                    painted ? paintedMilliseconds([&] { setText(""); })
                            : medianMilliseconds(1, [&] { setText(""); }));
        pumpMessages();
    }
}
#endif

void measureViewManager() {
    if (loadDemo() && measureOpening("demo"))
        closeViewManager();
    for (int parts : kDieParts) {
        const std::string prefix = "die" + std::to_string(parts);
        if (!loadGeneratedDie(parts) || !measureOpening(prefix.c_str()))
            continue;
        if (parts == kDieParts[std::size(kDieParts) - 1]) {
            ViewManagerCommands& commands = g_viewManagerDlg->Commands();
            std::printf("blank_root_rows %d\n", g_viewManagerDlg->m_list.GetItemCount());
            std::printf("blank_root_ms %.1f\n", paintedMilliseconds([&] {
                            commands.OnClickList(0, 0, kColumnBlank, false);
                        }));
#ifdef IDC_FILTER
            measureFilter();
#endif
        }
        closeViewManager();
    }
    if (loadOtherGroups() && measureOpening("other_groups"))
        closeViewManager();
    if (loadChain() && measureOpening("chain")) {
        TreeListCtrl& list = g_viewManagerDlg->m_list;
        std::printf("chain_collapse_top_ms %.1f\n",
                    paintedMilliseconds([&] { list.CollapseItem(0); }));
        std::printf("chain_expand_top_ms %.1f\n", paintedMilliseconds([&] { list.ExpandItem(0); }));
        std::printf("chain_shown_rows %d\n", list.GetShownRowCount());
        closeViewManager();
    }
}

} // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    std::printf("dialog_object_bytes %zu\n", sizeof(ViewManagerDlg));
    measureMsxmlRead();
    std::printf("list_size_px %dx%d\n", kListWidth, kListHeight);
    // A small tree beside the largest tells whether a repaint costs the
    // rows shown or the items held.
    measureRepaint(100, "small_list");
    measureRepaint(MAX_ROWS, "list");
    measureViewManager();
    CoUninitialize();
    return 0;
}
