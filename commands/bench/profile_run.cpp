// One build of the generated die, and optionally one Blank on its root or
// one Close of every row, for callgrind to count (scripts/benchmarks.sh
// collects only inside RowModel::BuildTree, ViewManagerCommands::OnClickList
// or ViewManagerCommands::Close), and the heap the View Manager holds once
// built.
//
//   view_manager_profile_run build|blank|close PARTS
#include "commands/bench/count_argument.h"
#include "commands/bench/generated_view_manager.h"
#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

size_t heapInUse() {
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc == 3 ? argv[1] : "";
    const bool blank = std::strcmp(mode, "blank") == 0;
    const bool close = std::strcmp(mode, "close") == 0;
    const int parts = argc == 3 ? static_cast<int>(CountArgument(argv[2], 1000000)) : 0;
    if (parts == 0 || (!blank && !close && std::strcmp(mode, "build") != 0)) {
        std::cerr << "usage: " << argv[0] << " build|blank|close PARTS\n";
        return 2;
    }
    GeneratedViewManager viewManager(parts);
    HOSTSIM_clear_call_log();
    if (!viewManager.Build()) {
        std::cerr << viewManager.Error() << '\n';
        return 1;
    }
    ViewManagerCommands* vm = viewManager.Commands();
    std::printf("rows %d\nbuild_host_calls %d\n", vm->Model().RowCount(), HOSTSIM_call_log_size());
    HOSTSIM_clear_call_log();
    if (blank) {
        HOSTSIM_clear_call_log();
        vm->OnClickList(0, 0, kColumnBlank, false);
        std::printf("blank_host_calls %d\n", HOSTSIM_call_log_size());
    }
    if (close) {
        // The root has no parts of its own and starts closed: the first
        // double-click opens it alone, the second closes every row.
        vm->OnDblclkList(0, 0, kColumnOpen);
        HOSTSIM_clear_call_log();
        vm->OnDblclkList(0, 0, kColumnOpen);
        std::printf("close_host_calls %d\n", HOSTSIM_call_log_size());
    }
    // What the View Manager holds is what its destruction gives back; the
    // host's session, caches and call log stay.
    const size_t built = heapInUse();
    viewManager.DestroyViewManager();
    std::printf("view_manager_heap_bytes %zu\n", built - heapInUse());
    return 0;
}
