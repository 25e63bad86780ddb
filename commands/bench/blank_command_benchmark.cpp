// The Blank command on the root row of a 5,000-row tree: the root and
// every row beneath it blanked, then unblanked on the next click.
#include "commands/bench/generated_view_manager.h"
#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"

#include <benchmark/benchmark.h>

namespace {

// The largest die: 5,000 rows, each with its share of 20,000 parts.
constexpr int kParts = 20000;

void BM_BlankRoot(benchmark::State& state) {
    GeneratedViewManager viewManager(kParts);
    if (!viewManager.Build()) {
        state.SkipWithError(viewManager.Error().c_str());
        return;
    }
    ViewManagerCommands* vm = viewManager.Commands();
    long long calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        HOSTSIM_clear_call_log();
        state.ResumeTiming();

        vm->OnClickList(0, 0, kColumnBlank, false);

        state.PauseTiming();
        calls = HOSTSIM_call_log_size();
        state.ResumeTiming();
    }
    state.counters["rows"] = vm->Model().RowCount();
    state.counters["host_calls"] = static_cast<double>(calls);
}

BENCHMARK(BM_BlankRoot)->Unit(benchmark::kMillisecond);

} // namespace
