// The rules a row model keeps between handlers, whatever the host did: the
// per-row tables line up with the rows, the tree is well formed and the list
// shows exactly the rows. A test checks them after every step.
#pragma once

#include "model/row_model.h"

#include <string>
#include <vector>

// The rules the model breaks, one text each; empty when it keeps them all.
std::vector<std::string> RowModelViolations(const RowModel& model);
