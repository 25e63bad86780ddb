// What a user and the host can see after a piece of work: the rows, the
// list's cells and the host's whole state, as text, so that two
// implementations run on the same session can be compared line by line.
#pragma once

#include "model/memory_tree_list.h"
#include "model/row.h"

#include <string>
#include <vector>

// One line per row and list item, then the host's state (without its count
// of calls, which is what is being compared).
std::vector<std::string> ObservedState(const std::vector<Row>& rows, const MemoryTreeList& list);

// The first line where the two differ, with its number; empty when they are
// the same.
std::string FirstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual);
