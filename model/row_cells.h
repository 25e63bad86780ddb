// What a row shows in its cells: the one mapping from a row's state to the
// pictures, colour and count that the list draws, the screen reader speaks
// and a copy of the rows writes.
#pragma once

#include "model/cell_pictures.h"
#include "model/row.h"

#include <array>
#include <cstdint>

struct RowCells {
    // The bitmap resource of each column's picture; 0 for the colour column.
    std::array<int, kColumnAttributeCount> pictures{};
    uint32_t color = 0; // 0x00BBGGRR
    int count = 0;
};

RowCells CellsOf(const Row& row);
