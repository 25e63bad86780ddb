// The View Manager's end: closed once, by its Close button, by the Close
// command on the display part's row, or while a prompt is shown, with the
// owner deleting the object from inside the command; the highlight goes
// with it.
#include "commands_fixture.h"

using namespace commands_test;

namespace {

class Lifetime : public CommandsTest {};

TEST_F(Lifetime, CloseOnTheDisplayPartsRowClosesThePartAndTheViewManager) {
    buildDie();
    // The record objects made for the rows modified the display part.
    prompts.answer = CONFIRM_CLOSE_NO_SAVE;
    doubleClick(kTopRow, kColumnOpen);
    EXPECT_EQ(1, prompts.closeQuestions);
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ(1, window.destructions);
    EXPECT_EQ(0, UF_PART_is_loaded("top.prt"));
    EXPECT_TRUE(hostState()["session"]["display_part"].is_null());
    // Its components went with it.
    EXPECT_EQ(0, UF_PART_is_loaded("upper.prt"));
}

TEST_F(Lifetime, AGroupCloseThatReachesTheDisplayPartClosesTheViewManager) {
    buildDie();
    doubleClick(kDieRow, kColumnOpen); // built closed: this opens it
    ASSERT_NE(nullptr, vm);
    ASSERT_EQ(1, vm->m_rowOpen[kDieRow]);
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    doubleClick(kDieRow, kColumnOpen);
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ(1, window.destructions);
    EXPECT_EQ(0, UF_PART_is_loaded("top.prt"));
    EXPECT_EQ(0, UF_PART_is_loaded("plate.prt"));
    EXPECT_TRUE(discardedChanges().empty());
}

// Run under the address sanitizer: any use of the object after its owner
// deleted it inside the command is reported as an error.
TEST_F(Lifetime, TheOwnerCanDeleteTheViewManagerInsideTheCloseCommandAgainAndAgain) {
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        vm.reset();
        list = std::make_unique<MemoryTreeList>();
        vm = std::make_unique<ViewManagerCommands>(*list, prompts, window);
        json session = dieSession();
        session["parts"][0]["modified"] = i % 2 == 0;
        prompts.answer = i % 3 == 0 ? CONFIRM_SAVE_AND_CLOSE : CONFIRM_CLOSE_NO_SAVE;
        buildDie(session);
        click(kUpperRow, kColumnLabel, true); // something to unhighlight
        const int destructions = window.destructions;
        doubleClick(kTopRow, kColumnOpen);
        ASSERT_EQ(nullptr, vm);
        EXPECT_EQ(destructions + 1, window.destructions);
        EXPECT_EQ(0, UF_PART_is_loaded("top.prt"));
    }
}

TEST_F(Lifetime, TheCloseButtonRemovesTheHighlightAndClosesOnce) {
    buildDie();
    click(kShoeRow, kColumnLabel, true);
    ASSERT_EQ(std::vector<bool>{true}, occurrenceField<bool>("shoe.prt", "highlighted"));
    vm->OnCancel();
    expectHostLeftClean();
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ(1, window.destructions);
    EXPECT_EQ(std::vector<bool>{false}, occurrenceField<bool>("shoe.prt", "highlighted"));
}

TEST_F(Lifetime, AWindowThatGoesOnLivingIsClosedOnceAndIgnoresLaterClicks) {
    buildDie();
    window.onDestroy = nullptr; // the window deletes the object later
    vm->OnCancel();
    vm->CloseViewManager(); // as the destroyed window reports it
    EXPECT_EQ(1, window.destructions);
    EXPECT_TRUE(vm->IsClosed());
    EXPECT_EQ(0, vm->m_rowCount);
    const json before = hostState()["session"];
    click(kShoeRow, kColumnBlank, true);
    doubleClick(kShoeRow, kColumnOpen);
    checkHighlight(true);
    EXPECT_EQ(before, hostState()["session"]);
}

TEST_F(Lifetime, AClosePendingDuringTheConfirmationClosesAfterItAndClosesNoPart) {
    json session = dieSession();
    session["parts"][4]["modified"] = true; // punch.prt
    buildDie(session);
    prompts.answer = CONFIRM_CLOSE_NO_SAVE;
    int destructionsWhileAsked = -1;
    prompts.whileAsked = [this, &destructionsWhileAsked] {
        // Clicks reaching the View Manager meanwhile are dropped; its Close
        // button waits for the question to end.
        vm->OnDblclkList(itemOf(kShoeRow), kShoeRow, kColumnOpen);
        vm->OnClickList(itemOf(kShoeRow), kShoeRow, kColumnBlank, false);
        vm->OnCancel();
        destructionsWhileAsked = window.destructions;
    };
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_EQ(0, destructionsWhileAsked);
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ(1, window.destructions);
    EXPECT_EQ(1, UF_PART_is_loaded("punch.prt"));
    EXPECT_EQ(1, UF_PART_is_loaded("shoe.prt"));
    EXPECT_EQ(std::vector<bool>{false}, occurrenceField<bool>("shoe.prt", "blanked"));
    EXPECT_TRUE(discardedChanges().empty());
}

TEST_F(Lifetime, AClosePendingDuringTheColourDialogClosesAfterIt) {
    buildDie();
    prompts.color = 0x0000FF;
    prompts.whileAsked = [this] { vm->CloseViewManager(); };
    const json before = hostState()["session"]["occurrences"];
    click(kPunchRow, kColumnColor);
    EXPECT_EQ(nullptr, vm);
    EXPECT_EQ(1, window.destructions);
    EXPECT_EQ(before, hostState()["session"]["occurrences"]);
}

} // namespace
