// The filter over the rows: what a text finds, the rows that show with it,
// what a command on a shown row reaches, and how it lives through Refresh,
// Switch and its clearing.
#include "commands_fixture.h"

#include "model/row_filter.h"

using namespace commands_test;

namespace {

using Items = std::vector<int>;

// The die with a description on the lower half.
const std::string kDescribedDie = "<DIE><TOP/><UPPER><TYPE>SHOE</TYPE><TYPE>PUNCH</TYPE>"
                                  "<UPPER_OTHER/></UPPER><LOWER Description=\"Stripper side\">"
                                  "<TYPE>PLATE</TYPE></LOWER></DIE>";

class RowFilter : public CommandsTest {
  protected:
    void buildDescribedDie() {
        row_model_test::loadSession(dieSession());
        build("die", kDescribedDie);
    }
    Items filtered(const std::string& text) {
        vm->Model().SetFilterText(text);
        return list->ShownItems();
    }
};

TEST(RowMatches, FindsTheTextInEachOfTheFourSourcesWhateverItsCase) {
    Row row;
    row.name = "TYPE";
    row.customName = "Stripper plate";
    row.key = "PUNCH";
    row.partNames = {"C:\\dies\\Plant7\\guide_pin.prt"};
    for (const char* text : {"typ", "tYpE", "STRIPPER", "r pl", "punch", "GUIDE_p", ".PRT"})
        EXPECT_TRUE(RowMatches(row, text)) << text;
    // Not the folders of a part, nor text spread over two sources.
    for (const char* text : {"plant7", "dies", "typepunch", "x"})
        EXPECT_FALSE(RowMatches(row, text)) << text;
}

TEST_F(RowFilter, ShowsTheRowsFoundAndTheRowsAboveThemInTreeOrder) {
    buildDescribedDie();
    // The group names of the upper half and its _OTHER row.
    EXPECT_EQ((Items{kDieRow, kUpperRow, kUpperOtherRow}), filtered("Upper"));
    EXPECT_EQ(2, vm->Model().FilterMatches());
    // A key value and a part's file name.
    EXPECT_EQ((Items{kDieRow, kUpperRow, kPunchRow}), filtered("PUN"));
    // The _OTHER row's counted component.
    EXPECT_EQ((Items{kDieRow, kUpperRow, kUpperOtherRow}), filtered("bolt"));
    // A description, found in either tree.
    vm->ToggleTreeMode();
    EXPECT_EQ((Items{kDieRow, kLowerRow}), filtered("stripper"));
    EXPECT_EQ((Items{}), filtered("no such row"));
    EXPECT_EQ(0, vm->Model().FilterMatches());
    EXPECT_EQ(kRows, static_cast<int>(filtered("").size()));
}

// The filter narrows what is seen, not what a command reaches: Blank on the
// upper half blanks the shoe and the punch it hides too.
TEST_F(RowFilter, ACommandOnAShownRowReachesTheRowsItHides) {
    buildDie();
    ASSERT_EQ((Items{kDieRow, kUpperRow, kUpperOtherRow}), filtered("upper_o"));
    vm->Model().SetFilterText("upper");
    click(kUpperRow, kColumnBlank);
    EXPECT_EQ((Flags{1, 1, 0, 0, 0, 0, 1, 1}), flags(&Row::shown));
    EXPECT_EQ("top:0 upper:1 lower:0 shoe:1 punch:1,1 bolt:1 plate:0", occurrences("blanked"));
}

// The designer's folds wait under the filter: clearing it gives them back,
// also after a Refresh and a Switch that kept the filter on rows that moved.
TEST_F(RowFilter, StaysAcrossRefreshAndSwitchAndClearsToTheShapeBefore) {
    buildDescribedDie();
    list->CollapseItem(kLowerRow);
    list->FocusItem(kPunchRow);
    ASSERT_EQ((Items{kDieRow, kUpperRow, kPunchRow}), filtered("punch"));
    ASSERT_EQ(kPunchRow, list->GetFocusedItem());

    // The shoe's row goes, the lower half gains a punch row.
    row_model_test::writeConfig("die", "<DIE><TOP/><UPPER><TYPE>PUNCH</TYPE><UPPER_OTHER/>"
                                       "</UPPER><LOWER Description=\"Stripper side\"><TYPE>"
                                       "PLATE</TYPE><TYPE>PUNCH</TYPE></LOWER></DIE>");
    refresh();
    ASSERT_EQ("punch", vm->Model().FilterText());
    // Upper 2, its punch 3, the lower half 5 and its punch 7.
    EXPECT_EQ((Items{0, 2, 3, 5, 7}), list->ShownItems());
    EXPECT_EQ(3, list->GetFocusedItem());
    EXPECT_EQ(2, vm->Model().FilterMatches());

    vm->ToggleTreeMode();
    refresh();
    EXPECT_EQ((Items{0, 2, 3, 5, 7}), list->ShownItems());
    EXPECT_EQ((Items{0, 5, 6}), filtered("PLATE"));
    // The lower half, opened by the filter, is still folded in the shape.
    refresh();

    vm->Model().SetFilterText("");
    EXPECT_EQ((Items{0, 1, 2, 3, 4, 5}), list->ShownItems());
    EXPECT_EQ(0, vm->Model().FilterMatches());
}

} // namespace
