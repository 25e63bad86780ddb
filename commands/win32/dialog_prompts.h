// The prompts of the column commands as the user sees them on Windows: the
// standard colour dialog and the close confirmation, both modal over the
// View Manager so that it takes no click while they are shown, and a row's
// menu.
#pragma once

#include "commands/command_prompts.h"

class CWnd;

class DialogPrompts : public CommandPrompts {
  public:
    // owner: the View Manager's window object, or null for none.
    explicit DialogPrompts(CWnd* owner) : m_owner(owner) {}

    std::optional<uint32_t> AskColor() override;
    int ConfirmClose() override;
    std::optional<int> ChooseRowCommand(const std::vector<RowMenuEntry>& entries, int x,
                                        int y) override;

  private:
    CWnd* m_owner;
};
