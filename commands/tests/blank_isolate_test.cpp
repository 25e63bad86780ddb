// Blank and Isolate: which occurrences the host blanks, which rows are marked
// blanked, and what an _OTHER row does to its parent and siblings.
#include "commands_fixture.h"

using namespace commands_test;
using nlohmann::json;
using row_model_test::loadSession;

namespace {

struct Click {
    int row;
    int column;
};

struct ShowCase {
    const char* name;
    std::vector<Click> clicks;
    Flags shown;         // of the rows after the clicks
    std::string blanked; // of the occurrences after the clicks
    bool lowerBolt = false;
};

constexpr int B = kColumnBlank, I = kColumnIsolate;

const ShowCase kShowCases[] = {
    {"a group blanks its subtree",
     {{kShoeRow, B}, {kUpperRow, B}},
     {1, 1, 0, 0, 0, 0, 1, 1},
     "top:0 upper:1 lower:0 shoe:1 punch:1,1 bolt:1 plate:0"},
    {"a second click shows it all again",
     {{kShoeRow, B}, {kUpperRow, B}, {kUpperRow, B}},
     Flags(kRows, 1),
     "top:0 upper:0 lower:0 shoe:0 punch:0,0 bolt:0 plate:0"},
    {"the display part's row blanks its root occurrence",
     {{kTopRow, B}},
     {1, 0, 1, 1, 1, 1, 1, 1},
     "top:1 upper:0 lower:0 shoe:0 punch:0,0 bolt:0 plate:0"},
    {"row 0 carries the value down",
     {{kDieRow, B}},
     Flags(kRows, 0),
     "top:1 upper:1 lower:0 shoe:1 punch:1,1 bolt:1 plate:1"},
    // The parent's parts go with an _OTHER row, its own counted bolt only,
    // and the siblings keep the state their rows show.
    {"an _OTHER row blanks its parent",
     {{kPunchRow, B}, {kUpperOtherRow, B}},
     {1, 1, 1, 1, 0, 0, 1, 1},
     "top:0 upper:1 lower:0 shoe:0 punch:1,1 bolt:1,0 plate:0",
     true},
    {"and unblanks it again",
     {{kPunchRow, B}, {kUpperOtherRow, B}, {kUpperOtherRow, B}},
     {1, 1, 1, 1, 0, 1, 1, 1},
     "top:0 upper:0 lower:0 shoe:0 punch:1,1 bolt:0,0 plate:0",
     true},
    {"an _OTHER row shows its parts that an ancestor blanked",
     {{kUpperRow, B}, {kUpperOtherRow, B}},
     {1, 1, 0, 0, 0, 1, 1, 1},
     "top:0 upper:0 lower:0 shoe:1 punch:1,1 bolt:0 plate:0"},
    {"an _OTHER row gives its siblings their own state back",
     {{kPunchRow, I}, {kUpperOtherRow, B}},
     {1, 0, 0, 0, 1, 1, 0, 0},
     "top:0 upper:0 lower:1 shoe:1 punch:0,0 bolt:0 plate:0"},
    {"isolating row 0 shows everything",
     {{kUpperRow, B}, {kPlateRow, B}, {kDieRow, I}},
     Flags(kRows, 1),
     "top:0 upper:0 lower:0 shoe:0 punch:0,0 bolt:0 plate:0"},
    // Row 0 keeps its shown pictures; the top components are blanked.
    {"isolating a deep row shows its subtree only",
     {{kPunchRow, I}},
     {1, 0, 0, 0, 1, 0, 0, 0},
     "top:0 upper:1 lower:1 shoe:0 punch:0,0 bolt:0 plate:0"},
    {"isolating an _OTHER row shows its parent and blanks its siblings",
     {{kUpperRow, B}, {kUpperOtherRow, I}},
     {1, 0, 0, 0, 0, 1, 0, 0},
     "top:0 upper:0 lower:1 shoe:1 punch:1,1 bolt:0 plate:0"},
};

class BlankAndIsolate : public CommandsTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(BlankAndIsolate, HostRowsAndPicturesAgree) {
    SCOPED_TRACE(GetParam().name);
    buildDie(dieSession(GetParam().lowerBolt));
    for (const Click& c : GetParam().clicks)
        click(c.row, c.column);
    EXPECT_EQ(GetParam().shown, flags(&Row::shown));
    EXPECT_EQ(GetParam().blanked, occurrences("blanked"));
    for (int r = 0; r < kRows; ++r) {
        const bool shown = vm->Model().RowAt(r).shown != 0;
        EXPECT_EQ(shown ? kPictureShown : kPictureBlanked, list->GetItemImage(r, B)) << r;
        EXPECT_EQ(shown ? kPictureIsolateShown : kPictureIsolateBlanked, list->GetItemImage(r, I))
            << r;
    }
}

INSTANTIATE_TEST_SUITE_P(Die, BlankAndIsolate, ::testing::ValuesIn(kShowCases));

TEST_F(CommandsTest, IsolateWithoutARootOccurrenceOnlyMarksTheRowShown) {
    buildDie();
    click(kPunchRow, B);
    const json before = hostState()["session"];
    HOSTSIM_fail_operation("UF_ASSEM_ask_root_part_occ", 0, 0);
    click(kPunchRow, I);
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(Flags(kRows, 1), flags(&Row::shown));
}

// A configuration whose root is dropped builds two trees: isolating a row of
// one blanks the parts of the other and marks its rows blanked.
TEST_F(CommandsTest, IsolatingInOneOfTwoTopTreesBlanksTheOther) {
    for (int isolated : {0, 1, 2, 3}) {
        SCOPED_TRACE(isolated);
        make();
        loadSession(dieSession());
        build("two_trees", "<DIE>x<UPPER><TYPE>SHOE</TYPE></UPPER>"
                           "<LOWER><TYPE>PLATE</TYPE></LOWER></DIE>");
        ASSERT_EQ((Flags{-1, 0, -1, 2}), flags(&Row::parent));
        click(isolated, I);
        const Flags shown = isolated < 2 ? Flags{1, 1, 0, 0} : Flags{0, 0, 1, 1};
        EXPECT_EQ(shown, flags(&Row::shown));
        // The other tree's top component, or its part, is blanked.
        const std::string blanked = occurrences("blanked");
        EXPECT_TRUE(blanked.find(isolated < 2 ? "lower:1" : "upper:1") != std::string::npos ||
                    blanked.find(isolated < 2 ? "plate:1" : "shoe:1") != std::string::npos)
            << blanked;
    }
}

// Two rows hold the shoe: a command asks for it and sets its occurrence
// once, and the next command sets it again, as the designer may have
// changed it between the two.
TEST_F(CommandsTest, ACommandSetsAnOccurrenceHeldByTwoRowsOnce) {
    loadSession(dieSession());
    build("shoe_twice", "<DIE><TYPE>SHOE</TYPE><TYPE>SHOE</TYPE></DIE>");
    ASSERT_EQ(3, vm->Model().RowCount());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        HOSTSIM_clear_call_log();
        click(0, B);
        EXPECT_EQ(1, HOSTSIM_call_count("UF_OBJ_set_blank_status"));
        EXPECT_EQ(1, HOSTSIM_call_count("UF_PART_ask_part_tag"));
        EXPECT_NE(std::string::npos, occurrences("blanked").find(round == 0 ? "shoe:1" : "shoe:0"));
    }
    prompts.color = 0x0000FF;
    HOSTSIM_clear_call_log();
    click(0, kColumnColor);
    EXPECT_EQ(1, HOSTSIM_call_count("UF_OBJ_set_color"));
    EXPECT_EQ(Flags(3, 1), flags(&Row::shown));
}

} // namespace
