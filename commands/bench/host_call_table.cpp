// Host calls by operation for BuildTree and the column commands on the root
// row of the generated die, made by the plug-in and by the literal loops
// (literal_view_manager.h) on the same session. What each leaves behind
// (rows, list cells, the host's whole state) is compared after every step,
// and the program fails at the first difference. With --cost-us it also
// times the plug-in's steps once more with every host call taking that long,
// the wall time a designer would wait. With --ceiling it also fails when a
// step of the plug-in makes more calls than the file allows, one line
// "PARTS STEP MOST" for each step and size it bounds.
//
//   host_call_table [--cost-us MICROSECONDS] [--ceiling FILE] PARTS...
//
// Tab-separated lines on standard output:
//   calls PARTS STEP IMPLEMENTATION OPERATION COUNT
//   rows  PARTS ROWS
//   wall  PARTS STEP COST_US SECONDS
#include "commands/bench/count_argument.h"
#include "commands/bench/literal_view_manager.h"
#include "commands/bench/observed_state.h"
#include "commands/view_manager_commands.h"
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "record/work_part_record.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// The colour the user picks in the Color step: pure red.
constexpr uint32_t kChosenColor = 0x0000FF;

// The steps, in order, on one session. The root row starts closed (it has
// no parts of its own), so the first Open opens it alone; Close then closes
// every row and the last Open reopens them all.
const char* const kSteps[] = {"BuildTree", "Blank",    "Isolate", "Color",
                              "Freeze",    "OpenRoot", "Close",   "Open"};
constexpr int kStepCount = sizeof kSteps / sizeof kSteps[0];

class PluginRun : public CommandPrompts, public ViewManagerWindow {
  public:
    std::optional<uint32_t> AskColor() override { return kChosenColor; }
    int ConfirmClose() override { return CONFIRM_CANCEL; }
    std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>&, int, int) override {
        return std::nullopt;
    }
    void InvalidateWindow() override {}
    void DestroyViewManager() override {}
    void CopyShownRows() override {}

    void Step(int step, const char* config) {
        switch (step) {
        case 0:
            vm.Model().BuildTree(config);
            break;
        case 1:
            vm.OnClickList(0, 0, kColumnBlank, false);
            break;
        case 2:
            vm.OnClickList(0, 0, kColumnIsolate, false);
            break;
        case 3:
            vm.OnClickList(0, 0, kColumnColor, false);
            break;
        case 4:
            vm.OnDblclkList(0, 0, kColumnFreeze);
            break;
        default:
            vm.OnDblclkList(0, 0, kColumnOpen);
            break;
        }
    }
    std::vector<std::string> Observed() const { return ObservedState(vm.Model().Rows(), list); }

    MemoryTreeList list;
    ViewManagerCommands vm{list, *this, *this};
};

class LiteralRun {
  public:
    void Step(int step, const char* config) {
        switch (step) {
        case 0:
            literal.BuildTree(config);
            break;
        case 1:
            literal.ClickList(0, kColumnBlank, kChosenColor);
            break;
        case 2:
            literal.ClickList(0, kColumnIsolate, kChosenColor);
            break;
        case 3:
            literal.ClickList(0, kColumnColor, kChosenColor);
            break;
        case 4:
            literal.DblclkList(0, kColumnFreeze);
            break;
        default:
            literal.DblclkList(0, kColumnOpen);
            break;
        }
    }
    std::vector<std::string> Observed() const { return ObservedState(literal.Rows(), list); }

    MemoryTreeList list;
    LiteralViewManager literal{list};
};

bool loadDie(int parts) {
    std::string error;
    if (!LoadGeneratedDie(parts, &error)) {
        std::cerr << "the generated die of " << parts << " parts did not load: " << error << '\n';
        return false;
    }
    set_up_work_part_record();
    HOSTSIM_clear_call_log();
    return true;
}

// The most calls each step may make, by size and step.
using Ceiling = std::map<std::pair<int, std::string>, long>;

bool readCeiling(const char* path, Ceiling& ceiling) {
    std::ifstream file(path);
    int parts = 0;
    std::string step;
    long most = 0;
    while (file >> parts >> step >> most)
        ceiling[{parts, step}] = most;
    return file.eof() && !ceiling.empty();
}

// Prints the step's calls by operation; how many there were.
long printCalls(int parts, int step, const char* implementation) {
    const long calls = HOSTSIM_call_log_size();
    for (int i = 0; const char* operation = HOSTSIM_called_operation(i); ++i)
        std::printf("calls\t%d\t%s\t%s\t%s\t%d\n", parts, kSteps[step], implementation, operation,
                    HOSTSIM_call_count(operation));
    HOSTSIM_clear_call_log();
    return calls;
}

struct StepsRun {
    std::vector<std::vector<std::string>> observed; // after each step
    std::vector<long> calls;                        // of each step
};

// Runs every step on a fresh die, printing its calls.
template <typename Run>
StepsRun runSteps(Run& run, int parts, const char* implementation, const std::string& config) {
    StepsRun steps;
    for (int step = 0; step < kStepCount; ++step) {
        run.Step(step, config.c_str());
        steps.calls.push_back(printCalls(parts, step, implementation));
        steps.observed.push_back(run.Observed());
    }
    return steps;
}

bool withinCeiling(int parts, const std::vector<long>& calls, const Ceiling& ceiling) {
    bool within = true;
    for (int step = 0; step < kStepCount; ++step) {
        const auto most = ceiling.find({parts, kSteps[step]});
        if (most == ceiling.end() || calls[step] <= most->second)
            continue;
        std::cerr << "MORE CALLS: " << kSteps[step] << " on " << parts << " parts made "
                  << calls[step] << " host calls, at most " << most->second << " allowed\n";
        within = false;
    }
    return within;
}

bool compareAt(int parts, const std::string& config, const Ceiling& ceiling) {
    std::vector<std::vector<std::string>> plugin;
    std::vector<std::vector<std::string>> literal;
    if (!loadDie(parts))
        return false;
    PluginRun run;
    const StepsRun pluginSteps = runSteps(run, parts, "plug-in", config);
    if (!withinCeiling(parts, pluginSteps.calls, ceiling))
        return false;
    plugin = pluginSteps.observed;
    if (!loadDie(parts))
        return false;
    {
        LiteralRun literalRun;
        literal = runSteps(literalRun, parts, "literal", config).observed;
    }
    std::printf("rows\t%d\t%zu\n", parts, run.vm.Model().Rows().size());
    for (int step = 0; step < kStepCount; ++step) {
        const std::string difference = FirstDifference(plugin[step], literal[step]);
        if (!difference.empty()) {
            std::cerr << "DIFFERENT RESULTS: the plug-in and the literal loops disagree after "
                      << kSteps[step] << " on " << parts << " parts, " << difference << '\n';
            return false;
        }
    }
    return true;
}

bool timeAt(int parts, const std::string& config, long long costMicroseconds) {
    if (!loadDie(parts))
        return false;
    PluginRun run;
    HOSTSIM_set_call_cost_ns(costMicroseconds * 1000);
    for (int step = 0; step < kStepCount; ++step) {
        const auto start = std::chrono::steady_clock::now();
        run.Step(step, config.c_str());
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        std::printf("wall\t%d\t%s\t%lld\t%.3f\n", parts, kSteps[step], costMicroseconds,
                    spent.count());
    }
    HOSTSIM_set_call_cost_ns(0);
    HOSTSIM_clear_call_log();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    long long costMicroseconds = 0;
    Ceiling ceiling;
    std::vector<int> sizes;
    bool usable = argc > 1;
    for (int i = 1; usable && i < argc; ++i) {
        if (std::strcmp(argv[i], "--cost-us") == 0 && i + 1 < argc) {
            costMicroseconds = CountArgument(argv[++i], 1000000);
            usable = costMicroseconds > 0;
        } else if (std::strcmp(argv[i], "--ceiling") == 0 && i + 1 < argc) {
            usable = readCeiling(argv[++i], ceiling);
        } else if (const long parts = CountArgument(argv[i], 1000000)) {
            sizes.push_back(static_cast<int>(parts));
        } else {
            usable = false;
        }
    }
    if (!usable || sizes.empty()) {
        std::cerr << "usage: " << argv[0]
                  << " [--cost-us MICROSECONDS] [--ceiling FILE] PARTS...\n";
        return 2;
    }
    // Millions of calls: counted, not kept.
    HOSTSIM_keep_call_entries(0);
    const std::string config = WriteGeneratedDieConfig(std::string(VM_BINARY_DIR) + "/bench");
    for (int parts : sizes) {
        if (!compareAt(parts, config, ceiling))
            return 1;
        if (costMicroseconds > 0 && !timeAt(parts, config, costMicroseconds))
            return 1;
        // Each size's figures are out before the next, slower size starts.
        static_cast<void>(std::fflush(stdout));
    }
    return 0;
}
