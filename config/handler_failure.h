// What a handler does when it cannot finish: every entry from the host or
// the window system runs its work through CatchHandlerFailure, so that no
// exception reaches the host's process, and the user is told once.
#pragma once

#include <new>

enum class HandlerFailure {
    kNone,
    kOutOfMemory,
    kUnexpected, // any other exception
};

// What the failed work leaves behind: the command did not start the View
// Manager, or the View Manager has closed.
enum class FailureOutcome { kNotStarted, kClosed };

constexpr char kOutOfMemoryNotStartedMessage[] =
    "The View Manager ran out of memory and could not start.";
constexpr char kUnexpectedNotStartedMessage[] =
    "The View Manager met an unexpected error and could not start.";
constexpr char kOutOfMemoryClosedMessage[] =
    "The View Manager ran out of memory and has closed. The parts are as the host shows them.";
constexpr char kUnexpectedClosedMessage[] =
    "The View Manager met an unexpected error and has closed. The parts are as the host shows "
    "them.";

// Runs work and answers what stopped it; nothing is thrown.
template <typename Work> HandlerFailure CatchHandlerFailure(Work&& work) noexcept {
    try {
        work();
        return HandlerFailure::kNone;
    } catch (const std::bad_alloc&) {
        return HandlerFailure::kOutOfMemory;
    } catch (...) {
        return HandlerFailure::kUnexpected;
    }
}

// The framework message for failure and outcome; nothing for kNone.
void TellHandlerFailure(HandlerFailure failure, FailureOutcome outcome) noexcept;
