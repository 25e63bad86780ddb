// The row model's life: construction, the pictures of a row, release.
#include "model/row_model.h"

#include "model/row_cells.h"

RowModel::RowModel(TreeList& list) : m_list(list) {
    // The list starts its swatches with a colour of its own; the model's
    // colours start at 0.
    for (int item = 0; item < MAX_ROWS; ++item)
        m_list.SetItemColor(item, 0);
}

RowModel::~RowModel() = default;

void RowModel::ShowRowState(int r) {
    Row& row = EditRow(r);
    row.padlockOpen = row.unfrozen;
    row.blocksSolid = true;
    ShowRowCells(r);
}

void RowModel::ShowRowCells(int r) {
    const RowCells cells = CellsOf(RowAt(r));
    // A picture is a bitmap the list loads: only those that change.
    for (int column = 0; column < kColumnAttributeCount; ++column) {
        const int picture = cells.pictures[static_cast<size_t>(column)];
        if (picture != 0 && m_list.GetItemImage(r, column) != picture)
            m_list.SetItemImage(r, column, picture);
    }
    m_list.SetItemColor(r, cells.color);
    m_list.SetItemNumber(r, cells.count);
}

void RowModel::ReleaseRowTables() {
    // No row may be read until the next build.
    m_rows.clear();
    m_sessionPartNames.clear();
    m_builtItemCount = 0;
    m_filterMatches = 0;
}
