#include "commands/row_commands.h"

#include "model/cell_pictures.h"

#include <iterator>

namespace {

// Each command column's letter, and its menu entry for either state of its
// row (the same for Isolate and Color).
struct ColumnCommand {
    int column;
    char letter; // upper case, as the key's code
    const char* entry;
    const char* otherEntry;
};
constexpr ColumnCommand kCommands[] = {
    {kColumnBlank, 'B', "&Blank", "Un&blank"},     {kColumnIsolate, 'I', "&Isolate", "&Isolate"},
    {kColumnColor, 'L', "Co&lor...", "Co&lor..."}, // Ctrl+C copies the rows
    {kColumnFreeze, 'F', "&Freeze", "Un&freeze"},  {kColumnOpen, 'O', "&Close", "&Open"},
};

const ColumnCommand* commandOf(int column) {
    for (const ColumnCommand& command : kCommands) {
        if (command.column == column)
            return &command;
    }
    return nullptr;
}

// A label as a menu entry's text shows it: an ampersand as itself, no tab.
std::string menuText(const std::string& label) {
    std::string text;
    for (char c : label) {
        if (c == '&')
            text += "&&";
        else
            text += c == '\t' ? ' ' : c;
    }
    return text;
}

} // namespace

int ShortcutColumn(char letter, bool ctrl, bool shift, bool alt) {
    if (!ctrl || shift || alt)
        return -1;
    if (letter == 'Z')
        return kUndoEntry;
    if (letter == 'C')
        return kCopyRowsEntry;
    for (const ColumnCommand& command : kCommands) {
        if (command.letter == letter)
            return command.column;
    }
    return -1;
}

std::string ColumnKeys(int column) {
    if (column == kColumnLabel)
        return "Up, Down, Home, End, Page Up, Page Down move; Left and Right close and open, or go "
               "to the parent and the first row beneath; keypad + and - open and close, * opens "
               "everything beneath; the menu key or Shift+F10 shows the row's menu";
    if (column == kUndoEntry)
        return "Ctrl+Z";
    if (column == kCopyRowsEntry)
        return "Ctrl+C";
    const ColumnCommand* command = commandOf(column);
    return command ? std::string("Ctrl+") + command->letter : std::string();
}

std::string CommandName(int column, const Row& row) {
    std::string name;
    for (const RowMenuEntry& entry : RowMenuEntries(row, "")) {
        if (entry.column != column)
            continue;
        for (char c : entry.text.substr(0, entry.text.find('\t'))) {
            if (c != '&' && c != '.')
                name += c;
        }
    }
    return name;
}

bool IsDoubleClickColumn(int column) {
    return column == kColumnFreeze || column == kColumnOpen;
}

std::vector<RowMenuEntry> RowMenuEntries(const Row& row, const std::string& lastCommand) {
    // The state that the first wording stands for, per column.
    const bool state[] = {row.shown, true, true, row.unfrozen, row.open};
    std::vector<RowMenuEntry> entries;
    std::string undo = "&Undo";
    if (!lastCommand.empty())
        undo += " " + menuText(lastCommand);
    entries.push_back({kUndoEntry, undo + "\t" + ColumnKeys(kUndoEntry), !lastCommand.empty()});
    for (size_t i = 0; i < std::size(kCommands); ++i) {
        const ColumnCommand& command = kCommands[i];
        entries.push_back(
            {command.column, std::string(state[i] ? command.entry : command.otherEntry) + "\t" +
                                 ColumnKeys(command.column)});
    }
    entries.push_back({kCopyRowsEntry, "Co&py rows\t" + ColumnKeys(kCopyRowsEntry)});
    return entries;
}
