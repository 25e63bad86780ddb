// The command keys and the row menu run what the mouse runs on the same
// cell, questions included; the menu words each entry as the row's state
// says; and nothing that comes in while the menu is up turns its choice onto
// other rows.
#include "commands_fixture.h"

using namespace commands_test;
using nlohmann::json;

namespace {

enum class Way { kMouse, kKey, kMenu };

struct Outcome {
    std::vector<std::string> calls;
    json session;
    Flags shown, unfrozen, open;
    int questions;
};

class KeysAndMenu : public CommandsTest {
  protected:
    // The command of column on row, by way, on a fresh die whose shoe is
    // modified (so that closing it asks) with the highlight box checked.
    Outcome run(int row, int column, Way way) {
        make();
        buildDie();
        HOSTSIM_modify_part("shoe.prt");
        prompts.color = 0x0000FF;
        prompts.answer = CONFIRM_CLOSE_NO_SAVE;
        prompts.closeQuestions = 0;
        HOSTSIM_clear_call_log();
        if (way == Way::kMouse) {
            click(row, column, true);
            if (column == kColumnFreeze || column == kColumnOpen)
                doubleClick(row, column);
        } else if (way == Way::kKey) {
            vm->OnCellKey(row, row, column, true);
        } else {
            prompts.menuChoice = column;
            vm->OnRowMenu(row, row, 10, 20, true);
        }
        expectHostLeftClean();
        Outcome outcome{{},
                        hostState()["session"],
                        flags(&Row::shown),
                        flags(&Row::unfrozen),
                        flags(&Row::open),
                        prompts.closeQuestions};
        for (int i = 0; i < HOSTSIM_call_log_size(); ++i)
            outcome.calls.push_back(HOSTSIM_call_log_entry(i));
        return outcome;
    }
    std::vector<std::string> menuTexts() const {
        std::vector<std::string> texts;
        for (const RowMenuEntry& entry : prompts.menus.back())
            texts.push_back(entry.text);
        return texts;
    }
};

TEST_F(KeysAndMenu, AKeyOrAMenuEntryDoesWhatTheMouseDoesOnTheCell) {
    for (int row : {kUpperRow, kShoeRow}) {
        for (int column = kColumnBlank; column <= kColumnOpen; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(column));
            const Outcome mouse = run(row, column, Way::kMouse);
            ASSERT_FALSE(mouse.calls.empty());
            for (Way way : {Way::kKey, Way::kMenu}) {
                const Outcome other = run(row, column, way);
                EXPECT_EQ(mouse.calls, other.calls);
                EXPECT_EQ(mouse.session, other.session);
                EXPECT_EQ(mouse.shown, other.shown);
                EXPECT_EQ(mouse.unfrozen, other.unfrozen);
                EXPECT_EQ(mouse.open, other.open);
                EXPECT_EQ(mouse.questions, other.questions);
            }
        }
    }
}

TEST_F(KeysAndMenu, TheMenuNamesEachCommandAsTheRowsStateSays) {
    buildDie();
    HOSTSIM_clear_call_log();
    vm->OnRowMenu(kShoeRow, kShoeRow, 0, 0, true);
    // Nothing to take back yet: Undo is greyed.
    EXPECT_EQ((std::vector<std::string>{"&Undo\tCtrl+Z", "&Blank\tCtrl+B", "&Isolate\tCtrl+I",
                                        "Co&lor...\tCtrl+L", "&Freeze\tCtrl+F", "&Close\tCtrl+O",
                                        "Co&py rows\tCtrl+C"}),
              menuTexts());
    std::vector<int> columns;
    std::vector<bool> enabled;
    for (const RowMenuEntry& entry : prompts.menus.back()) {
        columns.push_back(entry.column);
        enabled.push_back(entry.enabled);
    }
    EXPECT_EQ((std::vector<int>{kUndoEntry, 1, 2, 3, 4, 5, kCopyRowsEntry}), columns);
    EXPECT_EQ((std::vector<bool>{false, true, true, true, true, true, true}), enabled);
    // Leaving the menu does nothing, not even the click's highlight.
    EXPECT_EQ(0, HOSTSIM_call_log_size());

    click(kShoeRow, kColumnBlank);
    doubleClick(kShoeRow, kColumnFreeze);
    doubleClick(kShoeRow, kColumnOpen);
    vm->OnRowMenu(kShoeRow, kShoeRow, 0, 0, false);
    // The Close is not taken back: the Freeze before it is.
    EXPECT_EQ((std::vector<std::string>{
                  "&Undo Freeze\tCtrl+Z", "Un&blank\tCtrl+B", "&Isolate\tCtrl+I",
                  "Co&lor...\tCtrl+L", "Un&freeze\tCtrl+F", "&Open\tCtrl+O", "Co&py rows\tCtrl+C"}),
              menuTexts());
    EXPECT_TRUE(prompts.menus.back().front().enabled);
    // A row the list no longer has gets no menu.
    vm->OnRowMenu(0, kRows, 0, 0, false);
    EXPECT_EQ(2u, prompts.menus.size());
}

TEST_F(KeysAndMenu, WhatComesInWhileTheMenuIsUpCannotTurnItsChoiceOntoOtherRows) {
    buildDie();
    // A Refresh onto a file of other rows and a click on another row come in
    // while the menu is up: both wait for nothing and are dropped, and the
    // entry blanks the row it was chosen on.
    const std::string other =
        row_model_test::writeConfig("other", "<DIE><LOWER><TYPE>PLATE</TYPE></LOWER></DIE>");
    prompts.menuChoice = kColumnBlank;
    prompts.whileAsked = [&] {
        vm->RunHandler([&] {
            if (vm->PrepareRebuild(other.c_str()))
                vm->BuildRows(other.c_str());
        });
        vm->OnClickList(kPlateRow, kPlateRow, kColumnBlank, false);
    };
    vm->OnRowMenu(kShoeRow, kShoeRow, 0, 0, false);
    EXPECT_EQ(kRows, vm->Model().RowCount());
    EXPECT_EQ("top:0 upper:0 lower:0 shoe:1 punch:0,0 bolt:0 plate:0", occurrences("blanked"));

    // A close while the menu is up drops the choice; the View Manager goes
    // once the menu is gone.
    prompts.whileAsked = [&] { vm->OnCancel(); };
    vm->OnRowMenu(kPunchRow, kPunchRow, 0, 0, false);
    EXPECT_EQ(1, prompts.destructions);
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ("top:0 upper:0 lower:0 shoe:1 punch:0,0 bolt:0 plate:0", occurrences("blanked"));
}

} // namespace
