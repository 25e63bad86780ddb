// The filter a designer types over the rows: which rows the text finds, and
// which rows show with them.
#pragma once

#include "model/row.h"

#include <string>
#include <string_view>
#include <vector>

class RowModel;

// Whether text occurs (FindIgnoringCase) in the row's group name, its description, its key
// value or the file name (without folders) of one of its parts.
bool RowMatches(const Row& row, std::string_view text);

struct FilteredRows {
    // By row: the rows that match and every row above one of them.
    std::vector<bool> left;
    // The number of rows that match.
    int matches = 0;
};

// The rows text finds; for an empty text, no filter (left empty).
FilteredRows FilterRows(const RowModel& model, std::string_view text);
