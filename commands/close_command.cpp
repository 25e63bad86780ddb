// The Close command of the "Open/Close" column: ask before modified parts
// are closed, save them when the user says so, then close the row and every
// row beneath it, or the display part and the View Manager with it.
// The question is asked for the parts the Close may close, which are known
// before the first of them closes: a part that loses its occurrences when an
// assembly above it closes first stays open, saved if the user said so.
#include "commands/part_occurrences.h"
#include "commands/view_manager_commands.h"

#include <algorithm>
#include <cstdio>

void ViewManagerCommands::Close(int row) {
    const tag_t display = UF_PART_ask_display_part();
    // A Close that reaches the display part, first in the row or anywhere
    // beneath it, closes that part alone and the View Manager with it: the
    // View Manager has nothing to show without it.
    std::vector<tag_t> closing = PartsClosedWith(row, display);
    const bool closesDisplayPart =
        std::find(closing.begin(), closing.end(), display) != closing.end();
    if (closesDisplayPart)
        closing.assign(1, display);
    std::vector<tag_t> modified;
    for (tag_t part : closing) {
        if (UF_PART_is_modified(part))
            modified.push_back(part);
    }
    if (!modified.empty()) {
        int answer = CONFIRM_CANCEL;
        if (ClosedDuringPrompt([this, &answer] { answer = m_prompts.ConfirmClose(); }))
            return;
        if (answer == CONFIRM_SAVE_AND_CLOSE) {
            if (!SaveParts(modified))
                return;
        } else if (answer != CONFIRM_CLOSE_NO_SAVE) {
            return;
        }
    }
    if (closesDisplayPart) {
        UF_PART_close(display, 1, 1);
        CloseViewManager(); // this object may be gone now
        return;
    }
    ApplyOpenState(row, 0);
    RepaintAll();
}

std::vector<tag_t> ViewManagerCommands::PartsClosedWith(int row, tag_t displayPart) {
    std::vector<tag_t> parts;
    WalkRows(row, [&](int r) {
        GatherPartsClosedWith(r, displayPart, parts);
        return true;
    });
    return parts;
}

void ViewManagerCommands::GatherPartsClosedWith(int row, tag_t displayPart,
                                                std::vector<tag_t>& parts) {
    // As the close walks: rows closed already are left alone; a loaded part
    // is closed when it is the display part or shows an unsuppressed
    // occurrence.
    if (m_rowOpen[row] != 0) {
        for (const std::string& name : m_rowPartNames[row]) {
            if (!UF_PART_is_loaded(name.c_str()))
                continue;
            const tag_t part = UF_PART_ask_part_tag(name.c_str());
            if (part == NULL_TAG || std::find(parts.begin(), parts.end(), part) != parts.end())
                continue;
            if (part == displayPart || HasUnsuppressedOccurrence(part))
                parts.push_back(part);
        }
    }
}

bool ViewManagerCommands::SaveParts(const std::vector<tag_t>& parts) {
    const tag_t workPart = UF_ASSEM_ask_work_part();
    tag_t unsaved = NULL_TAG;
    for (tag_t part : parts) {
        if (UF_ASSEM_set_work_part(part) != 0 || UF_PART_save() != 0) {
            unsaved = part;
            break;
        }
    }
    if (workPart != NULL_TAG)
        UF_ASSEM_set_work_part(workPart);
    if (unsaved == NULL_TAG)
        return true;
    char name[HOST_PART_NAME_BUFSIZE] = "";
    if (UF_PART_ask_part_name(unsaved, name) != 0)
        name[0] = '\0';
    char message[sizeof kPartNotSavedMessage + HOST_PART_NAME_BUFSIZE];
    std::snprintf(message, sizeof message, kPartNotSavedMessage, name);
    uc1601(message, 1);
    return false;
}
