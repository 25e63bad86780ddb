// The questions the column commands put to the user: the colour for the
// "Color" column, the confirmation before modified parts are closed and the
// entry of a row's menu. The
// Windows side shows the real dialogs; tests script the answers.
#pragma once

#include "commands/row_commands.h"

#include <cstdint>
#include <optional>
#include <vector>

// The answers of the close confirmation.
constexpr int CONFIRM_SAVE_AND_CLOSE = 1; // "&Close and Save "
constexpr int CONFIRM_CLOSE_NO_SAVE = 2;  // "&Close without save"
constexpr int CONFIRM_CANCEL = 3;         // "&Cancel", the close box, Esc or Enter

class CommandPrompts {
  public:
    virtual ~CommandPrompts() = default;
    // The colour the user chose, as 0x00BBGGRR; none when the user cancelled.
    virtual std::optional<uint32_t> AskColor() = 0;
    // Whether to save and close, close without saving or cancel: one of the
    // CONFIRM_ values. Anything else counts as CONFIRM_CANCEL.
    virtual int ConfirmClose() = 0;
    // The column of the entry chosen from a row's menu shown at the screen
    // point (x, y); none when the user left the menu.
    virtual std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>& entries, int x,
                                                int y) = 0;
};
