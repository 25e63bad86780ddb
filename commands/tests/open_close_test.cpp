// Open/Close: parts closed and remembered, reopened after a rebuild, the
// question asked before modified parts are closed, and the View Manager's
// end: closed once, by its Close button, by a Close that reaches the display
// part or while a prompt is shown, with the owner deleting the object inside
// the command (use after free is the sanitizer build's to catch).
#include "commands_fixture.h"

#include "record/record_lists.h"

using namespace commands_test;
using nlohmann::json;
using row_model_test::loadSession;
using row_model_test::Strings;
using row_model_test::writeConfig;

namespace {

bool loaded(const std::string& file) {
    return UF_PART_is_loaded(file.c_str()) == 1;
}

bool modified(const char* file) {
    return partState(file)["modified"].get<bool>();
}

json withModified(const Strings& files) {
    json session = dieSession();
    for (json& p : session["parts"]) {
        if (std::find(files.begin(), files.end(), p["file"].get<std::string>()) != files.end())
            p["modified"] = true;
    }
    return session;
}

TEST_F(CommandsTest, AClosedRowSurvivesARebuildAndReopensWithItsState) {
    json session = dieSession();
    session["parts"][4]["frozen"] = true;               // punch.prt
    session["parts"][1]["components"][2]["color"] = 60; // the second punch
    buildDie(session);
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_FALSE(loaded("punch.prt"));
    EXPECT_FALSE(vm->Model().RowAt(kPunchRow).open);
    EXPECT_EQ(0u, list->GetItemColor(kPunchRow));
    EXPECT_EQ(kPictureFolderClosed, list->GetItemImage(kPunchRow, kColumnOpen));
    EXPECT_EQ(kPicturePartClosed, list->GetItemImage(kPunchRow, kColumnLabel));
    EXPECT_EQ(Strings{"punch.prt"}, recordStrings(g_closedPartsRecord));
    // Unfreezing the closed row changes its padlock only.
    doubleClick(kPunchRow, kColumnFreeze);
    ASSERT_EQ(kPictureUnfrozen, list->GetItemImage(kPunchRow, kColumnFreeze));

    refresh();
    ASSERT_EQ(0, vm->Model().RowAt(kPunchRow).open);
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_TRUE(loaded("punch.prt"));
    EXPECT_EQ("top.prt", hostState()["session"]["display_part"]);
    EXPECT_TRUE(hostState()["runtime"]["display_updates"].get<bool>());
    EXPECT_TRUE(vm->Model().RowAt(kPunchRow).open);
    EXPECT_EQ(2, list->GetItemNumber(kPunchRow));
    EXPECT_EQ(kMixedColor, list->GetItemColor(kPunchRow));
    EXPECT_EQ(kPictureFolderOpen, list->GetItemImage(kPunchRow, kColumnOpen));
    EXPECT_EQ(kPicturePartOpen, list->GetItemImage(kPunchRow, kColumnLabel));
    EXPECT_EQ(kPictureFrozen, list->GetItemImage(kPunchRow, kColumnFreeze));
    EXPECT_FALSE(vm->Model().RowAt(kPunchRow).unfrozen);
}

TEST_F(CommandsTest, ARefreshFromAFileOfTheWrongFormKeepsTheRows) {
    buildDie();
    writeConfig("die", "<DIE><" + std::string(257, 'T') + "/></DIE>");
    EXPECT_FALSE(vm->PrepareRebuild(path.c_str()));
    EXPECT_EQ(kRows, vm->Model().RowCount());
    EXPECT_EQ("file format error!", std::string(HOSTSIM_message(0)));
}

TEST_F(CommandsTest, ClosingAGroupClosesItsSubtreeAndOpeningReopensIt) {
    buildDie();
    doubleClick(kLowerRow, kColumnOpen); // built closed: this opens it, and no part
    EXPECT_EQ((Flags{0, 1, 1, 1, 1, 1, 1, 1}), flags(&Row::open));
    EXPECT_TRUE(hostState()["runtime"]["display_updates"].get<bool>());
    doubleClick(kLowerRow, kColumnOpen);
    EXPECT_FALSE(loaded("plate.prt"));
    EXPECT_EQ((Flags{0, 1, 1, 1, 1, 1, 0, 0}), flags(&Row::open));
    EXPECT_EQ(kPictureGroupClosed, list->GetItemImage(kLowerRow, kColumnLabel));
    doubleClick(kLowerRow, kColumnOpen);
    EXPECT_TRUE(loaded("plate.prt"));
    EXPECT_EQ((Flags{0, 1, 1, 1, 1, 1, 1, 1}), flags(&Row::open));
    EXPECT_EQ(1, list->GetItemNumber(kPlateRow));
    EXPECT_EQ(kPictureGroupOpen, list->GetItemImage(kLowerRow, kColumnLabel));
}

// A group without a key value takes every part of the group, and its Open
// reopens every part closed under the group, whatever key it was closed under.
TEST_F(CommandsTest, AGroupWithoutAKeyReopensThePartsOfEveryKey) {
    loadSession(dieSession());
    build("keys", "<DIE><TYPE>SHOE</TYPE><TYPE>PUNCH</TYPE><TYPE/></DIE>");
    ASSERT_EQ(4, vm->Model().RowCount());
    ASSERT_EQ((Strings{"shoe.prt", "punch.prt", "plate.prt"}), vm->Model().RowAt(3).partNames);
    for (int row : {1, 2, 3})
        doubleClick(row, kColumnOpen);
    EXPECT_FALSE(loaded("shoe.prt") || loaded("punch.prt") || loaded("plate.prt"));
    doubleClick(3, kColumnOpen);
    EXPECT_TRUE(loaded("shoe.prt") && loaded("punch.prt") && loaded("plate.prt"));
    EXPECT_EQ((Strings{"shoe.prt", "punch.prt", "plate.prt"}), vm->Model().RowAt(3).partNames);
    EXPECT_EQ(4, list->GetItemNumber(3));
}

// A part the host does not close, or the record cannot take, stays open in
// its row, unrecorded; one message names every such part.
TEST_F(CommandsTest, PartsThatStayOpenStayInTheirRowsAndAreNamedOnce) {
    const std::string told = std::string(kPartsLeftOpenMessage) + "\nupper.prt";
    const std::string all = told + "\nshoe.prt\npunch.prt\nbolt.prt";
    struct Case {
        const char* operation;
        int onCall;
        Strings recorded;
        std::string told;
    } cases[] = {{"UF_PART_close", 1, {"shoe.prt", "punch.prt", "bolt.prt"}, told},
                 {"UF_PART_close", 0, {}, all},
                 {"UF_UDOBJ_add_strings", 0, {}, all}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.onCall));
        make();
        buildDie();
        HOSTSIM_fail_operation(c.operation, c.onCall, 0);
        doubleClick(kUpperRow, kColumnOpen);
        HOSTSIM_clear_faults();
        EXPECT_EQ(c.recorded, recordStrings(g_closedPartsRecord));
        ASSERT_EQ(1, HOSTSIM_message_count());
        EXPECT_EQ(c.told, HOSTSIM_message(0));
        EXPECT_EQ(Strings{"upper.prt"}, vm->Model().RowAt(kUpperRow).partNames);
        EXPECT_TRUE(vm->Model().RowAt(kUpperRow).open);
        EXPECT_EQ(1, list->GetItemNumber(kUpperRow));
        const bool closed = !c.recorded.empty();
        EXPECT_EQ(closed ? 0 : 1, vm->Model().RowAt(kPunchRow).open);
        EXPECT_EQ(closed ? 0 : 2, list->GetItemNumber(kPunchRow));
        EXPECT_EQ(closed ? 0 : 1, vm->Model().RowAt(kUpperOtherRow).occCount);
        vm->Model().ReleaseRowTables();
    }
}

// Two rows hold the shoe: a Close asks for its load state as it closes it
// in the first row and not again in the second; the next Close asks again,
// as the designer may have opened it between the two.
TEST_F(CommandsTest, ACloseAsksForAPartHeldByTwoRowsOnce) {
    loadSession(dieSession());
    build("shoe_twice", "<DIE><TYPE>SHOE</TYPE><TYPE>SHOE</TYPE></DIE>");
    ASSERT_EQ(3, vm->Model().RowCount());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        doubleClick(0, kColumnOpen); // built closed: this opens it
        ASSERT_TRUE(loaded("shoe.prt"));
        HOSTSIM_clear_call_log();
        doubleClick(0, kColumnOpen);
        // The first row asks before, at and after its close; the second not.
        EXPECT_EQ(3, HOSTSIM_call_count("UF_PART_is_loaded"));
        EXPECT_EQ(1, HOSTSIM_call_count("UF_PART_close"));
        EXPECT_FALSE(loaded("shoe.prt"));
        EXPECT_EQ((Flags{0, 0, 0}), flags(&Row::open));
    }
}

TEST_F(CommandsTest, ADisplayPartTheHostKeepsKeepsTheViewManager) {
    buildDie();
    prompts.answer = CONFIRM_CLOSE_NO_SAVE; // the record objects modified it
    HOSTSIM_fail_operation("UF_PART_close", 0, 0);
    doubleClick(kTopRow, kColumnOpen);
    ASSERT_NE(nullptr, vm);
    EXPECT_TRUE(vm->Model().RowAt(kTopRow).open);
    EXPECT_EQ(std::string(kPartsLeftOpenMessage) + "\ntop.prt", HOSTSIM_message(0));
}

// Close and save saves each modified part, or, when one cannot be saved,
// closes nothing and says so; the work part is restored either way.
TEST_F(CommandsTest, CloseAndSaveSavesEachModifiedPartOrClosesNothing) {
    buildDie(withModified({"punch.prt", "bolt.prt", "plate.prt"}));
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    doubleClick(kLowerRow, kColumnOpen); // built closed: this opens it
    HOSTSIM_fail_operation("UF_PART_save", 0, 0);
    doubleClick(kLowerRow, kColumnOpen);
    HOSTSIM_clear_faults();
    EXPECT_TRUE(loaded("plate.prt") && modified("plate.prt"));
    EXPECT_TRUE(vm->Model().RowAt(kPlateRow).open);
    EXPECT_EQ("plate.prt could not be saved. Nothing was closed.", std::string(HOSTSIM_message(0)));
    EXPECT_EQ("top.prt", hostState()["session"]["work_part"]);
    doubleClick(kUpperRow, kColumnOpen);
    EXPECT_FALSE(loaded("upper.prt"));
    EXPECT_FALSE(discardedChanges());
    EXPECT_FALSE(modified("punch.prt") || modified("bolt.prt"));
    EXPECT_EQ("top.prt", hostState()["session"]["work_part"]);
}

// The question leaves the host free: a part the designer modifies while it
// is shown was not answered for, and the question is asked again; cancelled
// then, nothing is closed and no change is lost.
TEST_F(CommandsTest, APartModifiedWhileTheQuestionIsShownIsAskedForAgain) {
    for (int answer : {CONFIRM_SAVE_AND_CLOSE, CONFIRM_CLOSE_NO_SAVE}) {
        SCOPED_TRACE(answer);
        make();
        buildDie(withModified({"punch.prt"}));
        prompts.closeQuestions = 0;
        prompts.answer = answer;
        prompts.whileAsked = [this] {
            if (prompts.closeQuestions == 1)
                ASSERT_EQ(0, HOSTSIM_modify_part("shoe.prt"));
            else
                prompts.answer = CONFIRM_CANCEL;
        };
        doubleClick(kUpperRow, kColumnOpen);
        EXPECT_EQ(2, prompts.closeQuestions);
        EXPECT_FALSE(discardedChanges());
        EXPECT_TRUE(loaded("shoe.prt") && modified("shoe.prt"));
        EXPECT_TRUE(loaded("upper.prt"));
        EXPECT_TRUE(vm->Model().RowAt(kUpperRow).open);
    }
}

// Every row, every answer, with every part or a single one modified: a part
// is closed with its changes only after the question was answered "Close
// without save", also when it goes with an assembly the close takes away.
TEST_F(CommandsTest, NoModifiedPartIsEverClosedUnsavedWithoutTheQuestion) {
    const Strings all = {"top.prt",   "upper.prt", "lower.prt", "shoe.prt",
                         "punch.prt", "bolt.prt",  "plate.prt"};
    for (size_t m = 0; m <= all.size(); ++m) { // all.size(): every part
        const Strings modifiedParts = m < all.size() ? Strings{all[m]} : all;
        for (int row = 0; row < kRows; ++row) {
            for (int answer : {CONFIRM_SAVE_AND_CLOSE, CONFIRM_CLOSE_NO_SAVE, CONFIRM_CANCEL}) {
                SCOPED_TRACE(::testing::Message() << row << " " << answer << " " << m);
                prompts = ScriptedPrompts();
                prompts.answer = answer;
                make();
                buildDie(withModified(modifiedParts));
                if (vm->Model().RowAt(row).open == 0)
                    doubleClick(row, kColumnOpen);
                Strings loadedBefore;
                std::copy_if(all.begin(), all.end(), std::back_inserter(loadedBefore), loaded);
                doubleClick(row, kColumnOpen);
                EXPECT_EQ(prompts.closeQuestions == 1 && answer == CONFIRM_CLOSE_NO_SAVE,
                          discardedChanges());
                EXPECT_TRUE(m < all.size() || prompts.closeQuestions == 1);
                if (prompts.closeQuestions == 0 || answer != CONFIRM_CANCEL)
                    continue;
                EXPECT_TRUE(!vm || vm->Model().RowAt(row).open == 1);
                for (const std::string& file : loadedBefore)
                    EXPECT_TRUE(loaded(file)) << file;
                EXPECT_EQ(kPictureFolderOpen, list->GetItemImage(row, kColumnOpen));
            }
        }
    }
}

// The display part's row, or a group close that reaches the display part,
// closes it and its components, and the View Manager with them, its
// highlight first; the Close button closes it too.
TEST_F(CommandsTest, ACloseThatReachesTheDisplayPartClosesTheViewManagerOnce) {
    for (int row : {kTopRow, kDieRow, -1}) {
        SCOPED_TRACE(row);
        make();
        buildDie();
        prompts.destructions = 0;
        prompts.answer = row == kTopRow ? CONFIRM_CLOSE_NO_SAVE : CONFIRM_SAVE_AND_CLOSE;
        click(kShoeRow, kColumnLabel, true);
        if (row == -1)
            vm->OnCancel();
        if (row == kDieRow)
            doubleClick(row, kColumnOpen); // built closed: this opens it
        if (row >= 0)
            doubleClick(row, kColumnOpen);
        EXPECT_EQ(nullptr, vm);
        EXPECT_EQ(1, prompts.destructions);
        EXPECT_EQ(row == -1, loaded("top.prt"));
        EXPECT_EQ(row == -1, loaded("upper.prt"));
        EXPECT_FALSE(discardedChanges() && row == kDieRow);
        EXPECT_EQ(std::string::npos, occurrences("highlighted").find(":1"));
    }
}

TEST_F(CommandsTest, AWindowThatGoesOnLivingIsClosedOnceAndIgnoresLaterClicks) {
    buildDie();
    prompts.onDestroy = [] {}; // the window deletes the object later
    vm->OnCancel();
    vm->CloseViewManager(); // as the destroyed window reports it
    EXPECT_EQ(1, prompts.destructions);
    EXPECT_EQ(0, vm->Model().RowCount());
    const json before = hostState()["session"];
    click(kShoeRow, kColumnBlank, true);
    doubleClick(kShoeRow, kColumnOpen);
    vm->OnHighlightCheck(true);
    EXPECT_EQ(before, hostState()["session"]);
}

// Clicks reaching the View Manager while a prompt is shown are dropped; a
// close waits until the prompt has returned, and the command then changes
// nothing more.
TEST_F(CommandsTest, AClosePendingDuringAPromptClosesAfterIt) {
    for (int column : {kColumnOpen, kColumnColor}) {
        SCOPED_TRACE(column);
        make();
        buildDie(withModified({"punch.prt"}));
        prompts.destructions = 0;
        prompts.answer = CONFIRM_CLOSE_NO_SAVE;
        prompts.color = 0x0000FF;
        int destructionsWhileAsked = -1;
        prompts.whileAsked = [this, &destructionsWhileAsked] {
            vm->OnDblclkList(kShoeRow, kShoeRow, kColumnOpen);
            vm->OnClickList(kShoeRow, kShoeRow, kColumnBlank, false);
            vm->OnCancel();
            destructionsWhileAsked = prompts.destructions;
        };
        const json before = hostState()["session"]["occurrences"];
        if (column == kColumnOpen)
            doubleClick(kPunchRow, column);
        else
            click(kPunchRow, column);
        EXPECT_EQ(0, destructionsWhileAsked);
        EXPECT_EQ(nullptr, vm);
        EXPECT_EQ(1, prompts.destructions);
        EXPECT_TRUE(loaded("punch.prt") && loaded("shoe.prt"));
        EXPECT_EQ(before, hostState()["session"]["occurrences"]);
        EXPECT_FALSE(discardedChanges());
        prompts.whileAsked = [] {};
    }
}

} // namespace
