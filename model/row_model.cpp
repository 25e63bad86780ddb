// The row model's life: construction, the pictures of a row, release.
#include "model/row_model.h"

#include "model/cell_pictures.h"

RowModel::RowModel(TreeList& list) : m_list(list) {
    // The list starts its swatches with a colour of its own; the model's
    // colours start at 0.
    for (int item = 0; item < MAX_ROWS; ++item)
        m_list.SetItemColor(item, 0);
}

RowModel::~RowModel() = default;

void RowModel::ShowRowState(int r) {
    const Row& row = RowAt(r);
    m_list.SetItemNumber(r, row.occCount);
    m_list.SetItemImage(r, kColumnBlank, row.shown ? kPictureShown : kPictureBlanked);
    m_list.SetItemImage(r, kColumnIsolate,
                        row.shown ? kPictureIsolateShown : kPictureIsolateBlanked);
    m_list.SetItemImage(r, kColumnFreeze, row.unfrozen ? kPictureUnfrozen : kPictureFrozen);
    m_list.SetItemImage(r, kColumnOpen, row.open ? kPictureFolderOpen : kPictureFolderClosed);
    m_list.SetItemImage(r, kColumnLabel,
                        row.hasChildren ? kPictureGroupOpen
                        : row.open      ? kPicturePartOpen
                                        : kPicturePartClosed);
}

void RowModel::ReleaseRowTables() {
    // No row may be read until the next build.
    m_rows.clear();
    m_sessionPartNames.clear();
    m_builtItemCount = 0;
    m_filterMatches = 0;
}
