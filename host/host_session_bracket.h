// The fixed way a handler opens and closes its use of the host interface.
#pragma once

#include "host/host_session.h"

// Opens the host session unless one is open already, and terminates it when
// the handler leaves, whichever way it leaves. A handler that runs another
// handler's work nests brackets: each terminates once, the inner one first.
//
//     HostSessionBracket bracket;
//     if (!bracket.IsOpen())
//         return;
class HostSessionBracket {
  public:
    // A handler joins a session that is open; the host's command entry opens
    // one of its own without asking.
    enum class Opening { IfNotOpen, Always };

    explicit HostSessionBracket(Opening opening = Opening::IfNotOpen)
        : open_((opening == Opening::IfNotOpen && UF_is_initialized()) || UF_initialize() == 0) {}
    ~HostSessionBracket() {
        // The result tells the handler nothing it could act on.
        if (open_)
            UF_terminate();
    }
    HostSessionBracket(const HostSessionBracket&) = delete;
    HostSessionBracket& operator=(const HostSessionBracket&) = delete;

    // False when the session could not be opened: the handler must leave at once.
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};
