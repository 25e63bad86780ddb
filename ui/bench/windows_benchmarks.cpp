// What can only be measured on Windows (under Wine here): a full repaint of
// a 5,000-row tree list, reading the 5,000-group view configuration with
// the MSXML backend, and the size of the View Manager dialog object. Prints
// one "name value" line per figure; scripts/benchmarks.sh writes them down.
#include "config/view_config.h"
#include "model/bench/generated_die.h"
#include "res/resource.h"
#include "ui/tests/list_host.h"
#include "ui/tree_list_ctrl.h"
#include "ui/view_manager_dlg.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
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
        ViewConfig config{};
        read = read && ReadViewConfig(path.c_str(), &config) == kViewConfigRead;
        groups = config.entryCount;
        ReleaseViewConfig(&config);
    });
    std::printf("msxml_groups %d\n", read ? groups : -1);
    std::printf("msxml_read_ms %.3f\n", ms);
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
    CoUninitialize();
    return 0;
}
