// The View Manager's life as the commands see it: the close, the prompts
// during which no handler runs, and the repaints.
#include "commands/view_manager_commands.h"

#include "host/host_session_bracket.h"

ViewManagerCommands::ViewManagerCommands(TreeList& list, CommandPrompts& prompts,
                                         ViewManagerWindow& window)
    : m_list(list), m_model(list), m_prompts(prompts), m_window(window) {}

void ViewManagerCommands::CloseViewManager() noexcept {
    if (m_handlers.AskClose())
        Close(); // this object may be gone now
}

void ViewManagerCommands::AbandonAfterFailure(HandlerFailure failure) noexcept {
    if (m_handlers.IsClosed())
        return;
    m_handlers.TellFailureOnce(failure);
    CloseViewManager(); // this object may be gone now
}

void ViewManagerCommands::Close() noexcept {
    m_handlers.MarkClosed();
    // A highlight that cannot be taken away stays: the window closes all the
    // same, as without a host session.
    CatchHandlerFailure([this] {
        HostSessionBracket bracket;
        if (bracket.IsOpen() && m_highlightedRow >= 0)
            m_propagation.ApplyHighlight(m_highlightedRow, 0);
    });
    // Without memory for it, the shape of the rows before stays, and the
    // designer is told that memory ran out.
    const HandlerFailure shapeFailure = CatchHandlerFailure([this] { KeepShapeOfRows(); });
    if (shapeFailure != HandlerFailure::kNone)
        m_handlers.TellFailureOnce(shapeFailure);
    m_model.ReleaseRowTables();
    m_window.DestroyViewManager(); // last: this object may be gone now
}

bool ViewManagerCommands::ClosedDuringPrompt(const std::function<void()>& prompt) {
    prompt();
    return m_handlers.IsCloseRequested();
}

void ViewManagerCommands::SetShownImages(int position, int row, int shown) {
    m_propagation.SetRowShown(row, shown != 0);
    m_list.RedrawItems(position, position);
}

void ViewManagerCommands::RepaintAll() {
    m_list.RedrawItems(0, m_list.GetItemCount());
}
