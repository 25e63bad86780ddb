// Taking back the display commands: what each one changed in the host and in
// the rows is kept when it ends, and Undo gives back the last one's values,
// except those the designer has changed in the host since.
#include "commands/row_commands.h"
#include "commands/view_manager_commands.h"
#include "host/host_api.h"
#include "host/host_calls.h"
#include "host/host_session_bracket.h"

#include <cstdio>
#include <utility>

namespace {

// The host's value now; false when the object is gone.
bool askValue(const HostValueChange& change, int& value) {
    if (change.kind == HostValueChange::Kind::kFrozen) {
        char name[HOST_PART_NAME_BUFSIZE] = "";
        if (UF_PART_ask_part_name(change.object, name) != 0)
            return false;
        value = (DUC_ask_part_status(change.object) & HOST_PART_STATUS_FROZEN) ? 1 : 0;
        return true;
    }
    UF_OBJ_disp_props_t properties{};
    if (UF_OBJ_ask_display_properties(change.object, &properties) != 0)
        return false;
    value =
        change.kind == HostValueChange::Kind::kColor ? properties.color : properties.blank_status;
    return true;
}

void giveBack(const HostValueChange& change) {
    switch (change.kind) {
    case HostValueChange::Kind::kBlankStatus:
        UF_OBJ_set_blank_status(change.object, change.before);
        break;
    case HostValueChange::Kind::kColor:
        UF_OBJ_set_color(change.object, change.before);
        break;
    case HostValueChange::Kind::kFrozen:
        if (change.before != 0)
            DUC_freeze_part(change.object);
        else
            DUC_unfreeze_part(change.object);
        break;
    }
}

} // namespace

void ViewManagerCommands::OnUndo() {
    RunHandler([&] { Undo(); });
}

std::string ViewManagerCommands::LastCommandText() const {
    if (m_undoSteps.IsEmpty())
        return "";
    const UndoStep& last = m_undoSteps.Last();
    return last.label.empty() ? last.command : last.command + " " + last.label;
}

RowLook ViewManagerCommands::LookOf(int row) const {
    const Row& state = m_model.RowAt(row);
    RowLook look;
    look.row = row;
    look.shown = state.shown;
    look.unfrozen = state.unfrozen;
    look.padlockOpen = state.padlockOpen;
    look.color = state.color;
    return look;
}

void ViewManagerCommands::ShowLook(const RowLook& look) {
    if (!m_model.IsRow(look.row))
        return;
    Row& row = m_model.EditRow(look.row);
    row.shown = look.shown;
    row.unfrozen = look.unfrozen;
    row.padlockOpen = look.padlockOpen;
    row.color = look.color;
    m_model.ShowRowCells(look.row);
}

std::vector<RowLook> ViewManagerCommands::BeginUndoStep() {
    std::vector<RowLook> looks;
    looks.reserve(static_cast<size_t>(m_model.RowCount()));
    for (int r = 0; r < m_model.RowCount(); ++r)
        looks.push_back(LookOf(r));
    m_commandCache.StartRecording();
    return looks;
}

void ViewManagerCommands::RunUndoable(int column, int row, const std::function<void()>& command) {
    std::string name = CommandName(column, m_model.RowAt(row));
    const std::vector<RowLook> looksBefore = BeginUndoStep();
    command();
    KeepUndoStep(std::move(name), row, looksBefore);
}

void ViewManagerCommands::KeepUndoStep(std::string command, int row,
                                       const std::vector<RowLook>& looksBefore) {
    UndoStep step;
    step.changes = m_commandCache.TakeRecorded();
    for (const RowLook& before : looksBefore) {
        if (!LookOf(before.row).SameAs(before))
            step.rowsBefore.push_back(before);
    }
    if (step.changes.empty() && step.rowsBefore.empty())
        return;
    step.command = std::move(command);
    step.label = m_model.RowLabel(row);
    step.build = m_build;
    m_undoSteps.Push(std::move(step));
}

void ViewManagerCommands::Undo() {
    if (m_undoSteps.IsEmpty())
        return;
    HostSessionBracket bracket;
    if (!bracket.IsOpen() || UF_PART_ask_display_part() == NULL_TAG)
        return;
    const UndoStep step = m_undoSteps.TakeLast();
    int left = 0;
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change) {
        int now = 0;
        if (!askValue(*change, now))
            continue; // gone: nothing to give back
        if (now != change->set)
            ++left;
        else
            giveBack(*change);
    }
    if (step.build == m_build) {
        for (const RowLook& look : step.rowsBefore)
            ShowLook(look);
    } else {
        // The rows were built again since: they show the host as a build
        // reads it.
        m_model.ReadAndShowRowStates();
    }
    RepaintAll();
    if (left == 0)
        return;
    char message[sizeof kUndoLeftMessage + 16];
    if (std::snprintf(message, sizeof message, kUndoLeftMessage, left) > 0)
        ShowHostMessage(message);
}
