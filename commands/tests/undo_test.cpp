// Taking back Blank, Isolate, Color and Freeze: the host's values and the
// rows as they were before the command, the last command first; what the
// designer changed in the host since stays; Open and Close are not taken
// back.
#include "commands_fixture.h"

#include "commands/row_commands.h"

using namespace commands_test;
using nlohmann::json;
using row_model_test::occurrencesOf;
using row_model_test::tagOf;

namespace {

constexpr uint32_t kChosenRed = 0x000A0AC8; // the palette's nearest: index 145

// What a command can change: the host's whole session, the rows' flags and
// the cells of the command columns.
struct Seen {
    json session;
    Flags shown, unfrozen, blankPictures, isolatePictures, freezePictures, colors;

    bool operator==(const Seen& other) const {
        return session == other.session && shown == other.shown && unfrozen == other.unfrozen &&
               blankPictures == other.blankPictures && isolatePictures == other.isolatePictures &&
               freezePictures == other.freezePictures && colors == other.colors;
    }
};

class Undo : public CommandsTest {
  protected:
    Seen seen() const {
        Flags colors;
        for (int r = 0; r < vm->Model().RowCount(); ++r)
            colors.push_back(static_cast<int>(list->GetItemColor(r)));
        return {hostState()["session"],
                flags(&Row::shown),
                flags(&Row::unfrozen),
                pictures(kColumnBlank),
                pictures(kColumnIsolate),
                pictures(kColumnFreeze),
                colors};
    }
    void command(int row, int column) {
        if (IsDoubleClickColumn(column))
            doubleClick(row, column);
        else
            click(row, column);
    }
    void undo() {
        vm->OnUndo();
        expectHostLeftClean();
    }
};

TEST_F(Undo, EachDisplayCommandIsTakenBackToTheHostAndTheRowsBeforeIt) {
    const struct {
        const char* name;
        int row;
        int column;
        int repeats; // the same command this often before: Unblank, Unfreeze
    } cases[] = {
        {"Blank", kDieRow, kColumnBlank, 0},        {"Unblank", kUpperRow, kColumnBlank, 1},
        {"Isolate", kShoeRow, kColumnIsolate, 0},   {"Isolate", kUpperOtherRow, kColumnIsolate, 0},
        {"Color", kUpperRow, kColumnColor, 0},      {"Color", kTopRow, kColumnColor, 0},
        {"Freeze", kDieRow, kColumnFreeze, 0},      {"Unfreeze", kUpperRow, kColumnFreeze, 1},
        {"Blank", kUpperOtherRow, kColumnBlank, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " on row " + std::to_string(c.row));
        make();
        buildDie();
        prompts.color = kChosenRed;
        for (int i = 0; i < c.repeats; ++i)
            command(c.row, c.column);
        const Seen before = seen();
        command(c.row, c.column);
        ASSERT_FALSE(seen() == before) << "the command changed nothing";
        EXPECT_EQ(std::string(c.name) + (vm->Model().RowLabel(c.row).empty() ? "" : " ") +
                      vm->Model().RowLabel(c.row),
                  vm->LastCommandText());
        undo();
        EXPECT_EQ(before.session, seen().session);
        EXPECT_TRUE(seen() == before);
        EXPECT_EQ(static_cast<size_t>(c.repeats), vm->Steps().Count());
        EXPECT_EQ(0, HOSTSIM_message_count());
    }
}

// Blank, then Color, then the menu's Undo twice: the colour goes first.
TEST_F(Undo, StepsAreTakenBackLastFirstFromTheKeyAndTheMenu) {
    buildDie();
    const Seen built = seen();
    click(kShoeRow, kColumnBlank);
    const Seen blanked = seen();
    prompts.color = kChosenRed;
    click(kUpperRow, kColumnColor);
    prompts.menuChoice = kUndoEntry;
    vm->OnRowMenu(kPlateRow, kPlateRow, 0, 0, false);
    EXPECT_TRUE(seen() == blanked);
    undo();
    EXPECT_TRUE(seen() == built);
    // Nothing left: the key does nothing and the menu greys the entry.
    HOSTSIM_clear_call_log();
    undo();
    EXPECT_EQ(0, HOSTSIM_call_log_size());
    vm->OnRowMenu(kPlateRow, kPlateRow, 0, 0, false);
    EXPECT_EQ("&Undo\tCtrl+Z", prompts.menus.back().front().text);
    EXPECT_FALSE(prompts.menus.back().front().enabled);
    EXPECT_TRUE(seen() == built);
}

// The designer recolours one punch and unfreezes the shoe in the host after
// the View Manager's commands: those stay, the rest is taken back, and one
// message tells how many stayed.
TEST_F(Undo, WhatTheDesignerChangedInTheHostSinceStaysAndIsTold) {
    buildDie();
    prompts.color = kChosenRed;
    click(kUpperRow, kColumnColor);
    const tag_t punch = occurrencesOf("punch.prt").at(1);
    ASSERT_EQ(0, UF_OBJ_set_color(punch, 7));
    undo();
    EXPECT_EQ("top:1 upper:1 lower:1 shoe:181 punch:30,7 bolt:1 plate:1", occurrences("color"));
    doubleClick(kUpperRow, kColumnFreeze);
    ASSERT_EQ(0, DUC_unfreeze_part(tagOf("shoe.prt")));
    undo();
    EXPECT_FALSE(partState("shoe.prt")["frozen"].get<bool>());
    EXPECT_FALSE(partState("punch.prt")["frozen"].get<bool>());
    ASSERT_EQ(2, HOSTSIM_message_count());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(std::string("1") + (kUndoLeftMessage + 2), HOSTSIM_message(i));
}

// Open and Close are not taken back and keep the steps before them; a part
// closed since is passed over, silently.
TEST_F(Undo, OpenAndCloseAreNotTakenBackAndWhatTheyClosedIsPassedOver) {
    buildDie();
    click(kShoeRow, kColumnBlank);
    prompts.color = kChosenRed;
    click(kPunchRow, kColumnColor);
    doubleClick(kPunchRow, kColumnOpen); // closes the punches
    ASSERT_FALSE(vm->Model().RowAt(kPunchRow).open);
    ASSERT_EQ(2u, vm->Steps().Count());
    undo(); // the colour of parts no longer open
    EXPECT_FALSE(vm->Model().RowAt(kPunchRow).open);
    EXPECT_EQ(0, HOSTSIM_message_count());
    undo();
    EXPECT_EQ("top:0 upper:0 lower:0 shoe:0 bolt:0 plate:0", occurrences("blanked"));
    EXPECT_TRUE(vm->Model().RowAt(kShoeRow).shown);
    // The punches' occurrences were not there to take their colour back.
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_EQ("top:1 upper:1 lower:1 shoe:181 punch:145,145 bolt:1 plate:1", occurrences("color"));
}

// After Refresh the rows are new, here one fewer above the upper half: the
// step gives the host its values back and the rows show them as a build
// reads them.
TEST_F(Undo, AStepOutlivesRefreshAndTheRowsAreReadAgain) {
    buildDie();
    const json built = hostState()["session"];
    click(kUpperRow, kColumnBlank);
    std::string config = kDieConfig;
    config.erase(config.find("<TOP/>"), 6);
    row_model_test::writeConfig("die", config);
    refresh();
    ASSERT_EQ((Flags{1, 0, 0, 0, 0, 1, 1}), flags(&Row::shown));
    undo();
    EXPECT_EQ(built, hostState()["session"]);
    EXPECT_EQ(Flags(7, 1), flags(&Row::shown));
    EXPECT_EQ(Flags(7, kPictureShown), pictures(kColumnBlank));
}

TEST_F(Undo, KeepsTheLast32StepsAndABoundedNumberOfValues) {
    buildDie();
    for (int i = 0; i < 33; ++i)
        click(kShoeRow, kColumnBlank);
    EXPECT_EQ(UndoSteps::kMostSteps, vm->Steps().Count());
    for (int i = 0; i < 33; ++i)
        undo();
    // The first Blank is forgotten: the shoe stays blanked.
    EXPECT_EQ(0, vm->Model().RowAt(kShoeRow).shown);
    EXPECT_EQ("1", occurrences("blanked").substr(occurrences("blanked").find("shoe:") + 5, 1));

    UndoSteps steps;
    const auto stepOf = [](size_t changes) {
        UndoStep step;
        step.changes.resize(changes, {HostValueChange::Kind::kColor, 1, 1, 2});
        return step;
    };
    EXPECT_FALSE(steps.Push(stepOf(UndoSteps::kMostChanges + 1)));
    EXPECT_TRUE(steps.Push(stepOf(UndoSteps::kMostChanges / 2)));
    EXPECT_TRUE(steps.Push(stepOf(UndoSteps::kMostChanges / 2)));
    EXPECT_EQ(2u, steps.Count());
    EXPECT_TRUE(steps.Push(stepOf(1))); // the oldest makes room
    EXPECT_EQ(2u, steps.Count());
    EXPECT_EQ(1u, steps.TakeLast().changes.size());
}

} // namespace
