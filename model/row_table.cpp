#include "model/row_table.h"

#include "model/cell_pictures.h"
#include "model/cell_words.h"
#include "model/column_titles.h"
#include "model/part_name.h"
#include "model/row_cells.h"

#include <algorithm>

namespace {

// A text as one cell: a tab or a line break in it would start another.
std::string cell(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string groupPath(const RowModel& model, int row) {
    std::vector<int> upwards;
    for (int r = row; r >= 0; r = model.RowAt(r).parent)
        upwards.push_back(r);
    std::string path;
    for (auto r = upwards.rbegin(); r != upwards.rend(); ++r) {
        if (!path.empty())
            path += " / ";
        path += model.RowLabel(*r);
    }
    return path;
}

std::string cellWords(const RowCells& cells, int column) {
    if (column == kColumnColor)
        return HexColor(cells.color);
    char words[64] = "";
    DescribeCellState(
        {column, column < kColumnAttributeCount ? cells.pictures[static_cast<size_t>(column)] : 0,
         cells.color, cells.count},
        words, sizeof words);
    return words;
}

} // namespace

std::string RowsAsTable(const RowModel& model, const std::vector<int>& rows) {
    std::string table = std::string("Group path\t") + LabelColumnTitle(model.GetTreeMode());
    for (const char* title : kCommandColumnTitles)
        table += std::string("\t") + title;
    table += "\tParts\r\n";
    for (int row : rows) {
        if (row < 0 || row >= model.RowCount())
            continue;
        table += cell(groupPath(model, row)) + "\t" + cell(model.RowLabel(row));
        const RowCells cells = CellsOf(model.RowAt(row));
        for (int column = kColumnBlank; column <= kColumnAttributeCount; ++column)
            table += "\t" + cellWords(cells, column);
        std::string parts;
        for (const std::string& name : model.RowAt(row).partNames)
            parts += (parts.empty() ? "" : ";") + FileNameOf(name);
        table += "\t" + cell(parts) + "\r\n";
    }
    return table;
}
