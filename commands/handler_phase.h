// The barrier around the View Manager's handlers: one runs at a time. A
// message box or a prompt inside a handler lets other messages in; a
// handler arriving then is dropped, and a close asked for then waits until
// the running handler has returned. A failure is told to the designer once.
#pragma once

#include "config/handler_failure.h"

class HandlerPhase {
  public:
    // Runs handler unless another runs or the close was done. True when the
    // close must follow now: it was asked for meanwhile, or the handler
    // failed (and the designer was told).
    template <typename Handler> bool Run(Handler&& handler) noexcept;
    // A close was asked for: true when it may be done now; while a handler
    // runs it waits for it.
    bool AskClose() noexcept;
    // True while a handler runs whose close was asked for meanwhile.
    bool IsCloseRequested() const { return m_phase == Phase::kCloseRequested; }
    void MarkClosed() { m_phase = Phase::kClosed; }
    bool IsClosed() const { return m_phase == Phase::kClosed; }
    // Tells the designer of failure unless a failure was told before.
    void TellFailureOnce(HandlerFailure failure) noexcept;

  private:
    enum class Phase {
        kIdle,
        kHandling,       // a handler runs
        kCloseRequested, // a handler runs, and the close follows it
        kClosed,
    };
    Phase m_phase = Phase::kIdle;
    bool m_failureTold = false;
};

template <typename Handler> bool HandlerPhase::Run(Handler&& handler) noexcept {
    if (m_phase != Phase::kIdle)
        return false;
    m_phase = Phase::kHandling;
    const HandlerFailure failure = CatchHandlerFailure(handler);
    if (failure == HandlerFailure::kNone && m_phase == Phase::kHandling) {
        m_phase = Phase::kIdle;
        return false;
    }
    if (failure != HandlerFailure::kNone)
        TellFailureOnce(failure);
    return true;
}
