// Blank and Isolate: which occurrences the host blanks, which rows are
// marked blanked, and what an _OTHER row does to its parent and siblings.
#include "commands_fixture.h"

using namespace commands_test;

namespace {

using Flags = std::vector<int>;
using Blanked = std::vector<bool>;

class BlankAndIsolate : public CommandsTest {};

TEST_F(BlankAndIsolate, BlankingAGroupBlanksItsSubtreeAndASecondClickRestoresAll) {
    buildDie();
    click(kShoeRow, kColumnBlank); // the shoe alone first
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("shoe.prt", "blanked"));
    ASSERT_EQ(0, vm->m_rowShown[kShoeRow]);

    click(kUpperRow, kColumnBlank);
    EXPECT_EQ(Flags({1, 1, 0, 0, 0, 0, 1, 1}), shownFlags());
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("upper.prt", "blanked"));
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("shoe.prt", "blanked"));
    EXPECT_EQ((Blanked{true, true}), occurrenceField<bool>("punch.prt", "blanked"));
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("bolt.prt", "blanked"));
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("plate.prt", "blanked"));
    EXPECT_EQ(kPictureBlanked, list->ItemImage(kPunchRow, kColumnBlank));
    EXPECT_EQ(kPictureIsolateBlanked, list->ItemImage(kPunchRow, kColumnIsolate));

    // The second click shows everything again, the shoe included.
    click(kUpperRow, kColumnBlank);
    EXPECT_EQ(Flags(kRows, 1), shownFlags());
    for (const char* file : {"upper.prt", "shoe.prt", "punch.prt", "bolt.prt"}) {
        for (bool blanked : occurrenceField<bool>(file, "blanked"))
            EXPECT_FALSE(blanked) << file;
    }
    EXPECT_EQ(kPictureShown, list->ItemImage(kShoeRow, kColumnBlank));
    EXPECT_EQ(kPictureIsolateShown, list->ItemImage(kShoeRow, kColumnIsolate));
}

TEST_F(BlankAndIsolate, BlankingTheDisplayPartsRowBlanksItsRootOccurrence) {
    buildDie();
    click(kTopRow, kColumnBlank);
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("top.prt", "blanked"));
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("upper.prt", "blanked"));
    EXPECT_EQ(Flags({1, 0, 1, 1, 1, 1, 1, 1}), shownFlags());
    // Row 0 has no parts of its own: it carries the value down.
    click(kDieRow, kColumnBlank);
    EXPECT_EQ(Flags(kRows, 0), shownFlags());
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("plate.prt", "blanked"));
}

TEST_F(BlankAndIsolate, BlankingAnOtherRowBlanksTheParentAndGivesTheSiblingsTheirOwnState) {
    json session = dieSession();
    session["parts"][2]["components"].push_back(component("bolt.prt")); // one in the lower half
    buildDie(session);
    click(kPunchRow, kColumnBlank); // a sibling blanked on its own
    click(kUpperOtherRow, kColumnBlank);
    EXPECT_EQ(Flags({1, 1, 1, 1, 0, 0, 1, 1}), shownFlags());
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("upper.prt", "blanked"));
    // The row counts the upper half's bolt only.
    EXPECT_EQ((Blanked{true, false}), occurrenceField<bool>("bolt.prt", "blanked"));
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("shoe.prt", "blanked"));
    EXPECT_EQ((Blanked{true, true}), occurrenceField<bool>("punch.prt", "blanked"));
    EXPECT_EQ(kPictureBlanked, list->ItemImage(kUpperOtherRow, kColumnBlank));
    EXPECT_EQ(kPictureIsolateBlanked, list->ItemImage(kUpperOtherRow, kColumnIsolate));

    click(kUpperOtherRow, kColumnBlank);
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("upper.prt", "blanked"));
    EXPECT_EQ((Blanked{true, true}), occurrenceField<bool>("punch.prt", "blanked"));
    EXPECT_EQ(kPictureShown, list->ItemImage(kUpperOtherRow, kColumnBlank));
}

TEST_F(BlankAndIsolate, UnblankingAnOtherRowShowsItsOwnPartsThatAnAncestorBlanked) {
    buildDie();
    click(kUpperRow, kColumnBlank);
    ASSERT_EQ(Blanked{true}, occurrenceField<bool>("bolt.prt", "blanked"));
    click(kUpperOtherRow, kColumnBlank);
    EXPECT_EQ(1, vm->m_rowShown[kUpperOtherRow]);
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("bolt.prt", "blanked"));
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("upper.prt", "blanked"));
    // The siblings keep the state their rows show.
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("shoe.prt", "blanked"));
}

TEST_F(BlankAndIsolate, IsolatingRowZeroShowsEverythingAndMarksNoRowBlanked) {
    buildDie();
    click(kUpperRow, kColumnBlank);
    click(kPlateRow, kColumnBlank);
    click(kDieRow, kColumnIsolate);
    EXPECT_EQ(Flags(kRows, 1), shownFlags());
    for (const char* file :
         {"upper.prt", "lower.prt", "shoe.prt", "punch.prt", "bolt.prt", "plate.prt"}) {
        for (bool blanked : occurrenceField<bool>(file, "blanked"))
            EXPECT_FALSE(blanked) << file;
    }
    EXPECT_EQ(std::vector<int>(kRows, kPictureShown), pictures(kColumnBlank));
}

TEST_F(BlankAndIsolate, IsolatingADeepRowBlanksTheTopComponentsAndShowsOnlyItsSubtree) {
    buildDie();
    click(kPunchRow, kColumnIsolate);
    // Row 0 keeps the shown pictures; every other row but the punch row is
    // marked blanked.
    EXPECT_EQ(Flags({1, 0, 0, 0, 1, 0, 0, 0}), shownFlags());
    EXPECT_EQ((std::vector<int>{kPictureShown, kPictureBlanked, kPictureBlanked, kPictureBlanked,
                                kPictureShown, kPictureBlanked, kPictureBlanked, kPictureBlanked}),
              pictures(kColumnBlank));
    EXPECT_EQ(kPictureIsolateShown, list->ItemImage(kDieRow, kColumnIsolate));
    EXPECT_EQ(kPictureIsolateBlanked, list->ItemImage(kPlateRow, kColumnIsolate));
    // The host: the two top-level components blanked, the punches shown.
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("upper.prt", "blanked"));
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("lower.prt", "blanked"));
    EXPECT_EQ((Blanked{false, false}), occurrenceField<bool>("punch.prt", "blanked"));
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("top.prt", "blanked"));
}

TEST_F(BlankAndIsolate, IsolatingAnOtherRowShowsTheParentAndBlanksItsSiblings) {
    buildDie();
    click(kUpperRow, kColumnBlank);
    click(kUpperOtherRow, kColumnIsolate);
    EXPECT_EQ(Flags({1, 0, 0, 0, 0, 1, 0, 0}), shownFlags());
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("upper.prt", "blanked"));
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("lower.prt", "blanked"));
    EXPECT_EQ(Blanked{true}, occurrenceField<bool>("shoe.prt", "blanked"));
    EXPECT_EQ((Blanked{true, true}), occurrenceField<bool>("punch.prt", "blanked"));
    // Its own part too, although the Blank of its parent row blanked it.
    EXPECT_EQ(Blanked{false}, occurrenceField<bool>("bolt.prt", "blanked"));
    EXPECT_EQ(kPictureShown, list->ItemImage(kUpperOtherRow, kColumnBlank));
    EXPECT_EQ(kPictureIsolateShown, list->ItemImage(kUpperOtherRow, kColumnIsolate));
}

TEST_F(BlankAndIsolate, IsolateWithoutARootOccurrenceOnlyMarksTheRowShown) {
    buildDie();
    click(kPunchRow, kColumnBlank);
    const json before = hostState()["session"];
    HOSTSIM_fail_operation("UF_ASSEM_ask_root_part_occ", 0, 0);
    click(kPunchRow, kColumnIsolate);
    HOSTSIM_clear_faults();
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(Flags(kRows, 1), shownFlags());
}

} // namespace
