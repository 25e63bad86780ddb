// BuildTree on generated die sessions of 1,000, 5,000 and 20,000 parts with
// 30 attributes each, against a configuration of 5,000 groups
// (generated_die.h), a rebuild of the 5,000 rows keeping the tree's shape,
// and the filter typed over them.
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/memory_tree_list.h"
#include "model/row_model.h"
#include "model/tree_shape.h"
#include "record/work_part_record.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

const std::string& configPath() {
    static const std::string path = WriteGeneratedDieConfig(std::string(VM_BINARY_DIR) + "/bench");
    return path;
}

// Builds from the configuration at config over the session loaded.
void buildRepeatedly(benchmark::State& state, const std::string& config) {
    set_up_work_part_record();
    int rows = 0;
    long long calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<MemoryTreeList>();
        auto model = std::make_unique<RowModel>(*list);
        HOSTSIM_clear_call_log();
        state.ResumeTiming();

        model->BuildTree(config.c_str());

        state.PauseTiming();
        rows = model->RowCount();
        calls = HOSTSIM_call_log_size();
        model.reset();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["host_calls"] = static_cast<double>(calls);
}

void BM_BuildTree(benchmark::State& state) {
    std::string error;
    if (!LoadGeneratedDie(static_cast<int>(state.range(0)), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    buildRepeatedly(state, configPath());
}

// 4,998 _OTHER groups side by side under one group, over 10 parts.
void BM_BuildTreeOtherGroups(benchmark::State& state) {
    std::string error;
    if (!LoadOtherGroups(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    static const std::string config = WriteOtherGroupsConfig(std::string(VM_BINARY_DIR) + "/bench");
    buildRepeatedly(state, config);
}

// Builds the 5,000 rows of the generated die into model; false, the
// benchmark skipped, when the host refuses the session.
bool buildFiveThousandRows(benchmark::State& state, RowModel& model) {
    std::string error;
    if (!LoadGeneratedDie(5000, &error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    set_up_work_part_record();
    model.BuildTree(configPath().c_str());
    return true;
}

// Refresh of the 5,000 rows, as the View Manager does it: the list emptied
// and the rows built again in place; with 1, keeping the shape of a tree
// whose every tenth group is folded (the shape taken from the rows shown
// and shown again by the build), with 0 without one.
void BM_Rebuild(benchmark::State& state) {
    MemoryTreeList list;
    RowModel model(list);
    if (!buildFiveThousandRows(state, model))
        return;
    for (int r = model.RowCount() - 1; r >= 0; r -= 10)
        list.CollapseItem(r);
    const bool keepsShape = state.range(0) != 0;
    for (auto _ : state) {
        const TreeShape shape = keepsShape ? CaptureTreeShape(model) : TreeShape();
        list.ResetTree();
        model.BuildTree(configPath().c_str(), shape);
    }
    state.counters["rows"] = model.RowCount();
    state.counters["shown"] = static_cast<double>(list.ShownItems().size());
}

// What a designer types to find "Type 42" in the 5,000 rows.
constexpr char kTyped[] = "Type 42";

// One keystroke in the filter box: the text grown from its first n - 1
// letters to n, the rows found and shown. With 0, the box emptied again
// after the whole text.
void BM_FilterKeystroke(benchmark::State& state) {
    MemoryTreeList list;
    RowModel model(list);
    if (!buildFiveThousandRows(state, model))
        return;
    const auto letters = static_cast<size_t>(state.range(0));
    const std::string before(kTyped, letters == 0 ? sizeof kTyped - 1 : letters - 1);
    const std::string after(kTyped, letters);
    for (auto _ : state) {
        state.PauseTiming();
        model.SetFilterText(before);
        state.ResumeTiming();
        model.SetFilterText(after);
    }
    state.counters["rows"] = model.RowCount();
    state.counters["shown"] = static_cast<double>(list.ShownItems().size());
}

BENCHMARK(BM_BuildTree)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rebuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTreeOtherGroups)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystroke)->DenseRange(1, sizeof kTyped - 1)->Unit(benchmark::kMillisecond);
// Emptying the box takes microseconds and filtering again before it a
// millisecond: a fixed count of runs keeps the paused part bounded.
BENCHMARK(BM_FilterKeystroke)->Arg(0)->Iterations(2000)->Unit(benchmark::kMillisecond);

} // namespace
