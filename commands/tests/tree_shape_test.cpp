// The tree keeps the shape the designer gave it (rows collapsed, the focused
// row, the row at the top of the page) through Refresh, Switch, a changed
// configuration and a new start, by the rows' places in the configuration.
#include "commands_fixture.h"

#include <set>

using namespace commands_test;

namespace {

class TreeShapeKept : public CommandsTest {
  protected:
    // The lower half folded, the focus on the shoe, the upper half at the
    // top of the page.
    void shapeTheDie() {
        list->CollapseItem(kLowerRow);
        list->FocusItem(kShoeRow);
        list->ScrollItemToTop(kUpperRow);
    }
    void expectTheDiesShape() {
        EXPECT_EQ((std::vector<int>{kDieRow, kTopRow, kUpperRow, kShoeRow, kPunchRow,
                                    kUpperOtherRow, kLowerRow}),
                  list->ShownItems());
        EXPECT_EQ(kShoeRow, list->GetFocusedItem());
        EXPECT_EQ(kUpperRow, list->GetTopItem());
    }
};

TEST_F(TreeShapeKept, ThroughRefreshSwitchAndANewStart) {
    buildDie();
    shapeTheDie();
    refresh();
    expectTheDiesShape();
    vm->ToggleTreeMode();
    refresh();
    expectTheDiesShape();

    TreeShape kept;
    prompts.onDestroy = [&] {
        kept = vm->TakeShape();
        vm.reset();
    };
    vm->OnCancel();
    make();
    vm->KeepShape(std::move(kept));
    build("die", kDieConfig);
    expectTheDiesShape();
}

// Rows are known by their groups, not their numbers: a row put before the
// halves moves them down and the lower one stays folded, the new row shows
// as built, and the shoe's row, gone, loses the focus.
TEST_F(TreeShapeKept, ByTheRowsPlacesInAChangedConfiguration) {
    buildDie();
    shapeTheDie();
    row_model_test::writeConfig("die", "<DIE><TOP/><TYPE>PLATE</TYPE><UPPER><TYPE>PUNCH</TYPE>"
                                       "<UPPER_OTHER/><UPPER_OTHER/></UPPER><LOWER><TYPE>PLATE"
                                       "</TYPE></LOWER></DIE>");
    refresh();
    ASSERT_EQ("UPPER", vm->Model().RowAt(3).name);
    ASSERT_EQ("LOWER", vm->Model().RowAt(7).name);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}), list->ShownItems());
    EXPECT_EQ(-1, list->GetFocusedItem());
    EXPECT_EQ(3, list->GetTopItem());
    // Alike rows under one parent are told apart by their order.
    const std::vector<uint64_t> places = RowPlaces(vm->Model());
    EXPECT_NE(places[5], places[6]);
    EXPECT_EQ(std::set<uint64_t>(places.begin(), places.end()).size(), places.size());
}

// A file that no longer reads empties the list and leaves the rows: the
// next good file still gets the shape from before.
TEST_F(TreeShapeKept, ThroughAFileThatDoesNotRead) {
    buildDie();
    shapeTheDie();
    row_model_test::writeConfig("die", "<DIE><TOP></DIE>");
    refresh();
    ASSERT_EQ(0, list->GetItemCount());
    row_model_test::writeConfig("die", kDieConfig);
    refresh();
    expectTheDiesShape();
}

} // namespace
