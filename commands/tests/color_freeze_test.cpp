// Color and Freeze/Unfreeze: the colour the host stores and the row shows,
// the sibling colours an _OTHER row puts back, and the frozen and delayed
// status of the parts.
#include "commands_fixture.h"

using namespace commands_test;

namespace {

using Colors = std::vector<int>;

// A red that the palette lacks (200, 10, 10); its nearest palette colour is
// index 145, (204, 0, 0).
constexpr uint32_t kChosenRed = 0x000A0AC8;
constexpr int kPaletteRed = 145;
constexpr uint32_t kPaletteRedPacked = 0x0000CC;
// Palette index 181 is (255, 0, 0); 30 is (0, 204, 255).
constexpr uint32_t kShoeColorPacked = 0x0000FF;
constexpr uint32_t kPunchColorPacked = 0xFFCC00;

class ColorCommand : public CommandsTest {};

TEST_F(ColorCommand, StoresTheHostsNearestColourForTheRowAndItsSubtree) {
    buildDie();
    ASSERT_EQ(kShoeColorPacked, list->GetItemColor(kShoeRow));
    prompts.color = kChosenRed;
    click(kUpperRow, kColumnColor);
    EXPECT_EQ(1, prompts.colorQuestions);
    EXPECT_EQ(1, window.invalidations);
    for (const char* file : {"upper.prt", "shoe.prt", "punch.prt", "bolt.prt"}) {
        for (int color : occurrenceField<int>(file, "color"))
            EXPECT_EQ(kPaletteRed, color) << file;
    }
    EXPECT_NE(Colors{kPaletteRed}, occurrenceField<int>("plate.prt", "color"));
    for (int r : {kUpperRow, kShoeRow, kPunchRow, kUpperOtherRow})
        EXPECT_EQ(kPaletteRedPacked, list->GetItemColor(r)) << r;
}

TEST_F(ColorCommand, OnTheDisplayPartsRowColoursTheRootOccurrence) {
    buildDie();
    prompts.color = kChosenRed;
    click(kTopRow, kColumnColor);
    EXPECT_EQ(Colors{kPaletteRed}, occurrenceField<int>("top.prt", "color"));
    EXPECT_EQ(kPaletteRedPacked, list->GetItemColor(kTopRow));
    EXPECT_NE(Colors{kPaletteRed}, occurrenceField<int>("upper.prt", "color"));
}

TEST_F(ColorCommand, RowsWithoutPartsKeepTheirColour) {
    buildDie();
    list->SetItemColor(kDieRow, 0x123456);
    list->SetItemColor(kLowerRow, 0x654321);
    prompts.color = kChosenRed;
    click(kDieRow, kColumnColor);
    EXPECT_EQ(Colors{kPaletteRed}, occurrenceField<int>("plate.prt", "color"));
    EXPECT_EQ(kPaletteRedPacked, list->GetItemColor(kPlateRow));
    EXPECT_EQ(0x123456u, list->GetItemColor(kDieRow));
    EXPECT_EQ(0x654321u, list->GetItemColor(kLowerRow));
    // The display part has no occurrence of itself to colour on the way.
    EXPECT_NE(Colors{kPaletteRed}, occurrenceField<int>("top.prt", "color"));
}

TEST_F(ColorCommand, ACancelledColourDialogChangesNothing) {
    buildDie();
    const json before = hostState()["session"];
    const uint32_t rowColor = list->GetItemColor(kPunchRow);
    click(kPunchRow, kColumnColor);
    EXPECT_EQ(1, prompts.colorQuestions);
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(rowColor, list->GetItemColor(kPunchRow));
    EXPECT_EQ(0, window.invalidations);
}

TEST_F(ColorCommand, OnAnOtherRowPutsBackTheSiblingsOwnColours) {
    json session = dieSession();
    session["parts"][1]["components"][2]["color"] = 60; // the second punch
    buildDie(session);
    ASSERT_EQ(kMixedColor, list->GetItemColor(kPunchRow));
    // Someone recoloured the shoe in the host since the rows were read.
    const std::vector<tag_t> shoe = occurrencesOf("shoe.prt");
    ASSERT_EQ(1u, shoe.size());
    UF_OBJ_set_color(shoe[0], 50);
    prompts.color = kChosenRed;
    click(kUpperOtherRow, kColumnColor);
    EXPECT_EQ(Colors{kPaletteRed}, occurrenceField<int>("bolt.prt", "color"));
    EXPECT_EQ(Colors{181}, occurrenceField<int>("shoe.prt", "color"));
    // A mixed row has no colour of its own: its occurrences keep theirs.
    EXPECT_EQ((Colors{30, 60}), occurrenceField<int>("punch.prt", "color"));
    EXPECT_EQ(kMixedColor, list->GetItemColor(kPunchRow));
    EXPECT_EQ(kPaletteRedPacked, list->GetItemColor(kUpperOtherRow));
    EXPECT_EQ(kShoeColorPacked, list->GetItemColor(kShoeRow));
    // The parent keeps its colour.
    EXPECT_NE(Colors{kPaletteRed}, occurrenceField<int>("upper.prt", "color"));
}

TEST_F(ColorCommand, AReopenedRowShowsItsColourOrTheMixedColour) {
    json session = dieSession();
    session["parts"][1]["components"][2]["color"] = 60; // the second punch
    buildDie(session);
    doubleClick(kPunchRow, kColumnOpen);
    ASSERT_EQ(0, UF_PART_is_loaded("punch.prt"));
    doubleClick(kPunchRow, kColumnOpen);
    ASSERT_EQ(1, UF_PART_is_loaded("punch.prt"));
    EXPECT_EQ(kMixedColor, list->GetItemColor(kPunchRow));

    doubleClick(kShoeRow, kColumnOpen);
    ASSERT_EQ(0u, list->GetItemColor(kShoeRow));
    doubleClick(kShoeRow, kColumnOpen);
    EXPECT_EQ(kShoeColorPacked, list->GetItemColor(kShoeRow));
}

class FreezeCommand : public CommandsTest {
  protected:
    // upper frozen, shoe delayed, punch neither, bolt frozen.
    void buildFrozenDie() {
        json session = dieSession();
        session["parts"][1]["frozen"] = true;
        session["parts"][3]["delayed"] = true;
        session["parts"][5]["frozen"] = true;
        buildDie(session);
    }
    // "frozen", "delayed" or "neither".
    static std::string statusOf(const std::string& file) {
        const json p = partState(file);
        return p["frozen"].get<bool>()    ? "frozen"
               : p["delayed"].get<bool>() ? "delayed"
                                          : "neither";
    }
    static std::vector<std::string> statuses() {
        return {statusOf("upper.prt"), statusOf("shoe.prt"), statusOf("punch.prt"),
                statusOf("bolt.prt"), statusOf("plate.prt")};
    }
};

using Statuses = std::vector<std::string>;
using Flags = std::vector<int>;

TEST_F(FreezeCommand, UnfreezingUnfreezesFrozenPartsAndUndelaysDelayedOnes) {
    buildFrozenDie();
    ASSERT_EQ(Flags({1, 1, 0, 0, 1, 0, 1, 1}), unfrozenFlags());
    doubleClick(kUpperRow, kColumnFreeze);
    EXPECT_EQ((Statuses{"neither", "neither", "neither", "neither", "neither"}), statuses());
    EXPECT_EQ(Flags(kRows, 1), unfrozenFlags());
    EXPECT_EQ(std::vector<int>(kRows, kPictureUnfrozen), pictures(kColumnFreeze));

    doubleClick(kUpperRow, kColumnFreeze);
    EXPECT_EQ((Statuses{"frozen", "frozen", "frozen", "frozen", "neither"}), statuses());
    EXPECT_EQ(Flags({1, 1, 0, 0, 0, 0, 1, 1}), unfrozenFlags());
    EXPECT_EQ(
        (std::vector<int>{kPictureUnfrozen, kPictureUnfrozen, kPictureFrozen, kPictureFrozen,
                          kPictureFrozen, kPictureFrozen, kPictureUnfrozen, kPictureUnfrozen}),
        pictures(kColumnFreeze));
}

TEST_F(FreezeCommand, AFrozenAndDelayedPartIsOnlyUnfrozen) {
    json session = dieSession();
    session["parts"][3]["frozen"] = true;
    session["parts"][3]["delayed"] = true;
    buildDie(session);
    doubleClick(kShoeRow, kColumnFreeze);
    EXPECT_EQ("delayed", statusOf("shoe.prt"));
    EXPECT_EQ(1, vm->m_rowUnfrozen[kShoeRow]);
}

TEST_F(FreezeCommand, ARowWithoutPartsChangesItsFlagButKeepsItsPadlock) {
    buildDie();
    doubleClick(kDieRow, kColumnFreeze);
    EXPECT_EQ(0, vm->m_rowUnfrozen[kLowerRow]);
    EXPECT_EQ(kPictureUnfrozen, list->ItemImage(kLowerRow, kColumnFreeze));
    EXPECT_EQ(kPictureFrozen, list->ItemImage(kDieRow, kColumnFreeze));
    EXPECT_EQ("frozen", statusOf("plate.prt"));
    EXPECT_TRUE(partState("top.prt")["frozen"].get<bool>());
}

TEST_F(FreezeCommand, FreezingAnOtherRowLeavesItsSiblingsParts) {
    buildDie();
    doubleClick(kUpperOtherRow, kColumnFreeze);
    EXPECT_EQ((Statuses{"neither", "neither", "neither", "frozen", "neither"}), statuses());
    EXPECT_EQ(Flags({1, 1, 1, 1, 1, 0, 1, 1}), unfrozenFlags());
}

} // namespace
