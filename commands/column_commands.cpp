// The handlers of the list, its keys and row menu, and the check box, and
// the commands of the command columns: Blank, Isolate and Color on a click,
// Freeze/Unfreeze and Open on a double-click (Close: close_command.cpp).
#include "commands/color_components.h"
#include "commands/part_occurrences.h"
#include "commands/row_commands.h"
#include "commands/view_manager_commands.h"
#include "host/host_session_bracket.h"
#include "host/host_state_scopes.h"
#include "model/cell_pictures.h"
#include "model/host_color.h"

void ViewManagerCommands::OnClickList(int position, int row, int column, bool highlightChecked) {
    RunHandler([&] { ClickList(position, row, column, highlightChecked); });
}

void ViewManagerCommands::OnDblclkList(int, int row, int column) {
    RunHandler([&] { DblclkList(row, column); });
}

void ViewManagerCommands::OnCellKey(int position, int row, int column, bool highlightChecked) {
    RunHandler([&] { CellCommand(position, row, column, highlightChecked); });
}

void ViewManagerCommands::OnRowMenu(int position, int row, int x, int y, bool highlightChecked) {
    RunHandler([&] {
        if (!m_model.IsRow(row))
            return;
        const std::vector<RowMenuEntry> entries =
            RowMenuEntries(m_model.RowAt(row), LastCommandText());
        std::optional<int> column;
        if (ClosedDuringPrompt([&] { column = m_prompts.ChooseRowCommand(entries, x, y); }) ||
            !column)
            return;
        if (*column == kUndoEntry)
            Undo();
        else if (*column == kCopyRowsEntry)
            m_window.CopyShownRows();
        else
            CellCommand(position, row, *column, highlightChecked);
    });
}

void ViewManagerCommands::OnCopyRows() {
    RunHandler([&] { m_window.CopyShownRows(); });
}

void ViewManagerCommands::OnHighlightCheck(bool checked) {
    RunHandler([&] { HighlightCheck(checked); });
}

void ViewManagerCommands::ClickList(int position, int row, int column, bool highlightChecked) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen() || UF_PART_ask_display_part() == NULL_TAG)
        return;
    if (!m_model.IsRow(row))
        row = -1;
    m_clickedRow = row;
    {
        const CommandCache::Scope scope(m_commandCache);
        if (m_highlightedRow >= 0)
            m_propagation.ApplyHighlight(m_highlightedRow, 0);
        if (highlightChecked) {
            if (row >= 0) {
                m_propagation.ApplyHighlight(row, 1);
                if (m_model.IsOtherRow(row))
                    m_propagation.UnhighlightSiblings(row);
            }
            m_highlightedRow = row;
        }
    }
    if (row < 0)
        return;
    if (column == kColumnColor) {
        Color(row);
        return;
    }
    if (column != kColumnBlank && column != kColumnIsolate)
        return;
    const CommandCache::Scope scope(m_commandCache);
    RunUndoable(column, row, [&] {
        if (column == kColumnBlank)
            Blank(position, row);
        else
            Isolate(row);
    });
}

void ViewManagerCommands::DblclkList(int row, int column) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen() || UF_PART_ask_display_part() == NULL_TAG || !m_model.IsRow(row))
        return;
    if (column == kColumnFreeze) {
        const CommandCache::Scope scope(m_commandCache);
        RunUndoable(column, row, [&] { FreezeOrUnfreeze(row); });
    } else if (column == kColumnOpen && !m_model.RowAt(row).open)
        Open(row);
    else if (column == kColumnOpen)
        Close(row);
}

void ViewManagerCommands::CellCommand(int position, int row, int column, bool highlightChecked) {
    // The mouse's double-click starts with a click.
    ClickList(position, row, column, highlightChecked);
    if (IsDoubleClickColumn(column))
        DblclkList(row, column);
}

void ViewManagerCommands::HighlightCheck(bool checked) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen())
        return;
    const CommandCache::Scope scope(m_commandCache);
    if (checked) {
        if (m_clickedRow >= 0) {
            m_propagation.ApplyHighlight(m_clickedRow, 1);
            if (m_model.IsRow(m_clickedRow) && m_model.IsOtherRow(m_clickedRow))
                m_propagation.UnhighlightSiblings(m_clickedRow);
        }
        m_highlightedRow = m_clickedRow;
    } else if (m_highlightedRow >= 0) {
        m_propagation.ApplyHighlight(m_highlightedRow, 0);
    }
}

void ViewManagerCommands::Blank(int position, int row) {
    const int shown = m_model.RowAt(row).shown ? 0 : 1;
    if (!m_model.IsOtherRow(row)) {
        m_propagation.ApplyShownState(row, shown);
    } else {
        // The parent's parts are blanked or unblanked as a whole, and the
        // row's own parts with them, which an ancestor's Blank may have
        // blanked one by one; the other children of the parent then get
        // their own state back.
        const int parent = m_model.RowAt(row).parent;
        if (m_model.IsRow(parent))
            m_propagation.SetRowBlankStatus(parent, BlankStatusFor(shown));
        m_propagation.SetCountedBlankStatus(row, BlankStatusFor(shown));
        SetShownImages(position, row, shown);
        m_propagation.ReapplySiblingShown(row);
    }
    RepaintAll();
}

void ViewManagerCommands::Isolate(int row) {
    // Marked before anything else, and not shown: a display part without a
    // root occurrence stops the command here with nothing blanked.
    m_model.EditRow(row).shown = true;
    const tag_t root = UF_ASSEM_ask_root_part_occ(m_commandCache.DisplayPart());
    if (root == NULL_TAG)
        return;
    // Only the one top row stands for the whole assembly; a configuration
    // whose root is dropped has several, and each hides the others' trees.
    const std::vector<int> tops = m_propagation.TopRows();
    const bool wholeAssembly = row == 0 && tops.size() == 1;
    {
        UfTagArray children;
        AskChildOccurrences(root, children);
        const int s = wholeAssembly ? HOST_UNBLANKED : HOST_BLANKED;
        for (tag_t child : children)
            m_commandCache.SetBlankStatus(child, s);
    }
    if (!wholeAssembly) {
        for (int top : tops)
            m_propagation.MarkBlankedExcept(top, row);
        const int top = m_propagation.TopRowOf(row);
        m_propagation.SetRowShown(top, true);
    }
    if (!m_model.IsOtherRow(row)) {
        m_propagation.ShowSubtree(row);
    } else {
        // The parent and the row's own parts are shown, the siblings'
        // parts blanked.
        const int parent = m_model.RowAt(row).parent;
        if (m_model.IsRow(parent))
            m_propagation.SetRowBlankStatus(parent, HOST_UNBLANKED);
        m_propagation.SetCountedBlankStatus(row, HOST_UNBLANKED);
        m_propagation.SetRowShown(row, true);
        for (int sibling : m_propagation.SiblingRange(row))
            m_propagation.SetOccurrencesBlankStatus(sibling, HOST_BLANKED);
    }
    RepaintAll();
}

void ViewManagerCommands::Color(int row) {
    std::optional<uint32_t> chosen;
    if (ClosedDuringPrompt([this, &chosen] { chosen = m_prompts.AskColor(); }))
        return;
    int index = 0;
    if (!chosen || !m_model.IsRow(row) || !AskClosestColorIndex(*chosen, &index))
        return;
    // The row shows the host's colour, not the one chosen. The session may
    // have changed while the colour was chosen: nothing asked before counts.
    const CommandCache::Scope scope(m_commandCache);
    RunUndoable(kColumnColor, row, [&] { ColorRow(row, index); });
}

void ViewManagerCommands::ColorRow(int row, int index) {
    const uint32_t packed = AskPackedColor(index);
    const tag_t display = m_commandCache.DisplayPart();
    if (m_propagation.StartsWithDisplayPart(row, display)) {
        m_commandCache.SetColor(UF_ASSEM_ask_root_part_occ(display), index);
        m_propagation.SetRowColor(row, packed);
    }
    m_propagation.ApplyColor(row, packed, index);
    if (m_model.IsOtherRow(row))
        m_propagation.ReapplySiblingColors(row);
    m_window.InvalidateWindow();
}

void ViewManagerCommands::FreezeOrUnfreeze(int row) {
    const int unfrozen = m_model.RowAt(row).unfrozen ? 0 : 1;
    m_propagation.SetPadlock(row, unfrozen != 0);
    m_propagation.ApplyFrozenState(row, kColumnFreeze, unfrozen);
    // Unlike blanking, freezing an _OTHER row's parts leaves the parts of
    // its sibling range as they were: there is nothing to give back to them.
    RepaintAll();
}

void ViewManagerCommands::Open(int row) {
    {
        const DisplayUpdatesOff displayOff;
        const tag_t display = UF_PART_ask_display_part();
        g_displayPartBeforeOpen = display;
        // Each part opened becomes the display part in turn.
        const DisplayPartKept displayKept(display);
        const SessionPartIndex::Scope scope(m_model.PartIndex());
        m_propagation.ApplyOpenState(row, 1);
    }
    m_propagation.RefreshRowState(row);
    RepaintAll();
}
