#include "config/handler_failure.h"

#include "config/framework_message.h"

void TellHandlerFailure(HandlerFailure failure, FailureOutcome outcome) noexcept {
    if (failure == HandlerFailure::kNone)
        return;
    const bool outOfMemory = failure == HandlerFailure::kOutOfMemory;
    const char* text =
        outcome == FailureOutcome::kNotStarted
            ? (outOfMemory ? kOutOfMemoryNotStartedMessage : kUnexpectedNotStartedMessage)
            : (outOfMemory ? kOutOfMemoryClosedMessage : kUnexpectedClosedMessage);
    // A box that cannot be shown has nothing left to tell with.
    CatchHandlerFailure([text] { ShowFrameworkMessage(text); });
}
