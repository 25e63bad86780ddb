#include "commands/handler_phase.h"

bool HandlerPhase::AskClose() noexcept {
    if (m_phase == Phase::kHandling)
        m_phase = Phase::kCloseRequested;
    return m_phase == Phase::kIdle;
}

void HandlerPhase::TellFailureOnce(HandlerFailure failure) noexcept {
    if (m_failureTold)
        return;
    m_failureTold = true;
    TellHandlerFailure(failure, FailureOutcome::kClosed);
}
