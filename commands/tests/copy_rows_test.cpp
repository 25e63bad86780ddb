// Copying rows as a table: one line per row a spreadsheet splits into the
// group path, the label, the states in words, the colour, the count and the
// parts; Ctrl+C and the menu's entry both ask the window for it.
#include "commands_fixture.h"

#include "commands/row_commands.h"
#include "model/row_table.h"

using namespace commands_test;

namespace {

class CopyRows : public CommandsTest {};

TEST_F(CopyRows, GivesAHeaderAndOneLinePerRowInTheWordsTheReaderHears) {
    row_model_test::loadSession(dieSession());
    vm->Model().SetTreeMode(TreeMode::kAttribute);
    build("die", kDieConfig);
    click(kShoeRow, kColumnBlank);
    doubleClick(kPunchRow, kColumnFreeze);
    EXPECT_EQ("Group path\tAttribute Name\tBlank/Unblank\tIsolate\tColor\tFreeze/Unfreeze\t"
              "Open/Close\tAttribute Count\tParts\r\n"
              "DIE / UPPER / TYPE\tTYPE\tblanked\tblanked\t#FF0000\tnot frozen\topen\t1\t"
              "shoe.prt\r\n"
              "DIE / UPPER / TYPE\tTYPE\tshown\tshown\t#00CCFF\tfrozen\topen\t2\tpunch.prt\r\n"
              "DIE\tDIE\tshown\tshown\t#000000\tnot frozen\tclosed\t0\t\r\n",
              RowsAsTable(vm->Model(), {kShoeRow, kPunchRow, kDieRow, kRows}));
}

// A label with a tab or a line break in it stays one cell; parts are named
// without their folders.
TEST_F(CopyRows, KeepsEachRowOnOneLineAndEachCellInItsColumn) {
    nlohmann::json session = dieSession();
    session["parts"][3]["file"] = "C:\\Dies\\shoe.prt";
    session["parts"][1]["components"][0]["part"] = "C:\\Dies\\shoe.prt";
    row_model_test::loadSession(session);
    build("die", "<DIE Description=\"Die&#9;set\"><TYPE Description=\"Upper&#10;shoe\">SHOE"
                 "</TYPE></DIE>");
    const std::string table = RowsAsTable(vm->Model(), {1});
    const std::string line = table.substr(table.find("\r\n") + 2);
    EXPECT_EQ("Die set / Upper shoe\tUpper shoe\t", line.substr(0, line.find("shown")));
    EXPECT_EQ("\tshoe.prt\r\n", line.substr(line.rfind('\t')));
    EXPECT_EQ(8, std::count(line.begin(), line.end(), '\t'));
}

TEST_F(CopyRows, CtrlCAndTheMenuEntryAskTheWindowOnce) {
    buildDie();
    vm->OnCopyRows();
    prompts.menuChoice = kCopyRowsEntry;
    vm->OnRowMenu(kShoeRow, kShoeRow, 0, 0, false);
    EXPECT_EQ(2, prompts.copies);
    EXPECT_EQ(0, vm->Steps().Count()) << "copying is no command to take back";
}

} // namespace
