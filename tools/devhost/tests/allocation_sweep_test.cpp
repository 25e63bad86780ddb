// The n-th allocation of the plug-in fails over one session of the real
// dialog, for n sampled evenly over all the session makes (VM_ALLOCATION_SWEEP
// in the environment: that many runs, or "all" for every n): whatever fails,
// devhost must finish in time with no exception escaped, no crash, and no host
// session or host memory left.
#include "devhost_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>

namespace {

using namespace devhost_test;

// A run takes some 15 s under Wine: about three minutes in CI.
constexpr long kSampledRuns = 12;

// Each column command on a group and on a leaf, a colour and a close
// question answered, the View Manager closed and opened again, Refresh,
// Switch and a tooltip.
const char kSession[] = R"(click "Upper die set" 1
click "Die plate" 1
click "Upper die set" 2
click "Die plate" 2
answer color 0 128 255
click "Punches" 3
answer color 255 0 0
click "Pilots" 3
dblclick "Stripper" 4
dblclick "Die springs" 4
dblclick "Lower die set" 5
answer confirm nosave
dblclick "Trim punches" 5
click "Upper shoe" 0
highlight on
click "Lower die" 0
hover "Progressive die PD2026" 0
close
ufusr
refresh
switch
hover 1 0
close
)";

// What the test copy of the plug-in reports when it is unloaded.
long allocationsCounted(const std::string& output) {
    const std::string mark = "plug-in allocations: ";
    const size_t at = output.rfind(mark);
    return at == std::string::npos ? -1
                                   : std::strtol(output.c_str() + at + mark.size(), nullptr, 10);
}

DevhostRun runFailing(long failing) {
    RunSettings settings;
    settings.arguments = {"--keep-going", "--plugin",
                          BesideThisTest("kzqvl_view_failing_alloc.dll")};
    settings.environment = {{"VM_FAIL_ALLOCATION", std::to_string(failing)}};
    settings.timeLimitSeconds = 45;
    return RunDevhost("allocation_sweep", NameTreeDemo(), kSession, settings);
}

// The display part the run's dump names; null without one.
nlohmann::json displayPartOf(const DevhostRun& run) {
    const nlohmann::json::json_pointer at("/host/displayPart");
    return run.dump.contains(at) ? run.dump[at] : nlohmann::json();
}

// What is wrong with a run, or nothing. The script closes no display part:
// every run ends with the one the run with nothing failing ends with.
std::string problemOf(const DevhostRun& run, const nlohmann::json& displayPart) {
    if (!run.finished)
        return "hung";
    for (const char* crash : {"terminate called", "nhandled exception", "nhandled page fault"}) {
        if (run.output.find(crash) != std::string::npos)
            return std::string("\"") + crash + "\"";
    }
    if (run.exitCode != 0)
        return "exit status " + std::to_string(run.exitCode);
    if (displayPartOf(run) != displayPart)
        return "display part " + displayPartOf(run).dump();
    return "";
}

TEST(AllocationSweep, WhicheverAllocationOfTheSessionFailsTheHostIsLeftWhole) {
    const DevhostRun whole = runFailing(0);
    const nlohmann::json displayPart = displayPartOf(whole);
    ASSERT_TRUE(displayPart.is_string()) << whole.output;
    ASSERT_EQ("", problemOf(whole, displayPart)) << whole.output;
    ASSERT_EQ(std::string::npos, whole.output.find("skipped"))
        << "with no allocation failing every line must be carried out\n"
        << whole.output;
    const long total = allocationsCounted(whole.output);
    ASSERT_GT(total, 0) << whole.output;

    const char* sweep = std::getenv("VM_ALLOCATION_SWEEP");
    const long sampled = sweep ? std::strtol(sweep, nullptr, 10) : kSampledRuns;
    const bool every = sweep && std::string(sweep) == "all";
    const long step = every ? 1 : std::max(1L, total / std::max(1L, sampled));
    std::string failures;
    std::string firstOutput;
    long runs = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long failing = 1; failing <= total; failing += step, ++runs) {
        const DevhostRun run = runFailing(failing);
        const std::string problem = problemOf(run, displayPart);
        if (problem.empty())
            continue;
        failures += " " + std::to_string(failing) + " (" + problem + ")";
        if (firstOutput.empty())
            firstOutput = run.output;
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << total << " allocations in the session; " << runs << " runs, one in " << step
              << ", " << seconds / static_cast<double>(runs) << " s each\n";
    EXPECT_EQ("", failures) << "allocations whose failure was not survived:" << failures
                            << "\nthe first one's output:\n"
                            << firstOutput;
}

} // namespace
