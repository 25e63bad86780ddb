// The plug-in's path on the demo session once for every host operation it
// calls, failing on its first and on every call, and once for every
// allocation of the plug-in, failing: every step leaves no session open, no
// memory held and the rows consistent or the View Manager closed, and tells
// only the system's own messages.
#include "sweep/native_view_manager.h"
#include "sweep/row_model_invariants.h"

#include "commands/row_commands.h"
#include "config/framework_message_recorder.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "record/work_part_record.h"
#include "testing/failing_allocations.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::string kDemoSession = std::string(VM_SOURCE_DIR) + "/demo/session.json";

// What the system may tell the user besides the host's failure texts.
const char* const kKnownMessages[] = {
    kOutOfMemoryNotStartedMessage,
    kOutOfMemoryClosedMessage,
    "Operating system should be Windows.",
    "Incorrect path or name of qvl_view.xml",
    "No environment variable",
    "file format error!",
    "Load Failure",
    "XML Parse Error 0x%x : %s",
    "ERROR on open of URL: %s",
    "The view was cut: only the first 5000 of %d groups are shown.",
    "%s could not be saved. Nothing was closed.",
    "These parts could not be closed and stay open:%s",
    kUndoLeftMessage,
};

// Whether text is message up to its first %-placeholder and after its last.
bool matchesMessage(const std::string& text, const std::string& message) {
    const size_t first = message.find('%');
    if (first == std::string::npos)
        return text == message;
    const std::string tail = message.substr(message.rfind('%') + 2);
    return text.size() >= first + tail.size() && text.compare(0, first, message, 0, first) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool isKnownMessage(const std::string& text) {
    for (int code = 1; code <= 2000; ++code) {
        char hostText[HOST_FAIL_MESSAGE_BUFSIZE] = "";
        if (UF_get_fail_message(code, hostText) == 0 && text == hostText)
            return true;
    }
    for (const char* message : kKnownMessages) {
        if (matchesMessage(text, message))
            return true;
    }
    return false;
}

int strayTerminates() {
    char* text = HOSTSIM_state_json();
    const int stray = nlohmann::json::parse(text)["runtime"]["stray_terminates"].get<int>();
    HOSTSIM_free_text(text);
    return stray;
}

void loadDemo() {
    char error[512] = "";
    ASSERT_EQ(0, HOSTSIM_load_session_file(kDemoSession.c_str(), error, sizeof error)) << error;
    HOSTSIM_clear_call_log();
    ClearRecordedFrameworkMessages();
}

// The path after the command, by row label (built expanded: item == row).
struct Step {
    const char* name;
    const char* label;
    int column;
    bool doubleClick;
};
const Step kPath[] = {
    {"blank the die", "Progressive die PD2026", kColumnBlank, false},
    {"isolate", "Piercing punches", kColumnIsolate, false},
    {"colour", "Upper shoe", kColumnColor, false},
    {"take the colour back", "Upper shoe", kUndoEntry, false},
    {"copy the rows", "Upper shoe", kCopyRowsEntry, false},
    {"unfreeze", "Stripper inserts", kColumnFreeze, true},
    {"close a modified part", "Trim punches", kColumnOpen, true},
    {"open it again", "Trim punches", kColumnOpen, true},
    {"close an _OTHER row", "Other stripper parts", kColumnOpen, true},
    {"open the _OTHER row again", "Other stripper parts", kColumnOpen, true},
    {"highlight", "Pilots", kColumnLabel, false},
};

// The command, the path, Refresh, Switch and the close; check after each.
// The check gets the step's name as it stands, so that calling it allocates
// nothing of the test's own.
// The first row with this description; the row count when there is none.
int rowLabelled(const ViewManagerCommands& vm, const std::string& label) {
    const auto& rows = vm.Model().Rows();
    return static_cast<int>(
        std::find_if(rows.begin(), rows.end(),
                     [&label](const Row& row) { return row.customName == label; }) -
        rows.begin());
}

void runPath(const std::function<void(const char*, const ViewManagerCommands*)>& check) {
    // The window's own object, made before the command, as the test has it.
    std::optional<failing_allocations::Paused> paused(std::in_place);
    NativeViewManager viewManager;
    viewManager.Prompts().color = 0x0000FF00;
    viewManager.Prompts().answer = CONFIRM_SAVE_AND_CLOSE;
    paused.reset();
    RunViewManagerCommand(viewManager);
    check("command", viewManager.Commands());
    for (const Step& step : kPath) {
        if (ViewManagerCommands* vm = viewManager.Commands()) {
            paused.emplace();                             // the test's own search
            const int row = rowLabelled(*vm, step.label); // past the end: not built
            paused.reset();
            if (step.column == kUndoEntry)
                vm->OnUndo();
            else if (step.column == kCopyRowsEntry)
                vm->OnCopyRows();
            else if (step.doubleClick)
                vm->OnDblclkList(row, row, step.column);
            else
                vm->OnClickList(row, row, step.column, step.column == kColumnLabel);
        }
        check(step.name, viewManager.Commands());
    }
    viewManager.Refresh();
    check("refresh", viewManager.Commands());
    viewManager.Switch();
    check("switch", viewManager.Commands());
    if (ViewManagerCommands* vm = viewManager.Commands())
        vm->OnCancel();
    check("close", viewManager.Commands());
}

// The display updates and shows the part the designer had: what a command
// turns off or changes for the length of its work is given back.
void expectDisplayAsItWas(tag_t displayPart) {
    EXPECT_TRUE(HOSTSIM_display_updates()) << "the display was left off";
    EXPECT_EQ(displayPart, HOSTSIM_display_part()) << "the display part was left changed";
}

// Sessions the clean path ends unopened (Refresh inside Switch); a failing
// host must not add to them.
int g_cleanPathStrayTerminates = 0;

struct HostFault {
    std::string operation; // none for the clean path
    int onCall;            // 1: the first call fails; 0: every call
};

std::vector<HostFault> everyFault() {
    loadDemo();
    runPath([](const char*, const ViewManagerCommands*) {});
    g_cleanPathStrayTerminates = strayTerminates();
    std::set<std::string> names;
    for (int i = 0; i < HOSTSIM_call_log_size(); ++i) {
        const std::string entry = HOSTSIM_call_log_entry(i);
        names.insert(entry.substr(0, entry.find('(')));
    }
    std::vector<HostFault> faults = {{"", 0}};
    for (const std::string& operation : names) {
        faults.push_back({operation, 1});
        faults.push_back({operation, 0});
    }
    return faults;
}

std::string faultName(const ::testing::TestParamInfo<HostFault>& info) {
    if (info.param.operation.empty())
        return "nothing_fails";
    return info.param.operation + (info.param.onCall == 1 ? "_first_call" : "_every_call");
}

class HostFaultSweep : public ::testing::TestWithParam<HostFault> {
  protected:
    // The host keeps sessions and memory across loads: clear them.
    void TearDown() override {
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        while (HOSTSIM_session_depth() > 0)
            UF_terminate();
    }
};

TEST_P(HostFaultSweep, EveryStepLeavesTheHostAndTheRowsSound) {
    const std::string& operation = GetParam().operation;
    loadDemo();
    const int heldBefore = HOSTSIM_outstanding_allocations();
    const int misusesBefore = HOSTSIM_memory_misuse_count();
    // Forget the registered record class so that registration is tried.
    const UF_UDOBJ_class_t registered = g_recordClass;
    if (operation == "UF_UDOBJ_create_class")
        g_recordClass = 0;
    if (!operation.empty())
        HOSTSIM_fail_operation(operation.c_str(), GetParam().onCall, 0);
    int rowsBuilt = 0;
    const tag_t displayPart = HOSTSIM_display_part();
    runPath([&](const char* step, const ViewManagerCommands* model) {
        SCOPED_TRACE(std::string("after step: ") + step);
        expectDisplayAsItWas(displayPart);
        // Only a session the host refused to end may stay open.
        EXPECT_LE(HOSTSIM_session_depth(), operation == "UF_terminate" ? 1 : 0);
        // Memory is held only when the host refused to take it back.
        EXPECT_TRUE(operation.find("free") != std::string::npos ||
                    heldBefore == HOSTSIM_outstanding_allocations());
        EXPECT_FALSE(operation.empty() && std::string(step) == "close" && model)
            << "the close left it";
        if (model)
            rowsBuilt = std::max(rowsBuilt, model->Model().RowCount());
        for (const std::string& violation : model ? RowModelViolations(*model) : Strings{})
            ADD_FAILURE() << violation;
    });
    EXPECT_TRUE(operation.empty() || HOSTSIM_call_count(operation.c_str()) >= 1)
        << "the fault was never met";
    EXPECT_LE(strayTerminates(), g_cleanPathStrayTerminates);
    EXPECT_EQ(misusesBefore, HOSTSIM_memory_misuse_count())
        << HOSTSIM_memory_misuse(HOSTSIM_memory_misuse_count() - 1);
    Strings told = RecordedFrameworkMessages();
    for (int i = 0; i < HOSTSIM_message_count(); ++i)
        told.push_back(HOSTSIM_message(i));
    for (const std::string& text : told)
        EXPECT_TRUE(isKnownMessage(text)) << text;
    // The clean path builds the rows and runs every command silently.
    EXPECT_TRUE(!operation.empty() || (rowsBuilt > 20 && told.empty()));
    if (g_recordClass == 0)
        g_recordClass = registered;
}

INSTANTIATE_TEST_SUITE_P(DemoPath, HostFaultSweep, ::testing::ValuesIn(everyFault()), faultName);

int failureMessagesTold() {
    const Strings& told = RecordedFrameworkMessages();
    return static_cast<int>(std::count(told.begin(), told.end(), kOutOfMemoryNotStartedMessage) +
                            std::count(told.begin(), told.end(), kOutOfMemoryClosedMessage));
}

// Every VM_ALLOCATION_SWEEP_EVERY-th point (1: all of them); by default as
// many as fit a test run.
long allocationSweepStride(long points) {
    if (const char* every = std::getenv("VM_ALLOCATION_SWEEP_EVERY"))
        return std::max(1L, std::strtol(every, nullptr, 10));
    return std::max(1L, points / 400);
}

// The path with the n-th allocation of the plug-in failing: the failed
// handler gives back its host session, memory and display, the user is told
// once, the View Manager stays consistent or closes, and a new View Manager
// built afterwards from what the failure left (the record, the host's
// state) is consistent too.
void runPathFailingAllocation(long n) {
    loadDemo();
    const int heldBefore = HOSTSIM_outstanding_allocations();
    const tag_t displayPart = HOSTSIM_display_part();
    failing_allocations::Arm(n);
    runPath([&](const char* step, const ViewManagerCommands* model) {
        const failing_allocations::Paused paused;
        SCOPED_TRACE(std::string("after step: ") + step);
        EXPECT_EQ(0, HOSTSIM_session_depth());
        EXPECT_EQ(heldBefore, HOSTSIM_outstanding_allocations());
        expectDisplayAsItWas(displayPart);
        for (const std::string& violation : model ? RowModelViolations(*model) : Strings{})
            ADD_FAILURE() << violation;
    });
    failing_allocations::Disarm();
    EXPECT_TRUE(failing_allocations::Failed());
    EXPECT_EQ(1, failureMessagesTold());
    for (const std::string& text : RecordedFrameworkMessages())
        EXPECT_TRUE(isKnownMessage(text)) << text;
    NativeViewManager again;
    RunViewManagerCommand(again);
    EXPECT_TRUE(again.Commands() && again.Commands()->Model().RowCount() > 0)
        << "no View Manager again";
    if (again.Commands()) {
        for (const std::string& violation : RowModelViolations(*again.Commands()))
            ADD_FAILURE() << violation;
        again.Commands()->OnCancel();
    }
    while (HOSTSIM_session_depth() > 0)
        UF_terminate();
}

// Failures recorded in the running test so far.
int failuresSoFar() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// Every point is tried, whatever failed before it, and the run says which
// ones were not survived.
TEST(AllocationFailureSweep, EveryFailingAllocationLeavesTheHostSoundAndIsToldOnce) {
    failing_allocations::SetExemption([] { return HOSTSIM_host_call_depth() > 0; });
    loadDemo();
    failing_allocations::Arm(0);
    runPath([](const char*, const ViewManagerCommands*) {});
    failing_allocations::Disarm();
    const long points = failing_allocations::Counted();
    ASSERT_GT(points, 100);
    const long stride = allocationSweepStride(points);
    std::vector<long> notSurvived;
    long tried = 0;
    for (long n = 1; n <= points; n += stride, ++tried) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(points));
        const int failuresBefore = failuresSoFar();
        runPathFailingAllocation(n);
        if (failuresSoFar() != failuresBefore)
            notSurvived.push_back(n);
    }
    std::printf("allocation points: %ld, every %ld-th failed: %ld of %ld points survived\n", points,
                stride, tried - static_cast<long>(notSurvived.size()), tried);
    std::string list;
    for (long n : notSurvived)
        list += " " + std::to_string(n);
    EXPECT_TRUE(notSurvived.empty()) << "points not survived:" << list;
}

// Every allocation of the Open that opens the closed parts again, whatever
// the stride: the Open turns the display off and shows each part it opens.
TEST(AllocationFailureSweep, EveryFailingAllocationOfAnOpenGivesTheDisplayBack) {
    failing_allocations::SetExemption([] { return HOSTSIM_host_call_depth() > 0; });
    loadDemo();
    long first = 0;
    long last = 0;
    failing_allocations::Arm(0);
    runPath([&](const char* step, const ViewManagerCommands*) {
        if (std::strcmp(step, "close a modified part") == 0)
            first = failing_allocations::Counted() + 1;
        if (std::strcmp(step, "open it again") == 0)
            last = failing_allocations::Counted();
    });
    failing_allocations::Disarm();
    ASSERT_LT(first, last);
    for (long n = first; n <= last; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n) + " of the Open");
        runPathFailingAllocation(n);
    }
}

// A host message shown in the middle of a handler lets the designer's other
// actions in: a click, Refresh, Switch and Close arrive while it is up.
// None of them runs inside the handler; the close follows it.
TEST(MessageDuringAHandler, LetsNoOtherHandlerInAndTheCloseWaitsUntilItReturns) {
    struct Case {
        const char* name;
        const char* failing; // the host operation whose failure shows a message
        std::function<void(NativeViewManager&)> handler;
    };
    const Case cases[] = {
        {"refresh without the record class", "UF_UDOBJ_create_class",
         [](NativeViewManager& viewManager) { viewManager.Refresh(); }},
        {"a close the host refuses", "UF_PART_close",
         [](NativeViewManager& viewManager) {
             ViewManagerCommands* vm = viewManager.Commands();
             const int row = rowLabelled(*vm, "Guide bushings");
             vm->OnDblclkList(row, row, kColumnOpen);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadDemo();
        NativeViewManager viewManager;
        RunViewManagerCommand(viewManager);
        ASSERT_NE(nullptr, viewManager.Commands());
        const UF_UDOBJ_class_t registered = g_recordClass;
        g_recordClass = 0;
        HOSTSIM_fail_operation(c.failing, 0, 0);
        struct Context {
            NativeViewManager* viewManager = nullptr;
            int messages = 0;
            bool closedInside = false;
        } context{&viewManager};
        HOSTSIM_set_message_handler(
            [](const char*, void* data) {
                auto& inside = *static_cast<Context*>(data);
                ++inside.messages;
                ViewManagerCommands* vm = inside.viewManager->Commands();
                vm->OnClickList(0, 0, kColumnBlank, false);
                inside.viewManager->Refresh();
                inside.viewManager->Switch();
                vm->OnCancel();
                inside.closedInside = inside.viewManager->Commands() == nullptr;
            },
            &context);
        const int blanksBefore = HOSTSIM_call_count("UF_OBJ_set_blank_status");
        c.handler(viewManager);
        HOSTSIM_set_message_handler(nullptr, nullptr);
        HOSTSIM_clear_faults();
        g_recordClass = registered;
        EXPECT_GE(context.messages, 1) << "the handler showed no message";
        EXPECT_FALSE(context.closedInside);
        EXPECT_EQ(nullptr, viewManager.Commands()) << "the close was lost";
        EXPECT_EQ(blanksBefore, HOSTSIM_call_count("UF_OBJ_set_blank_status"));
        EXPECT_EQ(0, HOSTSIM_session_depth());
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
    }
}

// Runs action on a 1 MB stack, as a host's user-interface thread has.
void runOnSmallStack(const std::function<void()>& action) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(
        0, pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&action)));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// Each command on the deepest and the top row of a 5,000-level chain.
TEST(DeepChain, EveryCommandOnTheDeepestAndTheTopRowOfA5000LevelChain) {
    std::string error;
    ASSERT_TRUE(LoadViewManagerSession(GroupChainSession(), GroupChainConfig(MAX_ROWS),
                                       std::string(VM_BINARY_DIR) + "/sweep_chain", &error))
        << error;
    runOnSmallStack([] {
        NativeViewManager viewManager;
        viewManager.Prompts().color = 0x000000FF;
        viewManager.Prompts().answer = CONFIRM_CLOSE_NO_SAVE;
        RunViewManagerCommand(viewManager);
        ViewManagerCommands* vm = viewManager.Commands();
        ASSERT_TRUE(vm && vm->Model().RowCount() == MAX_ROWS);
        const int deepest = MAX_ROWS - 1;
        for (int row : {deepest, 0}) {
            SCOPED_TRACE(row);
            vm->OnClickList(row, row, kColumnBlank, false);
            EXPECT_FALSE(vm->Model().RowAt(deepest).shown);
            vm->OnClickList(row, row, kColumnIsolate, true);
            EXPECT_TRUE(vm->Model().RowAt(deepest).shown);
            vm->OnClickList(row, row, kColumnColor, false);
            EXPECT_EQ(0x000000FFu, vm->Model().List().GetItemColor(deepest));
            vm->OnDblclkList(row, row, kColumnFreeze);
            EXPECT_FALSE(vm->Model().RowAt(deepest).unfrozen);
            // The groups above the part start closed: the top row opens first.
            if (!vm->Model().RowAt(row).open)
                vm->OnDblclkList(row, row, kColumnOpen);
            vm->OnDblclkList(row, row, kColumnOpen);
            EXPECT_FALSE(vm->Model().RowAt(deepest).open);
            vm->OnDblclkList(row, row, kColumnOpen);
            EXPECT_TRUE(vm->Model().RowAt(deepest).open);
        }
        viewManager.Switch(); // rebuilds through Refresh
        EXPECT_EQ(MAX_ROWS, vm->Model().RowCount());
        EXPECT_EQ(Strings{}, RowModelViolations(*vm));
        // The checker itself reports a broken row.
        viewManager.List().SetItemNumber(5, vm->Model().RowAt(5).occCount + 1);
        EXPECT_EQ(Strings{"row 5: the count shown is not the row's occurrence count"},
                  RowModelViolations(*vm));
        viewManager.List().SetItemNumber(5, vm->Model().RowAt(5).occCount);
        vm->OnCancel();
    });
    EXPECT_EQ(0, HOSTSIM_session_depth());
    EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
}

} // namespace
