// The highlight that follows the clicks, the check box, Refresh, Switch and
// the close; clicks that hit no row or a column without a command, a session
// without a display part, and rows whose parts the host closed.
#include "commands_fixture.h"

using namespace commands_test;
using nlohmann::json;
using row_model_test::occurrencesOf;
using row_model_test::tagOf;

namespace {

// A click with the box checked (row, true) or not (row, false), or one of:
constexpr int kCheck = 100, kUncheck = 101, kRefresh = 102, kSwitch = 103, kClose = 104,
              kHostLightsShoe = 105;

struct HighlightCase {
    std::vector<std::pair<int, bool>> steps;
    std::string lit; // the occurrences highlighted after the steps
};

const std::string kNone = "top:0 upper:0 lower:0 shoe:0 punch:0,0 bolt:0 plate:0";
// Row 0: rows 1 to 7 light their parts, the display part's row its root only.
const std::string kAllRows = "top:1 upper:1 lower:0 shoe:1 punch:1,1 bolt:1 plate:1";

const HighlightCase kHighlightCases[] = {
    {{{kShoeRow, true}}, "top:0 upper:0 lower:0 shoe:1 punch:0,0 bolt:0 plate:0"},
    {{{kShoeRow, true}, {kPunchRow, true}},
     "top:0 upper:0 lower:0 shoe:0 punch:1,1 bolt:0 plate:0"},
    {{{kPunchRow, true}, {-1, true}, {kCheck, false}}, kNone},
    {{{kUpperRow, true}}, "top:0 upper:1 lower:0 shoe:1 punch:1,1 bolt:1 plate:0"},
    {{{kUpperRow, true}, {kTopRow, true}}, "top:1 upper:0 lower:0 shoe:0 punch:0,0 bolt:0 plate:0"},
    {{{kDieRow, true}}, kAllRows},
    {{{kDieRow, false}, {kCheck, false}}, kAllRows},
    {{{kDieRow, true}, {kPunchRow, false}}, kNone},
    {{{kDieRow, true}, {kUncheck, false}}, kNone},
    {{{kDieRow, true}, {kRefresh, false}}, kNone},
    {{{kDieRow, true}, {kSwitch, false}}, kNone},
    {{{kDieRow, true}, {kClose, false}}, kNone},
    {{{kShoeRow, false}, {kCheck, false}, {kUncheck, false}, {kPunchRow, false}}, kNone},
    // An _OTHER row takes the highlight from its siblings' parts.
    {{{kHostLightsShoe, false}, {kUpperOtherRow, true}},
     "top:0 upper:0 lower:0 shoe:0 punch:0,0 bolt:1 plate:0"},
    {{{kUpperOtherRow, true}, {kUncheck, false}, {kHostLightsShoe, false}, {kCheck, false}},
     "top:0 upper:0 lower:0 shoe:0 punch:0,0 bolt:1 plate:0"},
};

class Highlight : public CommandsTest, public ::testing::WithParamInterface<HighlightCase> {};

TEST_P(Highlight, FollowsTheClicksAndGoesWhenItShould) {
    buildDie();
    for (const auto& [step, checked] : GetParam().steps) {
        if (step == kCheck || step == kUncheck)
            vm->OnHighlightCheck(step == kCheck);
        else if (step == kRefresh)
            refresh();
        else if (step == kSwitch)
            vm->ToggleTreeMode();
        else if (step == kClose)
            vm->OnCancel();
        else if (step == kHostLightsShoe)
            UF_DISP_set_highlight(occurrencesOf("shoe.prt").at(0), 1);
        else
            click(step, kColumnLabel, checked);
        expectHostLeftClean();
    }
    EXPECT_EQ(GetParam().lit, occurrences("highlighted"));
}

INSTANTIATE_TEST_SUITE_P(Die, Highlight, ::testing::ValuesIn(kHighlightCases));

TEST_F(CommandsTest, ColumnsWithoutACommandAndRowsOutsideTheListDoNothing) {
    buildDie();
    const json before = hostState()["session"];
    for (int column : {kColumnLabel, kColumnFreeze, kColumnOpen, kColumnAttributeCount, 7})
        click(kUpperRow, column);
    for (int column :
         {kColumnLabel, kColumnBlank, kColumnIsolate, kColumnColor, kColumnAttributeCount, -1})
        doubleClick(kUpperRow, column);
    doubleClick(-1, kColumnOpen);
    vm->OnDblclkList(3, MAX_ROWS, kColumnOpen);
    click(kShoeRow, kColumnLabel, true);
    vm->OnClickList(3, kRows, kColumnBlank, true); // no row: the highlight goes
    EXPECT_EQ(before, hostState()["session"]);
    EXPECT_EQ(-1, vm->ClickedRow());
    EXPECT_EQ(Flags(kRows, 1), flags(&Row::shown));
}

TEST_F(CommandsTest, WithoutADisplayPartNothingHappensAtAll) {
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
    EXPECT_EQ(kShoeRow, vm->HighlightedRow());
    EXPECT_EQ(Flags(kRows, 1), flags(&Row::shown));
}

// The host closed the shoe behind the View Manager's back: every command on
// its row runs and the row ends consistent; the other rows still work.
TEST_F(CommandsTest, EveryCommandRunsOnARowWhosePartsTheHostClosed) {
    buildDie();
    UF_PART_close(tagOf("shoe.prt"), 1, 1);
    prompts.color = 0x0000FF;
    for (int column : {kColumnBlank, kColumnIsolate, kColumnColor, kColumnBlank})
        click(kShoeRow, column, true);
    for (int column : {kColumnFreeze, kColumnFreeze, kColumnOpen})
        doubleClick(kShoeRow, column);
    EXPECT_TRUE(vm->Model().RowAt(kShoeRow).unfrozen);
    EXPECT_FALSE(vm->Model().RowAt(kShoeRow).open);
    doubleClick(kShoeRow, kColumnOpen);
    EXPECT_TRUE(vm->Model().RowAt(kShoeRow).open);
    EXPECT_EQ(0, vm->Model().RowAt(kShoeRow).occCount);
    EXPECT_EQ(0, list->GetItemNumber(kShoeRow));
    click(kPunchRow, kColumnBlank); // the Isolate marked it blanked
    EXPECT_TRUE(vm->Model().RowAt(kPunchRow).shown);
    EXPECT_EQ("top:0 upper:1 lower:1 punch:0,0 bolt:0 plate:0", occurrences("blanked"));
}

} // namespace
