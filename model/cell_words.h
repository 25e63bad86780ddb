// What a screen reader hears for a cell of the list: the states that the
// command columns show as pictures, in words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct CellState {
    int column;
    int bitmapId;   // the picture the cell shows, 0 for none
    uint32_t color; // the row's colour, 0x00BBGGRR
    int number;     // the row's attribute count
};

// The words for a command, colour or count cell into text (size bytes,
// always terminated when size > 0): empty for a cell without such a state,
// and for the label column, whose words are its label.
void DescribeCellState(const CellState& cell, char* text, size_t size);

// A colour kept as 0x00BBGGRR the way people read it: "#RRGGBB".
std::string HexColor(uint32_t color);
