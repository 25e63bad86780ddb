// The whole plug-in path against the demo session, once for every host
// operation the path calls, with that operation failing on its first call
// and again on every call: the command, the View Manager's build, one
// command of each column, Refresh, Switch and the close. Whatever fails,
// every step must leave no host session open and no host memory held, the
// rows must stay consistent, and the user may only be told one of the
// system's own messages. Crashes, leaks and use after free are the
// sanitizer build's to catch.
#include "sweep/native_view_manager.h"
#include "sweep/row_model_invariants.h"

#include "config/framework_message_recorder.h"
#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "model/bench/generated_die.h"
#include "model/cell_pictures.h"
#include "record/work_part_record.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pthread.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kDemoSession = std::string(VM_SOURCE_DIR) + "/demo/session.json";

// What the system may tell the user, besides the host's own failure texts.
// %d, %s and %x stand for whatever the message is made with.
const char* const kKnownMessages[] = {
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
};

// Whether text is message with any text (even none) in place of each %d,
// %s and %x.
bool matchesMessage(const std::string& text, const std::string& message) {
    const size_t placeholder = message.find('%');
    if (placeholder == std::string::npos || placeholder + 1 >= message.size())
        return text == message;
    if (text.compare(0, placeholder, message, 0, placeholder) != 0)
        return false;
    const std::string rest = message.substr(placeholder + 2);
    for (size_t at = placeholder; at <= text.size(); ++at) {
        if (matchesMessage(text.substr(at), rest))
            return true;
    }
    return false;
}

// The host's failure texts, which the record set-up shows as they are.
std::set<std::string> hostFailureTexts() {
    std::set<std::string> texts;
    for (int code = 1; code <= 2000; ++code) {
        char text[HOST_FAIL_MESSAGE_BUFSIZE] = "";
        if (UF_get_fail_message(code, text) == 0)
            texts.insert(text);
    }
    return texts;
}

bool isKnownMessage(const std::string& text) {
    static const std::set<std::string> hostTexts = hostFailureTexts();
    if (hostTexts.count(text) != 0)
        return true;
    for (const char* message : kKnownMessages) {
        if (matchesMessage(text, message))
            return true;
    }
    return false;
}

// How often the plug-in ended a host session that was not open.
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

// The row shown with a customized name in the demo, -1 when the build did
// not make it.
int rowNamed(const RowModel& model, const std::string& label) {
    for (int r = 0; r < model.m_rowCount; ++r) {
        if (model.m_rowCustomName[r] == label)
            return r;
    }
    return -1;
}

// The path a person takes, step by step; after each step `check` is told
// its name.
class PluginPath {
  public:
    explicit PluginPath(std::function<void(const std::string&)> check) : check_(std::move(check)) {}

    void Run() {
        step("command", [&] { RunViewManagerCommand(viewManager_); });
        click("blank the die", "Progressive die PD2026", kColumnBlank);
        click("isolate", "Piercing punches", kColumnIsolate);
        viewManager_.Prompts().color = 0x0000FF00;
        click("colour", "Upper shoe", kColumnColor);
        doubleClick("unfreeze", "Stripper inserts", kColumnFreeze);
        viewManager_.Prompts().answer = CONFIRM_SAVE_AND_CLOSE;
        doubleClick("close a modified part", "Trim punches", kColumnOpen);
        doubleClick("open it again", "Trim punches", kColumnOpen);
        doubleClick("close an _OTHER row", "Other stripper parts", kColumnOpen);
        doubleClick("open the _OTHER row again", "Other stripper parts", kColumnOpen);
        click("highlight", "Pilots", kColumnLabel, true);
        step("refresh", [&] { viewManager_.Refresh(); });
        step("switch", [&] { viewManager_.Switch(); });
        step("close", [&] {
            if (ViewManagerCommands* vm = viewManager_.Commands())
                vm->OnCancel();
        });
    }

    // Empty after the close.
    const RowModel* Model() { return viewManager_.Commands(); }

  private:
    void step(const std::string& name, const std::function<void()>& action) {
        action();
        check_(name);
    }
    // The list item of a row is its index: the demo's tree is built expanded.
    void click(const std::string& name, const std::string& label, int column,
               bool highlight = false) {
        step(name, [&] {
            if (ViewManagerCommands* vm = viewManager_.Commands()) {
                const int row = rowNamed(*vm, label);
                vm->OnClickList(row, row, column, highlight);
            }
        });
    }
    void doubleClick(const std::string& name, const std::string& label, int column) {
        step(name, [&] {
            if (ViewManagerCommands* vm = viewManager_.Commands()) {
                const int row = rowNamed(*vm, label);
                vm->OnDblclkList(row, row, column);
            }
        });
    }

    NativeViewManager viewManager_;
    std::function<void(const std::string&)> check_;
};

// Sessions the clean path ends that are not open (Switch runs Refresh,
// whose bracket joins Switch's session and ends it); a failing host must not
// add to them.
int g_cleanPathStrayTerminates = 0;

// Every host operation the path calls when nothing fails, by name.
std::vector<std::string> operationsOfTheCleanPath() {
    loadDemo();
    PluginPath path([](const std::string&) {});
    path.Run();
    g_cleanPathStrayTerminates = strayTerminates();
    std::set<std::string> names;
    for (int i = 0; i < HOSTSIM_call_log_size(); ++i) {
        const std::string entry = HOSTSIM_call_log_entry(i);
        names.insert(entry.substr(0, entry.find('(')));
    }
    return {names.begin(), names.end()};
}

struct HostFault {
    std::string operation;
    int onCall; // 1: the first call fails; 0: every call
};

std::vector<HostFault> everyFault() {
    std::vector<HostFault> faults;
    for (const std::string& operation : operationsOfTheCleanPath()) {
        faults.push_back({operation, 1});
        faults.push_back({operation, 0});
    }
    return faults;
}

std::string faultName(const ::testing::TestParamInfo<HostFault>& info) {
    return info.param.operation + (info.param.onCall == 1 ? "_first_call" : "_every_call");
}

void PrintTo(const HostFault& fault, std::ostream* out) {
    *out << fault.operation
         << (fault.onCall == 1 ? " failing on its first call" : " failing always");
}

// The host's release calls: when one fails the memory stays with the host,
// which is the host's doing, not the plug-in's.
bool releasesMemory(const std::string& operation) {
    return operation.find("free") != std::string::npos;
}

class HostFaultSweep : public ::testing::TestWithParam<HostFault> {
  protected:
    void SetUp() override {
        heldBefore_ = HOSTSIM_outstanding_allocations();
        misusesBefore_ = HOSTSIM_memory_misuse_count();
    }

    // The host keeps its sessions and memory records across session loads:
    // what a refused release or end left behind must not count against the
    // next case.
    void TearDown() override {
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        while (HOSTSIM_session_depth() > 0)
            UF_terminate();
    }

    // Host memory this case holds: nothing, unless the host refused to
    // take it back.
    void expectHostMemoryGivenBack() {
        if (!releasesMemory(GetParam().operation)) {
            EXPECT_EQ(0, HOSTSIM_outstanding_allocations() - heldBefore_);
        }
    }

    void checkStep(const std::string& step, PluginPath& path) {
        SCOPED_TRACE("after step: " + step);
        if (GetParam().operation == "UF_terminate") {
            // Only the session the host refused to end may stay open: a
            // later handler joins it rather than opening another.
            EXPECT_LE(HOSTSIM_session_depth(), 1);
        } else {
            EXPECT_EQ(0, HOSTSIM_session_depth());
        }
        expectHostMemoryGivenBack();
        if (const RowModel* model = path.Model()) {
            for (const std::string& violation : RowModelViolations(*model))
                ADD_FAILURE() << violation;
        }
    }

    int heldBefore_ = 0;
    int misusesBefore_ = 0;

    void expectOnlyKnownMessages() {
        for (int i = 0; i < HOSTSIM_message_count(); ++i)
            EXPECT_TRUE(isKnownMessage(HOSTSIM_message(i)))
                << "host message: " << HOSTSIM_message(i);
        for (const std::string& text : RecordedFrameworkMessages())
            EXPECT_TRUE(isKnownMessage(text)) << "framework message: " << text;
    }
};

TEST_P(HostFaultSweep, EveryStepLeavesTheHostAndTheRowsSound) {
    const HostFault& fault = GetParam();
    loadDemo();
    // The record class is registered once per process and the host keeps
    // it: this run forgets it so that registration is tried, and fails, as
    // in a fresh process.
    const UF_UDOBJ_class_t registered = g_recordClass;
    if (fault.operation == "UF_UDOBJ_create_class")
        g_recordClass = 0;
    HOSTSIM_fail_operation(fault.operation.c_str(), fault.onCall, 0);

    PluginPath* running = nullptr;
    PluginPath path([&](const std::string& step) { checkStep(step, *running); });
    running = &path;
    path.Run();

    EXPECT_GE(HOSTSIM_call_count(fault.operation.c_str()), 1) << "the fault was never met";
    EXPECT_LE(strayTerminates(), g_cleanPathStrayTerminates);
    EXPECT_EQ(misusesBefore_, HOSTSIM_memory_misuse_count())
        << HOSTSIM_memory_misuse(HOSTSIM_memory_misuse_count() - 1);
    expectOnlyKnownMessages();
    if (g_recordClass == 0)
        g_recordClass = registered;
}

INSTANTIATE_TEST_SUITE_P(DemoPath, HostFaultSweep, ::testing::ValuesIn(everyFault()), faultName);

// The sweep is only as good as the clean path it starts from: that path
// must build the demo's rows, run every command without a message and leave
// the host as the other steps are checked to.
TEST(HostFaultSweepBaseline, TheCleanPathBuildsAndCommandsWithoutAMessage) {
    loadDemo();
    int rowsAfterCommand = 0;
    std::vector<std::string> violations;
    PluginPath* running = nullptr;
    PluginPath path([&](const std::string& step) {
        EXPECT_EQ(0, HOSTSIM_session_depth()) << step;
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations()) << step;
        if (const RowModel* model = running->Model()) {
            if (step == "command")
                rowsAfterCommand = model->m_rowCount;
            for (const std::string& violation : RowModelViolations(*model))
                violations.push_back(step + ": " + violation);
        }
    });
    running = &path;
    path.Run();
    EXPECT_GT(rowsAfterCommand, 20);
    EXPECT_EQ(std::vector<std::string>{}, violations);
    EXPECT_EQ(nullptr, path.Model()) << "the close left the View Manager";
    EXPECT_EQ(0, HOSTSIM_message_count());
    EXPECT_TRUE(RecordedFrameworkMessages().empty());
    EXPECT_EQ(1, HOSTSIM_call_count("UF_PART_save")) << "the modified part was saved";
    EXPECT_GE(HOSTSIM_call_count("UF_PART_open_quiet"), 1) << "the closed part was opened";
}

// Runs action on a thread whose stack is the 1 MB a host's user-interface
// thread has.
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

// A chain of groups as deep as the rows go, its part at the bottom: each
// command from the deepest row, and from the top through all 5,000 levels.
TEST(HostFaultSweepBaseline, EveryCommandOnTheDeepestAndTheTopRowOfA5000LevelChain) {
    std::string error;
    ASSERT_TRUE(LoadViewManagerSession(GroupChainSession(), GroupChainConfig(MAX_ROWS),
                                       std::string(VM_BINARY_DIR) + "/sweep_chain", &error))
        << error;
    std::vector<std::string> violations;
    runOnSmallStack([&] {
        NativeViewManager viewManager;
        RunViewManagerCommand(viewManager);
        ViewManagerCommands* vm = viewManager.Commands();
        ASSERT_NE(nullptr, vm);
        ASSERT_EQ(MAX_ROWS, vm->m_rowCount);
        const int deepest = MAX_ROWS - 1;
        ASSERT_EQ(deepest - 1, vm->m_rowParent[deepest]);
        viewManager.Prompts().color = 0x000000FF;
        viewManager.Prompts().answer = CONFIRM_CLOSE_NO_SAVE;
        auto check = [&](const std::string& step) {
            EXPECT_EQ(0, HOSTSIM_session_depth()) << step;
            for (const std::string& violation : RowModelViolations(*vm))
                violations.push_back(step + ": " + violation);
        };
        for (int row : {deepest, 0}) {
            const std::string at = " on row " + std::to_string(row);
            vm->OnClickList(row, row, kColumnBlank, false);
            EXPECT_EQ(0, vm->m_rowShown[deepest]) << at;
            vm->OnClickList(row, row, kColumnIsolate, true);
            EXPECT_EQ(1, vm->m_rowShown[deepest]) << at;
            vm->OnClickList(row, row, kColumnColor, false);
            EXPECT_EQ(0x000000FFu, vm->m_list.GetItemColor(deepest)) << at;
            vm->OnDblclkList(row, row, kColumnFreeze);
            EXPECT_EQ(0, vm->m_rowUnfrozen[deepest]) << at;
            // The groups above the part start closed: the top row opens
            // first, then closes with the part.
            if (vm->m_rowOpen[row] == 0)
                vm->OnDblclkList(row, row, kColumnOpen);
            vm->OnDblclkList(row, row, kColumnOpen);
            EXPECT_EQ(0, vm->m_rowOpen[deepest]) << at;
            vm->OnDblclkList(row, row, kColumnOpen);
            EXPECT_EQ(1, vm->m_rowOpen[deepest]) << at;
            check("commands" + at);
        }
        viewManager.Refresh();
        check("refresh");
        viewManager.Switch();
        check("switch");
        EXPECT_EQ(MAX_ROWS, vm->m_rowCount);
        vm->OnCancel();
        EXPECT_EQ(nullptr, viewManager.Commands());
    });
    EXPECT_EQ(std::vector<std::string>{}, violations);
    EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
}

// The checker itself: a model whose tables do not line up is reported.
TEST(RowModelInvariants, ReportBrokenTables) {
    loadDemo();
    NativeViewManager viewManager;
    RunViewManagerCommand(viewManager);
    ViewManagerCommands* vm = viewManager.Commands();
    ASSERT_NE(nullptr, vm);
    ASSERT_EQ(std::vector<std::string>{}, RowModelViolations(*vm));

    vm->m_rowPartCount[3] += 1;
    vm->m_rowParent[5] = 5;
    vm->m_highlightedRow = vm->m_rowCount;
    const std::vector<std::string> found = RowModelViolations(*vm);
    EXPECT_EQ((std::vector<std::string>{"highlighted row out of range"}), found);

    vm->m_highlightedRow = -1;
    vm->m_rowHasChildren[0] = 0;
    EXPECT_EQ(
        (std::vector<std::string>{"row 3: m_rowPartCount is not the number of part names",
                                  "row 5: parent not -1 or an earlier row",
                                  "row 0: m_rowHasChildren differs from the model's parents"}),
        RowModelViolations(*vm));
    vm->m_rowName.pop_back();
    EXPECT_EQ((std::vector<std::string>{"m_rowName size is not the row count"}),
              RowModelViolations(*vm));
    vm->m_rowCount = 0;
    vm->ReleaseRowTables();
    EXPECT_EQ(std::vector<std::string>{"the list's item count is not the row count"},
              RowModelViolations(*vm));
}

} // namespace
