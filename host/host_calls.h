// The host operations whose arguments are fixed codes, under names that say
// what they do.
#pragma once

#include "host/host_session.h"

// Shows text in the host's message box, modal, with its OK button.
inline void ShowHostMessage(const char* text) {
    uc1601(text, 1);
}

// Whether a plain file exists at path, as the host sees the file system.
inline bool HostFileExists(const char* path) {
    return uc4560(path, 0) == 0;
}
