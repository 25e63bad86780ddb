// Carrying a command's value down the tree: each operation visits a row,
// writes the value into the row's state and cells and into the host objects
// of its parts, and then visits the rows beneath it, depth first, in item
// order. Also the three corrections of an _OTHER row's sibling range. It
// knows the rows, the command's cache of host answers and the list's
// structure; nothing of handlers, prompts or the window. Nothing is
// repainted.
#pragma once

#include "commands/command_cache.h"
#include "host/host_types.h"
#include "model/row_model.h"
#include "model/tree_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

class TreePropagation {
  public:
    TreePropagation(RowModel& model, CommandCache& commandCache, TreeList& list)
        : m_model(model), m_commandCache(commandCache), m_list(list) {}
    TreePropagation(const TreePropagation&) = delete;
    TreePropagation& operator=(const TreePropagation&) = delete;

    // ---- The row and every row beneath it ------------------------------------
    void ApplyOpenState(int row, int open);
    void ApplyShownState(int row, int shown);
    // Marks rows blanked, without a host call, except keptRow's subtree.
    void MarkBlankedExcept(int row, int keptRow);
    void ShowSubtree(int row);
    void ApplyColor(int row, uint32_t packedColor, int colorIndex);
    // Freezes (unfrozen 0) or unfreezes the parts of row and every row
    // beneath it. column names the Freeze column, the only one that calls
    // it; the rows' cells put the padlock there.
    void ApplyFrozenState(int row, int column, int unfrozen);
    // Within its own cache scope: also when closing or rebuilding, outside
    // a command.
    void ApplyHighlight(int row, int on);
    // Rereads count, colour and frozen state from the host after an open.
    void RefreshRowState(int row);
    // Visits row and every row beneath it, depth first in item order;
    // visit answers whether the rows beneath the row it was given follow.
    void WalkRows(int row, const std::function<bool(int)>& visit);

    // ---- The sibling range of an _OTHER row ---------------------------------
    // The rows strictly between an _OTHER row's parent and it.
    std::vector<int> SiblingRange(int otherRow) const;
    void ReapplySiblingShown(int otherRow);
    void ReapplySiblingColors(int otherRow);
    void UnhighlightSiblings(int otherRow);

    // ---- One row -------------------------------------------------------------
    // The rows without a parent row, in order, and the one above row.
    std::vector<int> TopRows() const;
    int TopRowOf(int row) const;
    bool StartsWithDisplayPart(int row, tag_t displayPart);
    // Set one part of row's state and show its cells. Shown or blanked: the
    // Blank and Isolate pictures. The padlock: the Freeze picture, which a
    // row without parts keeps.
    void SetRowShown(int row, bool shown);
    void SetRowColor(int row, uint32_t color);
    void SetPadlock(int row, bool open);
    // Blank status s on the occurrences of row's parts, the display part
    // through its root occurrence.
    void SetRowBlankStatus(int row, int s);
    // Blank status s on every occurrence of row's parts, the display part's
    // root left alone.
    void SetOccurrencesBlankStatus(int row, int s);
    // Blank status s on the component occurrences an _OTHER row counts, and
    // on no other occurrence of its parts.
    void SetCountedBlankStatus(int otherRow, int s);

  private:
    // Calls visit for every occurrence of row's parts below the display
    // part, the display part's root left alone.
    template <typename Visit> void ForEachOccurrenceOfParts(int row, Visit visit);
    // The rows directly beneath row, gathered before any of them is visited:
    // the list has a single enumeration cursor.
    std::vector<int> ChildRows(int row);
    // What the operations do to each row they visit.
    void ApplyOpenStateToRow(int row, int open, std::unordered_set<std::string>& closedParts);
    void ApplyShownStateToRow(int row, int shown);
    void ShowRow(int row);
    void ApplyColorToRow(int row, uint32_t packedColor, int colorIndex);
    void ApplyFrozenStateToRow(int row, bool unfrozen);
    void ApplyHighlightToRow(int row, int on);
    void RefreshOneRowState(int row);

    RowModel& m_model;
    CommandCache& m_commandCache;
    TreeList& m_list;
};
