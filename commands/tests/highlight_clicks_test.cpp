// The highlight that follows the clicks, clicks that hit no row or a column
// without a command, a session without a display part, and rows whose parts
// the host closed behind the View Manager's back.
#include "commands_fixture.h"

using namespace commands_test;

namespace {

using Lit = std::vector<bool>;

Lit lit(const char* file) {
    return occurrenceField<bool>(file, "highlighted");
}

class Highlight : public CommandsTest {};

TEST_F(Highlight, MovesWithEachClickAndGoesOnAClickOutsideTheRows) {
    buildDie();
    click(kShoeRow, kColumnLabel, true);
    EXPECT_EQ(Lit{true}, lit("shoe.prt"));
    click(kPunchRow, kColumnAttributeCount, true);
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
    EXPECT_EQ((Lit{true, true}), lit("punch.prt"));
    EXPECT_EQ(kPunchRow, vm->m_highlightedRow);
    click(-1, kColumnLabel, true);
    EXPECT_EQ((Lit{false, false}), lit("punch.prt"));
    EXPECT_EQ(-1, vm->m_highlightedRow);
    EXPECT_EQ(-1, vm->m_clickedRow);
}

TEST_F(Highlight, AGroupHighlightsItsSubtreeAndTheDisplayPartsRowOnlyItsRoot) {
    buildDie();
    click(kUpperRow, kColumnLabel, true);
    EXPECT_EQ(Lit{true}, lit("upper.prt"));
    EXPECT_EQ(Lit{true}, lit("bolt.prt"));
    EXPECT_EQ(Lit{false}, lit("plate.prt"));
    click(kTopRow, kColumnLabel, true);
    EXPECT_EQ(Lit{true}, lit("top.prt"));
    EXPECT_EQ(Lit{false}, lit("upper.prt"));
    click(kDieRow, kColumnLabel, true); // rows 1 to 7 light their parts
    EXPECT_EQ(Lit{true}, lit("top.prt"));
    EXPECT_EQ(Lit{true}, lit("plate.prt"));
    EXPECT_EQ(Lit{false}, lit("lower.prt")); // in no row
}

TEST_F(Highlight, UncheckingRemovesItAndLaterClicksDoNotBringItBack) {
    buildDie();
    click(kShoeRow, kColumnLabel, false);
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
    checkHighlight(true);
    EXPECT_EQ(Lit{true}, lit("shoe.prt"));
    checkHighlight(false);
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
    EXPECT_EQ(kShoeRow, vm->m_highlightedRow);
    click(kPunchRow, kColumnLabel, false);
    EXPECT_EQ((Lit{false, false}), lit("punch.prt"));
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
}

TEST_F(Highlight, AnOtherRowUnhighlightsItsSiblings) {
    buildDie();
    const std::vector<tag_t> shoe = occurrencesOf("shoe.prt");
    UF_DISP_set_highlight(shoe.at(0), 1);
    click(kUpperOtherRow, kColumnLabel, true);
    EXPECT_EQ(Lit{true}, lit("bolt.prt"));
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
    UF_DISP_set_highlight(shoe.at(0), 1);
    checkHighlight(false);
    checkHighlight(true);
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
}

class Clicks : public CommandsTest {};

TEST_F(Clicks, ColumnsWithoutACommandDoNothing) {
    buildDie();
    const json before = hostState()["session"];
    const std::vector<int> shown = shownFlags();
    const std::vector<int> unfrozen = unfrozenFlags();
    const std::vector<int> open = openFlags();
    for (int column : {kColumnLabel, kColumnFreeze, kColumnOpen, kColumnAttributeCount, 7})
        click(kUpperRow, column);
    for (int column :
         {kColumnLabel, kColumnBlank, kColumnIsolate, kColumnColor, kColumnAttributeCount, -1})
        doubleClick(kUpperRow, column);
    doubleClick(-1, kColumnOpen);
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(shown, shownFlags());
    EXPECT_EQ(unfrozen, unfrozenFlags());
    EXPECT_EQ(open, openFlags());
    EXPECT_EQ(0, prompts.colorQuestions + prompts.closeQuestions);
}

TEST_F(Clicks, WithoutADisplayPartNothingHappensAtAll) {
    buildDie();
    click(kShoeRow, kColumnLabel, true);
    UF_PART_close(tagOf("top.prt"), 1, 1);
    const json before = hostState()["session"];
    prompts.color = 0x0000FF;
    for (int column = 0; column <= kColumnAttributeCount; ++column) {
        click(kPunchRow, column, true);
        doubleClick(kPunchRow, column);
    }
    click(-1, kColumnLabel, true);
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(kShoeRow, vm->m_clickedRow);
    EXPECT_EQ(kShoeRow, vm->m_highlightedRow);
    EXPECT_EQ(std::vector<int>(kRows, 1), shownFlags());
    EXPECT_EQ(0, prompts.colorQuestions);
}

TEST_F(Clicks, ARowNumberOutsideTheRowsCountsAsNoRow) {
    buildDie();
    click(kShoeRow, kColumnLabel, true);
    const std::vector<int> open = openFlags();
    vm->OnClickList(3, kRows, kColumnBlank, true);
    vm->OnDblclkList(3, MAX_ROWS, kColumnOpen);
    expectHostLeftClean();
    EXPECT_EQ(-1, vm->m_clickedRow);
    EXPECT_EQ(Lit{false}, lit("shoe.prt"));
    EXPECT_EQ(open, openFlags());
    EXPECT_EQ(std::vector<int>(kRows, 1), shownFlags());
}

// The host closed the shoe behind the View Manager's back: every command on
// its row runs, and the row ends consistent.
TEST_F(Clicks, EveryCommandRunsOnARowWhosePartsTheHostClosed) {
    buildDie();
    UF_PART_close(tagOf("shoe.prt"), 1, 1);
    prompts.color = 0x0000FF;
    prompts.answer = CONFIRM_SAVE_AND_CLOSE;
    for (int column : {kColumnBlank, kColumnIsolate, kColumnColor, kColumnBlank})
        click(kShoeRow, column, true);
    checkHighlight(false);
    checkHighlight(true);
    doubleClick(kShoeRow, kColumnFreeze);
    doubleClick(kShoeRow, kColumnFreeze);
    EXPECT_EQ(1, vm->m_rowUnfrozen[kShoeRow]);
    doubleClick(kShoeRow, kColumnOpen);
    EXPECT_EQ(0, vm->m_rowOpen[kShoeRow]);
    EXPECT_TRUE(vm->m_rowPartNames[kShoeRow].empty());
    EXPECT_EQ(0, list->GetItemNumber(kShoeRow));
    EXPECT_EQ(0, prompts.closeQuestions);
    doubleClick(kShoeRow, kColumnOpen);
    EXPECT_EQ(1, vm->m_rowOpen[kShoeRow]);
    EXPECT_EQ(0, vm->m_rowOccCount[kShoeRow]);
    EXPECT_EQ(0, vm->m_rowPartCount[kShoeRow]);
    EXPECT_EQ(kPictureFolderOpen, list->ItemImage(kShoeRow, kColumnOpen));
    // The commands on the other rows still reach their parts.
    const int punchShown = vm->m_rowShown[kPunchRow] == 0 ? 1 : 0;
    click(kPunchRow, kColumnBlank);
    ASSERT_EQ(punchShown, vm->m_rowShown[kPunchRow]);
    EXPECT_EQ(std::vector<bool>(2, punchShown == 0), occurrenceField<bool>("punch.prt", "blanked"));
}

} // namespace
