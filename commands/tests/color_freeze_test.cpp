// Color and Freeze/Unfreeze: the colour the host stores and the row's swatch
// shows, the sibling colours an _OTHER row puts back, and the frozen and
// delayed status of the parts.
#include "commands_fixture.h"

using namespace commands_test;
using nlohmann::json;
using row_model_test::occurrencesOf;

namespace {

// A red the palette lacks, (200, 10, 10); its nearest palette colour is
// index 145, (204, 0, 0).
constexpr uint32_t kChosenRed = 0x000A0AC8;
constexpr uint32_t kPaletteRed = 0x0000CC;
constexpr uint32_t kShoeColor = 0x0000FF, kPunchColor = 0xFFCC00;

using Colors = std::vector<uint32_t>;

class ColorCommand : public CommandsTest {
  protected:
    Colors swatches() const {
        Colors found;
        for (int r = 0; r < kRows; ++r)
            found.push_back(list->GetItemColor(r));
        return found;
    }
};

// The swatches show the host's colour, not the one chosen; rows without
// parts keep theirs (K: the swatch it had); the display part's row colours
// its root occurrence, which row 0 does not reach.
TEST_F(ColorCommand, ColoursTheRowsSubtreeInTheHostsNearestColour) {
    const uint32_t R = kPaletteRed, K = 1;
    const struct {
        int row;
        Colors swatches;
        const char* colors;
    } cases[] = {{kUpperRow,
                  {K, K, R, R, R, R, K, K},
                  "top:1 upper:145 lower:1 shoe:145 punch:145,145 bolt:145 plate:1"},
                 {kTopRow,
                  {K, R, K, kShoeColor, kPunchColor, K, K, K},
                  "top:145 upper:1 lower:1 shoe:181 punch:30,30 bolt:1 plate:1"},
                 {kDieRow,
                  {K, R, R, R, R, R, K, R},
                  "top:1 upper:145 lower:1 shoe:145 punch:145,145 bolt:145 plate:145"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        make();
        buildDie();
        list->SetItemColor(kDieRow, 0x123456);
        list->SetItemColor(kLowerRow, 0x654321);
        Colors expected = swatches();
        for (int r = 0; r < kRows; ++r)
            expected[r] = c.swatches[r] == K ? expected[r] : c.swatches[r];
        prompts.color = kChosenRed;
        click(c.row, kColumnColor);
        EXPECT_EQ(1, prompts.invalidations);
        prompts.invalidations = 0;
        EXPECT_EQ(expected, swatches());
        EXPECT_EQ(c.colors, occurrences("color"));
    }
}

TEST_F(ColorCommand, ACancelledColourDialogChangesNothing) {
    buildDie();
    const json before = hostState()["session"];
    click(kPunchRow, kColumnColor);
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(kPunchColor, list->GetItemColor(kPunchRow));
    EXPECT_EQ(0, prompts.invalidations);
}

TEST_F(ColorCommand, OnAnOtherRowPutsBackTheSiblingsOwnColours) {
    json session = dieSession();
    session["parts"][1]["components"][2]["color"] = 60; // the second punch
    buildDie(session);
    ASSERT_EQ(kMixedColor, list->GetItemColor(kPunchRow));
    // Someone recoloured the shoe in the host since the rows were read.
    UF_OBJ_set_color(occurrencesOf("shoe.prt").at(0), 50);
    prompts.color = kChosenRed;
    click(kUpperOtherRow, kColumnColor);
    // A mixed row has no colour of its own: its occurrences keep theirs. The
    // parent keeps its colour.
    EXPECT_EQ("top:1 upper:1 lower:1 shoe:181 punch:30,60 bolt:145 plate:1", occurrences("color"));
    EXPECT_EQ(kPaletteRed, list->GetItemColor(kUpperOtherRow));
    EXPECT_EQ(kShoeColor, list->GetItemColor(kShoeRow));
}

class FreezeCommand : public CommandsTest {
  protected:
    // "F" frozen, "D" delayed or "-" neither, of upper, shoe, punch, bolt,
    // plate.
    static std::string statuses() {
        std::string found;
        for (const char* file : {"upper.prt", "shoe.prt", "punch.prt", "bolt.prt", "plate.prt"}) {
            const json p = partState(file);
            found += p["frozen"].get<bool>() ? 'F' : p["delayed"].get<bool>() ? 'D' : '-';
        }
        return found;
    }
};

TEST_F(FreezeCommand, UnfreezingUnfreezesFrozenPartsAndUndelaysDelayedOnes) {
    json session = dieSession();
    session["parts"][1]["frozen"] = true;
    session["parts"][3]["delayed"] = true;
    session["parts"][5]["frozen"] = true;
    session["parts"][6]["frozen"] = true;
    session["parts"][6]["delayed"] = true; // only unfrozen
    buildDie(session);
    ASSERT_EQ((Flags{1, 1, 0, 0, 1, 0, 1, 0}), flags(&Row::unfrozen));
    doubleClick(kUpperRow, kColumnFreeze);
    doubleClick(kPlateRow, kColumnFreeze);
    EXPECT_EQ("----D", statuses());
    EXPECT_EQ(Flags(kRows, 1), flags(&Row::unfrozen));
    EXPECT_EQ(Flags(kRows, kPictureUnfrozen), pictures(kColumnFreeze));

    doubleClick(kUpperRow, kColumnFreeze);
    EXPECT_EQ("FFFFD", statuses());
    EXPECT_EQ((Flags{1, 1, 0, 0, 0, 0, 1, 1}), flags(&Row::unfrozen));
    const int U = kPictureUnfrozen, F = kPictureFrozen;
    EXPECT_EQ((Flags{U, U, F, F, F, F, U, U}), pictures(kColumnFreeze));
}

// A row without parts changes its flag but keeps its padlock; an _OTHER
// row's parts freeze without its siblings'.
TEST_F(FreezeCommand, ARowWithoutPartsKeepsItsPadlockAndAnOtherRowItsSiblings) {
    buildDie();
    doubleClick(kUpperOtherRow, kColumnFreeze);
    EXPECT_EQ("---F-", statuses());
    EXPECT_EQ((Flags{1, 1, 1, 1, 1, 0, 1, 1}), flags(&Row::unfrozen));
    doubleClick(kDieRow, kColumnFreeze);
    EXPECT_FALSE(vm->Model().RowAt(kLowerRow).unfrozen);
    EXPECT_EQ(kPictureUnfrozen, list->GetItemImage(kLowerRow, kColumnFreeze));
    EXPECT_EQ(kPictureFrozen, list->GetItemImage(kDieRow, kColumnFreeze));
    EXPECT_EQ("FFFFF", statuses());
    EXPECT_TRUE(partState("top.prt")["frozen"].get<bool>());
}

} // namespace
