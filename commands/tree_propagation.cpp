#include "commands/tree_propagation.h"

#include "commands/color_components.h"
#include "commands/part_occurrences.h"
#include "model/cell_pictures.h"
#include "model/host_color.h"
#include "model/tree_walk.h"

#include <algorithm>

std::vector<int> TreePropagation::ChildRows(int row) {
    std::vector<int> children;
    for (int child = m_list.GetFirstChildItem(row); child != -1;
         child = m_list.GetNextChildItem()) {
        if (m_model.IsRow(child))
            children.push_back(child);
    }
    return children;
}

void TreePropagation::WalkRows(int row, const std::function<bool(int)>& visit) {
    if (!m_model.IsRow(row))
        return;
    WalkDepthFirst(row, visit, [this](int r) { return ChildRows(r); });
}

std::vector<int> TreePropagation::SiblingRange(int otherRow) const {
    std::vector<int> range;
    if (!m_model.IsRow(otherRow) || !m_model.IsOtherRow(otherRow))
        return range;
    for (int s = std::max(m_model.RowAt(otherRow).parent + 1, 0); s < otherRow; ++s)
        range.push_back(s);
    return range;
}

std::vector<int> TreePropagation::TopRows() const {
    std::vector<int> tops;
    for (int r = 0; r < m_model.RowCount(); ++r) {
        if (m_model.RowAt(r).parent < 0)
            tops.push_back(r);
    }
    return tops;
}

int TreePropagation::TopRowOf(int row) const {
    while (m_model.IsRow(m_model.RowAt(row).parent))
        row = m_model.RowAt(row).parent;
    return row;
}

bool TreePropagation::StartsWithDisplayPart(int row, tag_t displayPart) {
    return m_model.HasParts(row) && displayPart != NULL_TAG &&
           m_commandCache.PartTags({m_model.RowAt(row).partNames.front()}).front() == displayPart;
}

template <typename Visit> void TreePropagation::ForEachOccurrenceOfParts(int row, Visit visit) {
    for (tag_t part : m_commandCache.PartTags(m_model.RowAt(row).partNames)) {
        for (tag_t occurrence : m_commandCache.Occurrences(part))
            visit(occurrence);
    }
}

void TreePropagation::SetRowShown(int row, bool shown) {
    m_model.EditRow(row).shown = shown;
    m_model.ShowRowCells(row);
}

void TreePropagation::SetRowColor(int row, uint32_t color) {
    m_model.EditRow(row).color = color;
    m_model.ShowRowCells(row);
}

void TreePropagation::SetPadlock(int row, bool open) {
    m_model.EditRow(row).padlockOpen = open;
    m_model.ShowRowCells(row);
}

void TreePropagation::SetRowBlankStatus(int row, int s) {
    if (!m_model.HasParts(row))
        return;
    const tag_t display = m_commandCache.DisplayPart();
    for (tag_t part : m_commandCache.PartTags(m_model.RowAt(row).partNames)) {
        // The display part has no occurrence of itself: its root stands for it.
        if (part != NULL_TAG && part == display) {
            m_commandCache.SetBlankStatus(UF_ASSEM_ask_root_part_occ(part), s);
            continue;
        }
        for (tag_t occurrence : m_commandCache.Occurrences(part))
            m_commandCache.SetBlankStatus(occurrence, s);
    }
}

void TreePropagation::ApplyOpenState(int row, int open) {
    // A part found closed stays closed while the walk goes on: the rows
    // that share it do not ask again.
    std::unordered_set<std::string> closedParts;
    WalkRows(row, [&](int r) {
        ApplyOpenStateToRow(r, open, closedParts);
        return true;
    });
}

void TreePropagation::ApplyOpenStateToRow(int row, int open,
                                          std::unordered_set<std::string>& closedParts) {
    if (m_model.RowAt(row).open != (open != 0)) {
        m_model.EditRow(row).open = open != 0;
        if (open == 1) {
            m_model.OpenRowParts(row);
            if (!m_model.IsOtherRow(row))
                m_model.RebuildRowParts(row);
        } else {
            m_model.CloseRowParts(row, closedParts);
        }
    }
}

void TreePropagation::ApplyShownState(int row, int shown) {
    WalkRows(row, [&](int r) {
        ApplyShownStateToRow(r, shown);
        return true;
    });
}

void TreePropagation::ApplyShownStateToRow(int row, int shown) {
    SetRowBlankStatus(row, BlankStatusFor(shown));
    SetRowShown(row, shown != 0);
}

void TreePropagation::MarkBlankedExcept(int row, int keptRow) {
    WalkRows(row, [&](int r) {
        if (r == keptRow)
            return false;
        SetRowShown(r, false);
        return true;
    });
}

void TreePropagation::ShowSubtree(int row) {
    WalkRows(row, [&](int r) {
        ShowRow(r);
        return true;
    });
}

void TreePropagation::ShowRow(int row) {
    // The display part has no occurrence of itself: its root stays as it is.
    SetOccurrencesBlankStatus(row, HOST_UNBLANKED);
    SetRowShown(row, true);
}

void TreePropagation::ApplyColor(int row, uint32_t packedColor, int colorIndex) {
    WalkRows(row, [&](int r) {
        ApplyColorToRow(r, packedColor, colorIndex);
        return true;
    });
}

void TreePropagation::ApplyColorToRow(int row, uint32_t packedColor, int colorIndex) {
    ForEachOccurrenceOfParts(
        row, [&](tag_t occurrence) { m_commandCache.SetColor(occurrence, colorIndex); });
    // A row without parts keeps the colour it shows.
    if (m_model.HasParts(row))
        SetRowColor(row, packedColor);
}

void TreePropagation::ApplyFrozenState(int row, int /*column*/, int unfrozen) {
    WalkRows(row, [&](int r) {
        ApplyFrozenStateToRow(r, unfrozen != 0);
        return true;
    });
}

void TreePropagation::ApplyFrozenStateToRow(int row, bool unfrozen) {
    m_model.EditRow(row).unfrozen = unfrozen;
    // A row without parts keeps its padlock.
    if (m_model.HasParts(row)) {
        SetPadlock(row, unfrozen);
        for (tag_t part : m_commandCache.PartTags(m_model.RowAt(row).partNames)) {
            if (part == NULL_TAG)
                continue;
            if (!unfrozen) {
                m_commandCache.FreezePart(part);
                continue;
            }
            // Asked on every visit: unfreezing may leave the part delayed,
            // which the next row holding it undelays.
            const int status = DUC_ask_part_status(part);
            if (status & HOST_PART_STATUS_FROZEN) {
                m_commandCache.NoteUnfrozen(part);
                DUC_unfreeze_part(part);
            } else if (status & HOST_PART_STATUS_DELAYED) {
                DUC_undelay_part(part);
            }
        }
    }
}

void TreePropagation::ApplyHighlight(int row, int on) {
    // Also when closing or rebuilding, outside a command: an occurrence that
    // several rows hold is set once.
    const CommandCache::Scope scope(m_commandCache);
    WalkRows(row, [&](int r) {
        ApplyHighlightToRow(r, on);
        return true;
    });
}

void TreePropagation::ApplyHighlightToRow(int row, int on) {
    if (m_model.HasParts(row)) {
        const tag_t display = m_commandCache.DisplayPart();
        // A row that starts with the display part stands for the whole
        // assembly: its root occurrence alone is highlighted.
        if (StartsWithDisplayPart(row, display)) {
            m_commandCache.SetHighlight(UF_ASSEM_ask_root_part_occ(display), on);
        } else {
            ForEachOccurrenceOfParts(
                row, [&](tag_t occurrence) { m_commandCache.SetHighlight(occurrence, on); });
        }
    }
}

void TreePropagation::RefreshRowState(int row) {
    WalkRows(row, [&](int r) {
        RefreshOneRowState(r);
        return true;
    });
}

void TreePropagation::RefreshOneRowState(int row) {
    // The state comes from the occurrences the row counts. With none that
    // tells, a single occurrence's part is taken as unloaded; with more,
    // colour and flags stay as they were.
    if (m_model.RowAt(row).occCount <= 0 || !m_model.HasParts(row)) {
        m_model.EditRow(row).color = 0;
    } else if (!m_model.ReadPartDisplayState(row) && m_model.RowAt(row).occCount == 1) {
        m_model.EditRow(row).color = 0;
        m_model.EditRow(row).unfrozen = true;
    }
    // Count and every picture agree with the state just read.
    m_model.ShowRowState(row);
}

void TreePropagation::SetOccurrencesBlankStatus(int row, int s) {
    ForEachOccurrenceOfParts(
        row, [&](tag_t occurrence) { m_commandCache.SetBlankStatus(occurrence, s); });
}

void TreePropagation::SetCountedBlankStatus(int otherRow, int s) {
    for (tag_t occurrence : m_model.RowAt(otherRow).occs)
        m_commandCache.SetBlankStatus(occurrence, s);
}

void TreePropagation::ReapplySiblingShown(int otherRow) {
    for (int sibling : SiblingRange(otherRow))
        SetOccurrencesBlankStatus(sibling, BlankStatusFor(m_model.RowAt(sibling).shown ? 1 : 0));
}

void TreePropagation::ReapplySiblingColors(int otherRow) {
    for (int sibling : SiblingRange(otherRow)) {
        // The mixed marker is no colour of the row's parts: a mixed row's
        // occurrences keep their own.
        const uint32_t color = m_model.RowAt(sibling).color;
        if (!m_model.HasParts(sibling) || color == kMixedColor)
            continue;
        int index = 0;
        if (!AskClosestColorIndex(color, &index))
            continue;
        ForEachOccurrenceOfParts(
            sibling, [&](tag_t occurrence) { m_commandCache.SetColor(occurrence, index); });
    }
}

void TreePropagation::UnhighlightSiblings(int otherRow) {
    for (int sibling : SiblingRange(otherRow))
        ForEachOccurrenceOfParts(
            sibling, [&](tag_t occurrence) { m_commandCache.SetHighlight(occurrence, 0); });
}
