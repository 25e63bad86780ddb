// The column commands over a memory tree list against a die session in the
// simulated host, with scripted prompts and a window.
#pragma once

#include "commands/view_manager_commands.h"
#include "hostsim/hostsim_control.h"
#include "model/cell_pictures.h"
#include "model/tests/row_model_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace commands_test {

using Flags = std::vector<int>;

// Scripted answers; a window whose owner deletes the commands object.
class ScriptedPrompts : public CommandPrompts, public ViewManagerWindow {
  public:
    std::optional<uint32_t> AskColor() override {
        whileAsked();
        return color;
    }
    int ConfirmClose() override {
        ++closeQuestions;
        whileAsked();
        return answer;
    }
    std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>& entries, int,
                                        int) override {
        menus.push_back(entries);
        whileAsked();
        return menuChoice;
    }
    void InvalidateWindow() override { ++invalidations; }
    void CopyShownRows() override { ++copies; }
    void DestroyViewManager() override {
        ++destructions;
        onDestroy();
    }

    std::optional<uint32_t> color;
    int answer = CONFIRM_CANCEL;
    std::optional<int> menuChoice;                // the column of the entry chosen
    std::vector<std::vector<RowMenuEntry>> menus; // the entries of each menu shown
    // Runs while a prompt is shown, as messages reaching the View Manager
    // during a modal dialog would.
    std::function<void()> whileAsked = [] {};
    std::function<void()> onDestroy = [] {};
    int closeQuestions = 0, invalidations = 0, destructions = 0, copies = 0;
};

// The die: top.prt on display with an upper and a lower half, a bolt in the
// upper one and, with lowerBolt, in the lower one too.
// Rows: 0 DIE (no parts), 1 TOP [top], 2 UPPER [upper], 3 TYPE=SHOE [shoe],
// 4 TYPE=PUNCH [punch, twice], 5 UPPER_OTHER [the upper bolt], 6 LOWER (no
// parts), 7 TYPE=PLATE [plate]. Rows 0 and 6, without occurrences, are built
// closed.
constexpr int kDieRow = 0, kTopRow = 1, kUpperRow = 2, kShoeRow = 3, kPunchRow = 4,
              kUpperOtherRow = 5, kLowerRow = 6, kPlateRow = 7, kRows = 8;

inline const std::string kDieConfig = "<DIE><TOP/><UPPER><TYPE>SHOE</TYPE><TYPE>PUNCH</TYPE>"
                                      "<UPPER_OTHER/></UPPER><LOWER><TYPE>PLATE</TYPE></LOWER>"
                                      "</DIE>";

// Parts in this order; shoe colour 181 (0x0000FF), punches 30 (0xFFCC00).
inline nlohmann::json dieSession(bool lowerBolt = false) {
    using nlohmann::json;
    using row_model_test::component;
    using row_model_test::part;
    json punch = component("punch.prt");
    punch["color"] = 30;
    json shoe = part("shoe.prt", {{"TYPE", "SHOE"}});
    shoe["color"] = 181;
    return row_model_test::sessionOf(
        {part("top.prt", {{"TOP", "1"}}, {component("upper.prt"), component("lower.prt")}),
         part("upper.prt", {{"UPPER", "1"}},
              {component("shoe.prt"), punch, punch, component("bolt.prt")}),
         part("lower.prt", {},
              lowerBolt ? std::vector<json>{component("plate.prt"), component("bolt.prt")}
                        : std::vector<json>{component("plate.prt")}),
         shoe, part("punch.prt", {{"TYPE", "PUNCH"}}), part("bolt.prt"),
         part("plate.prt", {{"TYPE", "PLATE"}})});
}

inline nlohmann::json hostState() {
    char* text = HOSTSIM_state_json();
    nlohmann::json state = nlohmann::json::parse(text);
    HOSTSIM_free_text(text);
    return state;
}

inline nlohmann::json partState(const std::string& file) {
    const nlohmann::json state = hostState();
    for (const nlohmann::json& p : state["session"]["parts"]) {
        if (p["file"] == file)
            return p;
    }
    return nlohmann::json::object();
}

inline bool discardedChanges() {
    return !hostState()["runtime"]["discarded_changes"].empty();
}

// One field ("blanked", "highlighted", "color") of the occurrences of each
// part, the root occurrence for the display part: "name:v,v" for each part
// of the die that has an occurrence, in the die session's order.
inline std::string occurrences(const char* field) {
    const nlohmann::json state = hostState();
    std::string text;
    for (const char* name : {"top", "upper", "lower", "shoe", "punch", "bolt", "plate"}) {
        std::string values;
        for (const nlohmann::json& occurrence : state["session"]["occurrences"]) {
            if (occurrence["part"] != std::string(name) + ".prt")
                continue;
            const nlohmann::json& v = occurrence[field];
            values += (values.empty() ? "" : ",") +
                      (v.is_boolean() ? std::to_string(v.get<bool>() ? 1 : 0) : v.dump());
        }
        if (!values.empty())
            text += (text.empty() ? "" : " ") + std::string(name) + ":" + values;
    }
    return text;
}

class CommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { make(); }
    void TearDown() override {
        vm.reset();
        HOSTSIM_clear_faults();
        ClearRecordedFrameworkMessages();
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
        EXPECT_EQ(0, HOSTSIM_memory_misuse_count());
    }
    void make() {
        vm.reset();
        list = std::make_unique<MemoryTreeList>();
        vm = std::make_unique<ViewManagerCommands>(*list, prompts, prompts);
        prompts.onDestroy = [this] { vm.reset(); };
    }

    void build(const std::string& name, const std::string& xml) {
        path = row_model_test::writeConfig(name, xml);
        vm->BuildRows(path.c_str());
    }
    void buildDie(const nlohmann::json& session = dieSession()) {
        row_model_test::loadSession(session);
        build("die", kDieConfig);
    }
    // Refresh as the dialog does it.
    void refresh() {
        if (vm->PrepareRebuild(path.c_str()))
            vm->BuildRows(path.c_str());
    }

    // The handlers as the dialog calls them (the die is built expanded: a
    // row's item is its index), each followed by the checks that no host
    // session stays open and no host memory is kept.
    void click(int row, int column, bool highlightChecked = false) {
        vm->OnClickList(row, row, column, highlightChecked);
        expectHostLeftClean();
    }
    void doubleClick(int row, int column) {
        vm->OnDblclkList(row, row, column);
        expectHostLeftClean();
    }
    void expectHostLeftClean() {
        EXPECT_EQ(0, HOSTSIM_session_depth());
        EXPECT_EQ(0, HOSTSIM_outstanding_allocations());
    }
    // A field of every row, as numbers.
    template <typename Field> Flags flags(Field Row::*field) const {
        Flags found;
        for (const Row& row : vm->Model().Rows())
            found.push_back(static_cast<int>(row.*field));
        return found;
    }
    Flags pictures(int column) const {
        Flags found;
        for (int r = 0; r < vm->Model().RowCount(); ++r)
            found.push_back(list->GetItemImage(r, column));
        return found;
    }

    std::unique_ptr<MemoryTreeList> list;
    ScriptedPrompts prompts;
    std::unique_ptr<ViewManagerCommands> vm;
    std::string path;
};

} // namespace commands_test
