// Reading the generated view configuration of 5,000 groups
// (model/bench/generated_die.h) with the native DOM backend.
#include "config/view_config_file.h"
#include "model/bench/generated_die.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ReadViewConfig5000Groups(benchmark::State& state) {
    const std::string path = WriteGeneratedDieConfig(std::string(VM_BINARY_DIR) + "/bench");
    int entries = 0;
    for (auto _ : state) {
        const ViewConfigFile config(path.c_str());
        if (config.Result() != kViewConfigRead) {
            state.SkipWithError("the generated configuration was not read");
            return;
        }
        entries = config.Get().entryCount;
    }
    state.counters["groups"] = entries;
}

BENCHMARK(BM_ReadViewConfig5000Groups)->Unit(benchmark::kMillisecond);

} // namespace
