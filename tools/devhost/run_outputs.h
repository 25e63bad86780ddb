// What a run leaves for its reader: the JSON dump, the snapshot and the
// printed tree of the View Manager.
#pragma once

#include "tools/devhost/dialog_watch.h"

#include <ostream>
#include <string>

namespace devhost {

// {"viewManager", "host", "messages", "unloadMode"}; false when the file
// cannot be written.
bool WriteDump(const std::string& path, const DialogWatch& watch, int unloadMode);

// The View Manager's window as a PNG; false when there is none or the file
// cannot be written.
bool WriteViewManagerSnapshot(const std::string& path);

// The View Manager's shown rows as an indented tree with each row's states
// and count.
void PrintViewManagerTree(std::ostream& out);

} // namespace devhost
