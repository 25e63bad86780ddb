// The rules a row model keeps between handlers, whatever the host did: the
// tree is well formed, counts agree with what they count and the list shows
// exactly the rows. A test checks them after every step.
#pragma once

#include "commands/view_manager_commands.h"

#include <string>
#include <vector>

// The rules the model breaks, one text each; empty when it keeps them all.
std::vector<std::string> RowModelViolations(const ViewManagerCommands& model);
