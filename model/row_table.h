// The rows as a table a spreadsheet takes: a header line, then one line per
// row, cells separated by tabs and lines ended by CR LF, in the ANSI code
// page the rows are kept in.
#pragma once

#include "model/row_model.h"

#include <string>
#include <vector>

// One line per row of rows: its group path (its ancestors' labels and its
// own, joined by " / "), its label, the command columns' states in the
// words a screen reader hears (the colour as #RRGGBB), its count and the
// file names of its parts, without their folders, joined by ";". The header
// names the list's columns as the tree mode titles them.
std::string RowsAsTable(const RowModel& model, const std::vector<int>& rows);
