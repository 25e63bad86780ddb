// The command columns as the keyboard and a row's menu reach them: one
// shortcut per column, the menu's entries for a row in column order, and
// which columns act on a double-click. Portable: the dialog only turns keys
// into letters and shows the entries.
#pragma once

#include "model/row.h"

#include <string>
#include <vector>

// What the row's menu and Ctrl+Z run that is no column's command: taking
// back the last display command; and with Ctrl+C, copying the shown rows.
constexpr int kUndoEntry = 100;
constexpr int kCopyRowsEntry = 101;

// The column whose command a key runs on the focused row, or one of the two
// entries above: Ctrl and the command's letter, nothing else held; -1 for
// any other key. Plain letters belong to the dialog's access keys and the
// list's type-ahead, Return to the default button.
int ShortcutColumn(char letter, bool ctrl, bool shift, bool alt);
// What the column's header tip says of the keyboard: "Ctrl+B" for a command
// column ("Ctrl+Z" and "Ctrl+C" for the two entries), the keys that move and
// open for column 0, empty for the count.
std::string ColumnKeys(int column);
// The command a click or double-click on the column runs on row, as the
// row's menu words it: "Blank", "Unfreeze", "Color", ...
std::string CommandName(int column, const Row& row);

// The columns whose command a double-click runs (a click runs the others').
bool IsDoubleClickColumn(int column);

struct RowMenuEntry {
    int column;       // or kUndoEntry, kCopyRowsEntry
    std::string text; // with its access key (&), a tab and the shortcut
    bool enabled = true;
};
// The entries of row's menu: "Undo" and the last display command (lastCommand,
// its name and its row's label; greyed without one), the commands in column
// order, worded as the row's state says, and "Copy rows".
std::vector<RowMenuEntry> RowMenuEntries(const Row& row, const std::string& lastCommand);
