// The row model's life: construction, the pictures of a row, release.
#include "model/row_model.h"

#include "model/cell_pictures.h"
#include "model/tree_building_scratch.h" // complete type for the destructor

RowModel::RowModel(TreeList& list) : m_list(list) {
    m_rowOpen.fill(1);
    m_rowUnfrozen.fill(1);
    m_rowShown.fill(1);
    m_otherRowIndex.fill(-1);
    m_rowOccCount.fill(0);
    // The list starts its swatches with a colour of its own; the model's
    // colours start at 0.
    for (int item = 0; item < MAX_ROWS; ++item)
        m_list.SetItemColor(item, 0);
}

RowModel::~RowModel() = default;

void RowModel::ShowRowState(int r) {
    if (r < 0 || r >= MAX_ROWS)
        return;
    m_list.SetItemNumber(r, m_rowOccCount[r]);
    const bool shown = m_rowShown[r] == 1;
    m_list.SetItemImage(r, kColumnBlank, shown ? kPictureShown : kPictureBlanked);
    m_list.SetItemImage(r, kColumnIsolate, shown ? kPictureIsolateShown : kPictureIsolateBlanked);
    m_list.SetItemImage(r, kColumnFreeze,
                        m_rowUnfrozen[r] != 0 ? kPictureUnfrozen : kPictureFrozen);
    const bool open = m_rowOpen[r] == 1;
    m_list.SetItemImage(r, kColumnOpen, open ? kPictureFolderOpen : kPictureFolderClosed);
    const bool group = r < static_cast<int>(m_rowHasChildren.size()) && m_rowHasChildren[r] == 1;
    m_list.SetItemImage(r, kColumnLabel,
                        group  ? kPictureGroupOpen
                        : open ? kPicturePartOpen
                               : kPicturePartClosed);
}

void RowModel::ReleaseRowTables() {
    m_rowPartNames.clear();
    m_rowPartCount.clear();
    m_rowOccs.clear();
    m_childPartNames.clear();
    m_childPartOccs.clear();
    m_rowName.clear();
    m_rowCustomName.clear();
    m_rowKey.clear();
    m_rowId.clear();
    m_rowHasChildren.clear();
    m_rowParent.clear();
    m_sessionPartNames.clear();
    m_sessionPartCount = 0;
    // The tables are empty: no row may be read until the next build.
    m_rowCount = 0;
    m_builtItemCount = 0;
}
