// The column commands of the View Manager, portable, beside the row model
// they work on and the propagation that carries them down the tree. The dialog owns this
// class, hands it the clicks of its list and check box as plain numbers, and
// implements the two seams: the prompts (colour, close confirmation) and the
// window (repaint, self-destruction).
//
// Lifetime: one handler runs at a time. A message box or a prompt that a
// handler shows lets other messages in: a click, Refresh or Switch arriving
// then is dropped, and a close waits until the running handler has
// returned; a command that showed a prompt then stops instead of going on.
// A handler that throws is abandoned, the View Manager closes and the user
// is told once. The close ends with the window seam's DestroyViewManager,
// which may delete this object: nothing touches a member after it.
#pragma once

#include "commands/command_cache.h"
#include "commands/command_prompts.h"
#include "commands/handler_phase.h"
#include "commands/occurrences_seen.h"
#include "commands/ordered_parts.h"
#include "commands/tree_propagation.h"
#include "commands/undo_steps.h"
#include "commands/view_manager_window.h"
#include "config/handler_failure.h"
#include "host/host_types.h"
#include "model/row_model.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// Shown when a part could not be saved before closing; %s is its name.
constexpr char kPartNotSavedMessage[] = "%s could not be saved. Nothing was closed.";
// Shown once after a close that left parts open; their names follow, one a
// line.
constexpr char kPartsLeftOpenMessage[] = "These parts could not be closed and stay open:";
// Shown after taking a command back when the designer had changed some of
// its values in the host since: those stay; %d is how many.
constexpr char kUndoLeftMessage[] =
    "%d of the values taken back had been changed in the host since and were left as they are.";

class ViewManagerCommands {
  public:
    ViewManagerCommands(TreeList& list, CommandPrompts& prompts, ViewManagerWindow& window);
    ViewManagerCommands(const ViewManagerCommands&) = delete;
    ViewManagerCommands& operator=(const ViewManagerCommands&) = delete;

    // The rows the commands work on, and the list that shows them.
    RowModel& Model() { return m_model; }
    const RowModel& Model() const { return m_model; }

    // ---- Handlers; each runs inside the host session bracket ---------------
    // A click in the list: position is the display position of the row hit
    // (-1 for none), row the row (-1 for none), column the sub-item;
    // highlightChecked tells whether the "Highlight/UnHighlight" box is
    // checked.
    void OnClickList(int position, int row, int column, bool highlightChecked);
    // A double-click in the list, given as for OnClickList.
    void OnDblclkList(int position, int row, int column);
    // A key that stands for a click on a cell, given as for OnClickList:
    // runs what the mouse runs there, for columns 4 and 5 the click and the
    // double-click.
    void OnCellKey(int position, int row, int column, bool highlightChecked);
    // The row's menu at the screen point (x, y); the entry chosen runs as
    // OnCellKey runs its column. While the menu is shown no other handler
    // runs, and a close asked for meanwhile drops the choice.
    void OnRowMenu(int position, int row, int x, int y, bool highlightChecked);
    // The "Highlight/UnHighlight" box was clicked; checked is its new state.
    void OnHighlightCheck(bool checked);
    // Ctrl+Z: takes back the last Blank, Isolate, Color or Freeze.
    void OnUndo();
    // Ctrl+C: the shown rows onto the clipboard, through the window.
    void OnCopyRows();
    // The Close button, Esc, the close box, or the window going: removes
    // the highlight, releases the rows and destroys the View Manager, once;
    // a later call does nothing. While a handler runs the close waits until
    // it returns. Without a host session the window closes all the same,
    // leaving the highlight. The object may be gone when this returns.
    void CloseViewManager() noexcept;
    void OnCancel() noexcept { CloseViewManager(); }
    // Runs handler unless another is running or the View Manager is closed,
    // then the close that was asked for meanwhile. A handler that throws
    // closes the View Manager and tells the user.
    template <typename Handler> void RunHandler(Handler&& handler) noexcept;
    // Work outside the handlers (drawing, a tooltip) failed: the View
    // Manager closes as after a failed handler.
    void AbandonAfterFailure(HandlerFailure failure) noexcept;

    // SetRowShown, and repaints the row at display position, the one clicked.
    void SetShownImages(int position, int row, int shown);
    // Repaints every shown row.
    void RepaintAll();

    // ---- The View Manager's own steps, without its window -------------------
    // The configuration it starts with: the name and the tree mode from the
    // defaults, the file from the product directories. False when a step
    // fails; the View Manager then stays empty.
    bool FindStartingConfig(std::string& path);
    // Builds the rows of the configuration at path, the work-part record set
    // up before and the built count kept after.
    void BuildRows(const char* path);
    // Refresh up to the build: takes the highlight away, empties the list and
    // reads the file again. True when the rows are to be built anew (the old
    // ones are released then); otherwise they stay until a good file
    // replaces them, and "file format error!" tells of a file of the wrong
    // form.
    bool PrepareRebuild(const char* path);
    // Switch before its rebuild: the other tree mode, the highlight taken
    // away.
    void ToggleTreeMode();

    // True once the close has been done.
    bool IsClosed() const { return m_handlers.IsClosed(); }
    // The tree's shape as the last rebuild or the close found it, which the
    // next build shows; a new View Manager is given the last one's.
    TreeShape TakeShape() { return std::move(m_shape); }
    void KeepShape(TreeShape shape) { m_shape = std::move(shape); }

    // What the row menu's Undo names: the last display command and its
    // row's label; empty when there is nothing to take back.
    std::string LastCommandText() const;
    // The display commands that can be taken back.
    const UndoSteps& Steps() const { return m_undoSteps; }

    // The row last clicked, and the row highlighted; -1 for none.
    int ClickedRow() const { return m_clickedRow; }
    int HighlightedRow() const { return m_highlightedRow; }

  private:
    // What a display command changes is recorded from BeginUndoStep, which
    // gives the rows' looks before it, and kept by KeepUndoStep when the
    // command has ended; both inside the command's cache scope.
    std::vector<RowLook> BeginUndoStep();
    void KeepUndoStep(std::string command, int row, const std::vector<RowLook>& looksBefore);
    // Keeps the shape the list shows the rows in, before they go.
    void KeepShapeOfRows();
    // Runs command, the display command of column on row, as one step.
    void RunUndoable(int column, int row, const std::function<void()>& command);
    RowLook LookOf(int row) const;
    void ShowLook(const RowLook& look);
    void Undo();

    void Blank(int position, int row);
    void Isolate(int row);
    void Color(int row);
    // The colour of the host's colour index on row, once it was chosen.
    void ColorRow(int row, int index);
    void FreezeOrUnfreeze(int row);
    void Open(int row);
    void Close(int row);
    // The loaded parts that closing row would close, each once.
    OrderedParts PartsClosedWith(int row, tag_t displayPart, OccurrencesSeen& occurrences);
    // Adds the loaded parts that closing row alone would close, passing over
    // the names in seen and adding those it looks at.
    void GatherPartsClosedWith(int row, tag_t displayPart, OrderedParts& parts,
                               std::unordered_set<std::string>& seen, OccurrencesSeen& occurrences);
    // Saves each part as the work part and restores the work part; false,
    // after telling the user, when one could not be saved.
    bool SaveParts(const std::vector<tag_t>& parts);
    // One message naming each part a close left open; none for no part.
    void TellPartsLeftOpen(const std::vector<std::string>& names);

    // Runs prompt inside the running handler. True when the View Manager was
    // asked to close meanwhile: the caller returns at once, and the close
    // follows when the handler ends.
    bool ClosedDuringPrompt(const std::function<void()>& prompt);
    // The handlers of the list and the check box, run by the On... ones.
    void ClickList(int position, int row, int column, bool highlightChecked);
    void DblclkList(int row, int column);
    void CellCommand(int position, int row, int column, bool highlightChecked);
    void HighlightCheck(bool checked);
    // The close itself; the phase says it may run.
    void Close() noexcept;

    // The list first: the model writes to it when it is made.
    TreeList& m_list;
    RowModel m_model;
    CommandPrompts& m_prompts;
    ViewManagerWindow& m_window;
    // Open within a display command (Blank, Isolate, Color, Freeze, the
    // highlight), never across a prompt.
    CommandCache m_commandCache;
    TreePropagation m_propagation{m_model, m_commandCache, m_list};
    UndoSteps m_undoSteps;
    TreeShape m_shape;
    // Counts the builds, so that a step knows whether its rows are still
    // the rows shown.
    int m_build = 0;
    HandlerPhase m_handlers;
    int m_clickedRow = -1;
    int m_highlightedRow = -1;
};

template <typename Handler> void ViewManagerCommands::RunHandler(Handler&& handler) noexcept {
    if (m_handlers.Run(std::forward<Handler>(handler)))
        Close(); // this object may be gone now
}
