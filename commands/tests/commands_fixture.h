// The column commands against the simulated host: a die session made in the
// test, the commands over a memory tree list, scripted prompts, a window that
// records what it was asked and lets its owner delete the commands object,
// and the host's state read back as the simulator reports it.
#pragma once

#include "commands/view_manager_commands.h"
#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"
#include "model/tests/row_model_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace commands_test {

using namespace row_model_test;

class ScriptedPrompts : public CommandPrompts {
  public:
    std::optional<uint32_t> AskColor() override {
        ++colorQuestions;
        if (whileAsked)
            whileAsked();
        return color;
    }
    int ConfirmClose() override {
        ++closeQuestions;
        if (whileAsked)
            whileAsked();
        return answer;
    }

    std::optional<uint32_t> color;
    int answer = CONFIRM_CANCEL;
    // Runs while a prompt is shown, as messages that reach the View
    // Manager during a modal dialog would.
    std::function<void()> whileAsked;
    int colorQuestions = 0;
    int closeQuestions = 0;
};

class RecordingWindow : public ViewManagerWindow {
  public:
    void InvalidateWindow() override { ++invalidations; }
    void DestroyViewManager() override {
        ++destructions;
        if (onDestroy)
            onDestroy();
    }

    int invalidations = 0;
    int destructions = 0;
    // What the owner does to destroy the View Manager.
    std::function<void()> onDestroy;
};

// The die of every test: top.prt on display with an upper and a lower half.
// Rows: 0 DIE (no parts), 1 TOP [top], 2 UPPER [upper], 3 TYPE=SHOE [shoe],
// 4 TYPE=PUNCH [punch], 5 UPPER_OTHER [bolt], 6 LOWER (no parts), 7
// TYPE=PLATE [plate]. Rows without occurrences, 0 and 6, are built closed.
constexpr int kDieRow = 0;
constexpr int kTopRow = 1;
constexpr int kUpperRow = 2;
constexpr int kShoeRow = 3;
constexpr int kPunchRow = 4;
constexpr int kUpperOtherRow = 5;
constexpr int kLowerRow = 6;
constexpr int kPlateRow = 7;
constexpr int kRows = 8;

inline const std::string kDieConfig = "<DIE><TOP/><UPPER><TYPE>SHOE</TYPE><TYPE>PUNCH</TYPE>"
                                      "<UPPER_OTHER/></UPPER><LOWER><TYPE>PLATE</TYPE></LOWER>"
                                      "</DIE>";

inline json dieSession() {
    json punch1 = component("punch.prt");
    punch1["color"] = 30;
    json punch2 = component("punch.prt");
    punch2["color"] = 30;
    json shoe = part("shoe.prt", {{"TYPE", "SHOE"}});
    shoe["color"] = 181;
    return sessionOf(
        {part("top.prt", {{"TOP", "1"}}, {component("upper.prt"), component("lower.prt")}),
         part("upper.prt", {{"UPPER", "1"}},
              {component("shoe.prt"), punch1, punch2, component("bolt.prt")}),
         part("lower.prt", {}, {component("plate.prt")}), shoe,
         part("punch.prt", {{"TYPE", "PUNCH"}}), part("bolt.prt"),
         part("plate.prt", {{"TYPE", "PLATE"}})});
}

// The host's state as the simulator reports it.
inline json hostState() {
    char* text = HOSTSIM_state_json();
    json state = json::parse(text);
    HOSTSIM_free_text(text);
    return state;
}

// The display state of the occurrences of a part on display, in the host's
// order; the root occurrence for the display part.
inline std::vector<json> occurrenceStates(const std::string& file) {
    std::vector<json> found;
    const json state = hostState();
    for (const json& occurrence : state["session"]["occurrences"]) {
        if (occurrence["part"] == file)
            found.push_back(occurrence);
    }
    return found;
}

// One field of every occurrence of a part: "blanked", "color", "highlighted".
template <typename T>
std::vector<T> occurrenceField(const std::string& file, const std::string& field) {
    std::vector<T> values;
    for (const json& occurrence : occurrenceStates(file))
        values.push_back(occurrence[field].get<T>());
    return values;
}

inline json partState(const std::string& file) {
    const json state = hostState();
    for (const json& p : state["session"]["parts"]) {
        if (p["file"] == file)
            return p;
    }
    ADD_FAILURE() << "no part " << file;
    return json::object();
}

inline std::vector<std::string> discardedChanges() {
    return hostState()["runtime"]["discarded_changes"].get<std::vector<std::string>>();
}

class CommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list = std::make_unique<MemoryTreeList>();
        vm = std::make_unique<ViewManagerCommands>(*list, prompts, window);
        window.onDestroy = [this] { vm.reset(); };
    }

    void TearDown() override {
        vm.reset();
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(0, HOSTSIM_memory_misuse_count())
            << (HOSTSIM_memory_misuse_count() ? HOSTSIM_memory_misuse(0) : "");
    }

    void build(const std::string& name, const std::string& xml) {
        path = writeConfig(name, xml);
        set_up_work_part_record();
        vm->BuildTree(path.c_str());
        vm->m_builtItemCount = list->GetItemCount();
    }
    void buildDie(const json& session = dieSession()) {
        loadSession(session);
        build("die", kDieConfig);
        ASSERT_EQ((Strings{"DIE", "TOP", "UPPER", "TYPE", "TYPE", "UPPER_OTHER", "LOWER", "TYPE"}),
                  Strings(vm->m_rowName.begin(), vm->m_rowName.end()));
        ASSERT_EQ(Strings{"top.prt"}, vm->m_rowPartNames[kTopRow]);
        ASSERT_TRUE(vm->IsOtherRow(kUpperOtherRow));
        ASSERT_EQ(Strings{"bolt.prt"}, vm->m_rowPartNames[kUpperOtherRow]);
        ASSERT_TRUE(vm->m_rowPartNames[kLowerRow].empty());
        ASSERT_EQ(std::vector<int>({0, 1, 1, 1, 1, 1, 0, 1}), openFlags());
    }
    // Refresh as the dialog does it.
    void refresh() {
        vm->ReleaseRowTables();
        list->ResetTree();
        set_up_work_part_record();
        vm->BuildTree(path.c_str());
        vm->m_builtItemCount = list->GetItemCount();
    }

    // The list item that shows row, -1 for none.
    int itemOf(int row) const {
        const std::vector<int> shown = list->ShownItems();
        auto at = std::find(shown.begin(), shown.end(), row);
        return at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
    }

    // The handlers as the dialog calls them, each followed by the checks
    // that no host session stays open and no host memory is kept.
    void click(int row, int column, bool highlightChecked = false) {
        vm->OnClickList(row >= 0 ? itemOf(row) : -1, row, column, highlightChecked);
        expectHostLeftClean();
    }
    void doubleClick(int row, int column) {
        vm->OnDblclkList(row >= 0 ? itemOf(row) : -1, row, column);
        expectHostLeftClean();
    }
    void checkHighlight(bool checked) {
        vm->OnHighlightCheck(checked);
        expectHostLeftClean();
    }
    void expectHostLeftClean() {
        EXPECT_EQ(0, HOSTSIM_session_depth());
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
    }

    std::vector<int> shownFlags() const {
        return std::vector<int>(vm->m_rowShown.begin(), vm->m_rowShown.begin() + vm->m_rowCount);
    }
    std::vector<int> unfrozenFlags() const {
        return std::vector<int>(vm->m_rowUnfrozen.begin(),
                                vm->m_rowUnfrozen.begin() + vm->m_rowCount);
    }
    std::vector<int> openFlags() const {
        return std::vector<int>(vm->m_rowOpen.begin(), vm->m_rowOpen.begin() + vm->m_rowCount);
    }
    std::vector<int> pictures(int column) const {
        std::vector<int> found;
        for (int r = 0; r < vm->m_rowCount; ++r)
            found.push_back(list->ItemImage(r, column));
        return found;
    }

    std::unique_ptr<MemoryTreeList> list;
    ScriptedPrompts prompts;
    RecordingWindow window;
    std::unique_ptr<ViewManagerCommands> vm;
    std::string path;
};

} // namespace commands_test
