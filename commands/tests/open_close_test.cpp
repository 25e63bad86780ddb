// Open/Close: parts closed and remembered, reopened after a rebuild, and the
// question asked before modified parts are closed, with each of its answers.
#include "commands_fixture.h"

#include "record/record_lists.h"

using namespace commands_test;

namespace {

using Flags = std::vector<int>;

class OpenClose : public CommandsTest {
  protected:
    static bool loaded(const char* file) { return UF_PART_is_loaded(file) == 1; }
    static bool modified(const char* file) { return partState(file)["modified"].get<bool>(); }
    static json workPart() { return hostState()["session"]["work_part"]; }
};

TEST_F(OpenClose, AClosedRowSurvivesARebuildAndReopensWithItsState) {
    buildDie();
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_FALSE(loaded("punch.prt"));
    EXPECT_EQ(0, prompts.closeQuestions);
    EXPECT_EQ(0, vm->m_rowOpen[kPunchRow]);
    EXPECT_EQ(kPictureFolderClosed, list->ItemImage(kPunchRow, kColumnOpen));
    EXPECT_EQ(kPicturePartClosed, list->ItemImage(kPunchRow, kColumnLabel));
    EXPECT_EQ(Strings{"punch.prt"}, recordStrings(g_closedPartsRecord));

    refresh();
    ASSERT_EQ(kRows, vm->m_rowCount);
    ASSERT_EQ(0, vm->m_rowOpen[kPunchRow]);
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_TRUE(loaded("punch.prt"));
    EXPECT_EQ("top.prt", hostState()["session"]["display_part"]);
    EXPECT_TRUE(hostState()["runtime"]["display_updates"].get<bool>());
    EXPECT_EQ(1, vm->m_rowOpen[kPunchRow]);
    EXPECT_EQ(2, vm->m_rowOccCount[kPunchRow]);
    EXPECT_EQ(2, list->GetItemNumber(kPunchRow));
    EXPECT_EQ(0xFFCC00u, list->GetItemColor(kPunchRow));
    EXPECT_EQ(kPictureFolderOpen, list->ItemImage(kPunchRow, kColumnOpen));
    EXPECT_EQ(kPicturePartOpen, list->ItemImage(kPunchRow, kColumnLabel));
}

TEST_F(OpenClose, ClosingAGroupClosesItsSubtreeAndOpeningReopensIt) {
    buildDie();
    doubleClick(kLowerRow, kColumnOpen); // built closed: this opens it
    EXPECT_EQ(Flags({0, 1, 1, 1, 1, 1, 1, 1}), openFlags());
    doubleClick(kLowerRow, kColumnOpen);
    EXPECT_FALSE(loaded("plate.prt"));
    EXPECT_EQ(Flags({0, 1, 1, 1, 1, 1, 0, 0}), openFlags());
    EXPECT_EQ(kPictureGroupClosed, list->ItemImage(kLowerRow, kColumnLabel));
    doubleClick(kLowerRow, kColumnOpen);
    EXPECT_TRUE(loaded("plate.prt"));
    EXPECT_EQ(Flags({0, 1, 1, 1, 1, 1, 1, 1}), openFlags());
    EXPECT_EQ(1, vm->m_rowOccCount[kPlateRow]);
    EXPECT_EQ(kPictureGroupOpen, list->ItemImage(kLowerRow, kColumnLabel));
}

TEST_F(OpenClose, ReopeningReadsTheFrozenStateAndShowsItsPadlock) {
    json session = dieSession();
    session["parts"][4]["frozen"] = true; // punch.prt
    buildDie(session);
    ASSERT_EQ(0, vm->m_rowUnfrozen[kPunchRow]);
    doubleClick(kPunchRow, kColumnOpen);
    // Unfreezing the closed row changes its flag and padlock only: its part
    // is not loaded.
    doubleClick(kPunchRow, kColumnFreeze);
    ASSERT_EQ(kPictureUnfrozen, list->ItemImage(kPunchRow, kColumnFreeze));
    doubleClick(kPunchRow, kColumnOpen);
    EXPECT_TRUE(partState("punch.prt")["frozen"].get<bool>());
    EXPECT_EQ(0, vm->m_rowUnfrozen[kPunchRow]);
    EXPECT_EQ(kPictureFrozen, list->ItemImage(kPunchRow, kColumnFreeze));
}

// A part the host does not close, or the record cannot take, stays open in
// its row, unrecorded; one message names every such part.
TEST_F(OpenClose, PartsThatStayOpenStayInTheirRowsAndAreNamedOnce) {
    const std::string message = std::string(kPartsLeftOpenMessage) + "\nupper.prt";
    struct Case {
        const char* operation;
        int onCall;
        Strings recorded;
        std::string told;
    };
    for (const Case& c :
         {Case{"UF_PART_close", 1, {"shoe.prt", "punch.prt", "bolt.prt"}, message},
          Case{"UF_PART_close", 0, {}, message + "\nshoe.prt\npunch.prt\nbolt.prt"},
          Case{"UF_UDOBJ_add_strings", 0, {}, message + "\nshoe.prt\npunch.prt\nbolt.prt"}}) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.onCall));
        buildDie();
        HOSTSIM_fail_operation(c.operation, c.onCall, 0);
        doubleClick(kUpperRow, kColumnOpen);
        HOSTSIM_clear_faults();
        EXPECT_EQ(c.recorded, recordStrings(g_closedPartsRecord));
        ASSERT_EQ(1, HOSTSIM_message_count());
        EXPECT_EQ(c.told, HOSTSIM_message(0));
        EXPECT_TRUE(loaded("upper.prt"));
        EXPECT_EQ(Strings{"upper.prt"}, vm->m_rowPartNames[kUpperRow]);
        EXPECT_EQ(1, vm->m_rowOpen[kUpperRow]);
        EXPECT_EQ(1, list->GetItemNumber(kUpperRow));
        EXPECT_EQ(kPictureFolderOpen, list->ItemImage(kUpperRow, kColumnOpen));
        const bool punchClosed = !c.recorded.empty();
        EXPECT_EQ(punchClosed ? 0 : 1, vm->m_rowOpen[kPunchRow]);
        EXPECT_EQ(punchClosed ? 0 : 2, list->GetItemNumber(kPunchRow));
        EXPECT_EQ(punchClosed ? Strings{} : Strings{"punch.prt"}, vm->m_rowPartNames[kPunchRow]);
        EXPECT_EQ(punchClosed ? 0 : 1, vm->m_rowOccCount[kUpperOtherRow]);
        vm->ReleaseRowTables();
        list = std::make_unique<MemoryTreeList>();
        vm = std::make_unique<ViewManagerCommands>(*list, prompts, window);
    }
}

TEST_F(OpenClose, ADisplayPartTheHostKeepsKeepsTheViewManager) {
    buildDie();
    prompts.answer = CONFIRM_CLOSE_NO_SAVE; // the record objects modified it
    HOSTSIM_fail_operation("UF_PART_close", 0, 0);
    doubleClick(kTopRow, kColumnOpen);
    HOSTSIM_clear_faults();
    ASSERT_NE(nullptr, vm);
    EXPECT_EQ(0, window.destructions);
    EXPECT_EQ(1, vm->m_rowOpen[kTopRow]);
    ASSERT_EQ(1, HOSTSIM_message_count());
    EXPECT_EQ(std::string(kPartsLeftOpenMessage) + "\ntop.prt", HOSTSIM_message(0));
}

class CloseConfirmation : public OpenClose {
  protected:
    void buildWithModified(const std::vector<std::string>& files) {
        json session = dieSession();
        for (json& p : session["parts"]) {
            if (std::find(files.begin(), files.end(), p["file"].get<std::string>()) != files.end())
                p["modified"] = true;
        }
        buildDie(session);
    }
};

TEST_F(CloseConfirmation, CloseAndSaveSavesEachModifiedPartAndRestoresTheWorkPart) {
    buildWithModified({"punch.prt", "bolt.prt"});
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    ASSERT_EQ("top.prt", workPart());
    doubleClick(kUpperRow, kColumnOpen);
    EXPECT_EQ(1, prompts.closeQuestions);
    EXPECT_FALSE(loaded("upper.prt"));
    EXPECT_TRUE(discardedChanges().empty());
    EXPECT_FALSE(modified("punch.prt"));
    EXPECT_FALSE(modified("bolt.prt"));
    EXPECT_EQ("top.prt", workPart());
}

TEST_F(CloseConfirmation, AModifiedPartInARowBeneathIsAskedForAndSaved) {
    // The lower half's row has no parts of its own; its plate is modified.
    buildWithModified({"plate.prt"});
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    doubleClick(kLowerRow, kColumnOpen); // built closed: this opens it
    ASSERT_EQ(0, prompts.closeQuestions);
    doubleClick(kLowerRow, kColumnOpen);
    EXPECT_EQ(1, prompts.closeQuestions);
    EXPECT_FALSE(loaded("plate.prt"));
    EXPECT_TRUE(discardedChanges().empty());
    EXPECT_FALSE(modified("plate.prt"));
}

TEST_F(CloseConfirmation, APartThatCannotBeSavedStopsTheCloseVisibly) {
    buildWithModified({"plate.prt"});
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    doubleClick(kLowerRow, kColumnOpen); // built closed: this opens it
    const Flags open = openFlags();
    HOSTSIM_fail_operation("UF_PART_save", 0, 0);
    doubleClick(kLowerRow, kColumnOpen);
    HOSTSIM_clear_faults();
    EXPECT_EQ(1, prompts.closeQuestions);
    EXPECT_TRUE(loaded("plate.prt"));
    EXPECT_TRUE(modified("plate.prt"));
    EXPECT_TRUE(discardedChanges().empty());
    EXPECT_EQ(open, openFlags());
    ASSERT_EQ(1, HOSTSIM_message_count());
    EXPECT_EQ("plate.prt could not be saved. Nothing was closed.", std::string(HOSTSIM_message(0)));
    EXPECT_EQ("top.prt", workPart());
}

TEST_F(CloseConfirmation, NoPartIsAskedForWhenNoneIsModified) {
    buildWithModified({"plate.prt"});
    doubleClick(kUpperRow, kColumnOpen);
    EXPECT_EQ(0, prompts.closeQuestions);
    EXPECT_FALSE(loaded("upper.prt"));
    EXPECT_TRUE(loaded("plate.prt"));
}

// Every row, every answer, with every part or a single one modified: a part
// is closed with its changes only after the question was answered "Close
// without save", also when it goes with an assembly the close takes away.
TEST_F(CloseConfirmation, NoModifiedPartIsEverClosedUnsavedWithoutTheQuestion) {
    const std::vector<std::string> all = {"top.prt",   "upper.prt", "lower.prt", "shoe.prt",
                                          "punch.prt", "bolt.prt",  "plate.prt"};
    std::vector<std::vector<std::string>> modifiedSets = {all};
    for (const std::string& file : all)
        modifiedSets.push_back({file});
    for (const std::vector<std::string>& modifiedParts : modifiedSets) {
        for (int row = 0; row < kRows; ++row) {
            for (int answer : {CONFIRM_SAVE_AND_CLOSE, CONFIRM_CLOSE_NO_SAVE, CONFIRM_CANCEL}) {
                SCOPED_TRACE("row " + std::to_string(row) + ", answer " + std::to_string(answer) +
                             ", modified " + modifiedParts.front() + " of " +
                             std::to_string(modifiedParts.size()));
                prompts = ScriptedPrompts();
                prompts.answer = answer;
                vm.reset();
                list = std::make_unique<MemoryTreeList>();
                vm = std::make_unique<ViewManagerCommands>(*list, prompts, window);
                buildWithModified(modifiedParts);
                if (vm->m_rowOpen[row] == 0)
                    doubleClick(row, kColumnOpen);
                ASSERT_EQ(0, prompts.closeQuestions);
                std::vector<std::string> loadedBefore;
                for (const std::string& file : all) {
                    if (loaded(file.c_str()))
                        loadedBefore.push_back(file);
                }
                doubleClick(row, kColumnOpen);
                // Only "Close without save" loses changes, and then knowingly.
                EXPECT_EQ(prompts.closeQuestions == 1 && answer == CONFIRM_CLOSE_NO_SAVE,
                          !discardedChanges().empty());
                if (modifiedParts.size() > 1) {
                    EXPECT_EQ(1, prompts.closeQuestions);
                }
                if (prompts.closeQuestions == 0 || answer != CONFIRM_CANCEL)
                    continue;
                // Closing the display part's row closes the View Manager too.
                if (vm) {
                    EXPECT_EQ(1, vm->m_rowOpen[row]);
                }
                for (const std::string& file : loadedBefore)
                    EXPECT_TRUE(loaded(file.c_str())) << file;
                EXPECT_EQ(kPictureFolderOpen, list->ItemImage(row, kColumnOpen));
            }
        }
    }
}

} // namespace
