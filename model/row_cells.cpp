#include "model/row_cells.h"

namespace {

int labelPicture(const Row& row) {
    if (row.hasChildren)
        return row.blocksSolid ? kPictureGroupOpen : kPictureGroupClosed;
    return row.open ? kPicturePartOpen : kPicturePartClosed;
}

} // namespace

RowCells CellsOf(const Row& row) {
    RowCells cells;
    cells.pictures[kColumnLabel] = labelPicture(row);
    cells.pictures[kColumnBlank] = row.shown ? kPictureShown : kPictureBlanked;
    cells.pictures[kColumnIsolate] = row.shown ? kPictureIsolateShown : kPictureIsolateBlanked;
    cells.pictures[kColumnFreeze] = row.padlockOpen ? kPictureUnfrozen : kPictureFrozen;
    cells.pictures[kColumnOpen] = row.open ? kPictureFolderOpen : kPictureFolderClosed;
    cells.color = row.color;
    cells.count = row.occCount;
    return cells;
}
