// The simulated host's state as the dump shows it, and the changes a
// designer makes to the session between the plug-in's commands.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace devhost {

// {"displayPart", "workPart", "sessionOpen", "parts", "occurrences",
// "records"}; read from the simulator's own report, not through the plug-in.
nlohmann::json DescribeHost();

// change is "modify", "close", "display", "work", "freeze", "unfreeze", or
// "blank", "unblank" or "color" of every occurrence of the part, the colour
// index given as value; part a loaded part's file name or the last component
// of it. False, with the reason in error, when the change cannot be made.
bool ChangeHostSession(const std::string& change, const std::string& part, int value,
                       std::string& error);

} // namespace devhost
