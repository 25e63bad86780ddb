// The View Manager's life as the commands see it: the close, the prompts
// during which no handler runs, and the repaints.
#include "commands/view_manager_commands.h"

#include "host/host_session_bracket.h"

ViewManagerCommands::ViewManagerCommands(TreeList& list, CommandPrompts& prompts,
                                         ViewManagerWindow& window)
    : RowModel(list), m_prompts(prompts), m_window(window) {}

void ViewManagerCommands::OnCancel() {
    HostSessionBracket bracket;
    // A View Manager that cannot be closed is worse than a highlight left
    // behind: without a session the window closes without the host calls.
    if (!bracket.IsOpen() && !m_promptShown)
        m_highlightedRow = -1;
    CloseViewManager(); // this object may be gone now
}

void ViewManagerCommands::CloseViewManager() {
    if (m_closed)
        return;
    // The command that shows the prompt closes the View Manager when the
    // prompt has returned: closing now would pull the object from under it.
    if (m_promptShown) {
        m_closeRequested = true;
        return;
    }
    m_closed = true;
    if (m_highlightedRow >= 0)
        ApplyHighlight(m_highlightedRow, 0);
    ReleaseRowTables();
    m_window.DestroyViewManager(); // last: this object may be gone now
}

bool ViewManagerCommands::ClosedDuringPrompt(const std::function<void()>& prompt) {
    m_promptShown = true;
    prompt();
    m_promptShown = false;
    if (!m_closeRequested)
        return false;
    CloseViewManager(); // this object may be gone now
    return true;
}

void ViewManagerCommands::SetShownImages(int item, int row, int shown) {
    SetShownPictures(row, shown);
    m_list.RedrawItems(item, item);
}

void ViewManagerCommands::RepaintAll() {
    m_list.RedrawItems(0, m_list.GetItemCount());
}
