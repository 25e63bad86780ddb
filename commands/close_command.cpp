// The Close command of the "Open/Close" column: ask before modified parts
// are closed, save them when the user says so, then close the row and every
// row beneath it, or the display part and the View Manager with it.
// The question is asked for every part the Close may take away, which is
// known before the first of them closes: the parts the walk closes and their
// loaded components, which the host may close with them.
#include "commands/occurrences_seen.h"
#include "commands/ordered_parts.h"
#include "commands/view_manager_commands.h"
#include "host/host_calls.h"
#include "host/host_state_scopes.h"
#include "model/host_arrays.h"
#include "model/occurrence_state.h"
#include "model/part_name.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <unordered_set>

namespace {

// Adds the loaded components of the parts, at any depth, each once: a
// close may take every one of them with the part that places it.
void addComponents(OrderedParts& parts, tag_t displayPart, OccurrencesSeen& seen) {
    std::vector<tag_t> below;
    for (tag_t part : parts.InOrder()) {
        if (part == displayPart) {
            below.push_back(UF_ASSEM_ask_root_part_occ(part));
            continue;
        }
        // Every occurrence of a part places the same components.
        const std::vector<tag_t>& occurrences = seen.Of(part);
        if (!occurrences.empty())
            below.push_back(occurrences.front());
    }
    while (!below.empty()) {
        UfTagArray children;
        AskChildOccurrences(below.back(), children);
        below.pop_back();
        for (tag_t child : children) {
            const tag_t component = seen.PrototypeOf(child);
            if (component != NULL_TAG && parts.Add(component))
                below.push_back(child);
        }
    }
}

std::vector<tag_t> modifiedAmong(const std::vector<tag_t>& parts) {
    std::vector<tag_t> modified;
    std::copy_if(parts.begin(), parts.end(), std::back_inserter(modified),
                 [](tag_t part) { return UF_PART_is_modified(part) != 0; });
    return modified;
}

// Whether every one of parts is among known.
bool includes(const OrderedParts& known, const std::vector<tag_t>& parts) {
    return std::all_of(parts.begin(), parts.end(),
                       [&known](tag_t part) { return known.Contains(part); });
}

} // namespace

void ViewManagerCommands::Close(int row) {
    const tag_t display = UF_PART_ask_display_part();
    // A Close that reaches the display part, first in the row or anywhere
    // beneath it, closes that part alone and the View Manager with it: the
    // View Manager has nothing to show without it.
    OccurrencesSeen occurrences;
    OrderedParts closing = PartsClosedWith(row, display, occurrences);
    const bool closesDisplayPart = closing.Contains(display);
    if (closesDisplayPart)
        closing = OrderedParts({display});
    addComponents(closing, display, occurrences);
    // The question is modal to the View Manager only: the designer may go on
    // changing parts in the host while it is shown. An answer holds for the
    // parts modified when it was asked; should another have been modified
    // meanwhile, the question is asked again.
    OrderedParts answeredFor;
    std::vector<tag_t> modified = modifiedAmong(closing.InOrder());
    int answer = CONFIRM_CANCEL;
    while (!includes(answeredFor, modified)) {
        if (ClosedDuringPrompt([this, &answer] { answer = m_prompts.ConfirmClose(); }))
            return;
        if (answer != CONFIRM_SAVE_AND_CLOSE && answer != CONFIRM_CLOSE_NO_SAVE)
            return;
        answeredFor = OrderedParts(modified);
        modified = modifiedAmong(closing.InOrder());
    }
    if (answer == CONFIRM_SAVE_AND_CLOSE && !SaveParts(modified))
        return;
    if (closesDisplayPart) {
        const std::string name = PartNameOf(display);
        UF_PART_close(display, 1, 1);
        if (UF_PART_is_loaded(name.c_str())) {
            TellPartsLeftOpen({name});
            return;
        }
        CloseViewManager(); // done when this command has returned
        return;
    }
    m_propagation.ApplyOpenState(row, 0);
    TellPartsLeftOpen(m_model.TakePartsLeftOpen());
    RepaintAll();
}

OrderedParts ViewManagerCommands::PartsClosedWith(int row, tag_t displayPart,
                                                  OccurrencesSeen& occurrences) {
    OrderedParts parts;
    // Nothing closes while they are gathered: a part that several rows hold
    // is looked at once.
    std::unordered_set<std::string> seen;
    m_propagation.WalkRows(row, [&](int r) {
        GatherPartsClosedWith(r, displayPart, parts, seen, occurrences);
        return true;
    });
    return parts;
}

void ViewManagerCommands::GatherPartsClosedWith(int row, tag_t displayPart, OrderedParts& parts,
                                                std::unordered_set<std::string>& seen,
                                                OccurrencesSeen& occurrences) {
    // As the close walks: rows closed already are left alone; a loaded part
    // is closed when it is the display part or shows an unsuppressed
    // occurrence. A part that is not loaded has no tag.
    if (m_model.RowAt(row).open) {
        for (const std::string& name : m_model.RowAt(row).partNames) {
            if (!seen.insert(name).second)
                continue;
            const tag_t part = UF_PART_ask_part_tag(name.c_str());
            if (part == NULL_TAG || parts.Contains(part))
                continue;
            const std::vector<tag_t>& shown = occurrences.Of(part);
            if (part == displayPart ||
                std::any_of(shown.begin(), shown.end(), IsUnsuppressedOccurrence))
                parts.Add(part);
        }
    }
}

bool ViewManagerCommands::SaveParts(const std::vector<tag_t>& parts) {
    tag_t unsaved = NULL_TAG;
    {
        const WorkPartKept workPart;
        for (tag_t part : parts) {
            if (UF_ASSEM_set_work_part(part) != 0 || UF_PART_save() != 0) {
                unsaved = part;
                break;
            }
        }
    }
    if (unsaved == NULL_TAG)
        return true;
    char message[sizeof kPartNotSavedMessage + HOST_PART_NAME_BUFSIZE];
    // Sized for the longest name the host gives, so nothing is cut.
    static_cast<void>(
        std::snprintf(message, sizeof message, kPartNotSavedMessage, PartNameOf(unsaved).c_str()));
    ShowHostMessage(message);
    return false;
}

void ViewManagerCommands::TellPartsLeftOpen(const std::vector<std::string>& names) {
    if (names.empty())
        return;
    std::string message = kPartsLeftOpenMessage;
    std::unordered_set<std::string> told;
    for (const std::string& name : names) {
        if (told.insert(name).second)
            message += "\n" + name;
    }
    ShowHostMessage(message.c_str());
}
