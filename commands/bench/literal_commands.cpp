// The literal column commands: each visited row resolves its part names to
// tags and asks each part's occurrences again, and every row that holds an
// occurrence sets it again.
#include "commands/bench/literal_view_manager.h"
#include "commands/color_components.h"
#include "host/host_api.h"
#include "host/host_session_bracket.h"
#include "model/cell_pictures.h"
#include "model/host_color.h"
#include "model/part_attributes.h"
#include "record/record_lists.h"
#include "record/work_part_record.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<tag_t> partTags(const Row& row) {
    std::vector<tag_t> tags;
    for (const std::string& name : row.partNames)
        tags.push_back(UF_PART_ask_part_tag(name.c_str()));
    return tags;
}

// Calls visit for each occurrence of part below the display part.
template <typename Visit> void forEachOccurrence(tag_t part, tag_t parent, Visit visit) {
    tag_t* occs = nullptr;
    const int count = UF_ASSEM_ask_occs_of_part(parent, part, &occs);
    for (int i = 0; occs && i < count; ++i)
        visit(occs[i]);
    if (occs)
        UF_free(occs);
}

bool isUnsuppressed(tag_t occurrence) {
    const tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occurrence);
    logical suppressed = 1;
    return instance != NULL_TAG && UF_ASSEM_ask_suppress_state(instance, &suppressed) == 0 &&
           !suppressed;
}

bool countsAsFrozen(int delayStatus) {
    return delayStatus == HOST_DELAY_FROZEN || delayStatus == HOST_DELAY_DELAYED;
}

} // namespace

template <typename Visit> void LiteralViewManager::descend(int row, Visit visit) {
    visit(row);
    std::vector<int> children;
    for (int child = list_.GetFirstChildItem(row); child != -1; child = list_.GetNextChildItem())
        children.push_back(child);
    for (int child : children)
        descend(child, visit);
}

void LiteralViewManager::ClickList(int row, int column, uint32_t chosen) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen() || UF_PART_ask_display_part() == NULL_TAG)
        return;
    if (column == kColumnBlank)
        blank(row);
    else if (column == kColumnIsolate)
        isolate(row);
    else if (column == kColumnColor)
        color(row, chosen);
}

void LiteralViewManager::DblclkList(int row, int column) {
    HostSessionBracket bracket;
    if (!bracket.IsOpen() || UF_PART_ask_display_part() == NULL_TAG)
        return;
    if (column == kColumnFreeze)
        freeze(row);
    else if (column == kColumnOpen && !rows_[row].open)
        open(row);
    else if (column == kColumnOpen)
        close(row);
}

void LiteralViewManager::setShownImages(int row, int shown) {
    list_.SetItemImage(row, kColumnBlank, shown != 0 ? kPictureShown : kPictureBlanked);
    list_.SetItemImage(row, kColumnIsolate,
                       shown != 0 ? kPictureIsolateShown : kPictureIsolateBlanked);
}

void LiteralViewManager::blank(int row) {
    const int shown = rows_[row].shown ? 0 : 1;
    rows_[row].shown = shown != 0;
    applyShownState(row, shown);
    list_.RedrawItems(0, list_.GetItemCount());
}

void LiteralViewManager::applyShownState(int row, int shown) {
    const int s = shown == 1 ? 0 : 1;
    descend(row, [&](int r) {
        rows_[r].shown = shown != 0;
        if (!rows_[r].partNames.empty()) {
            const tag_t display = UF_PART_ask_display_part();
            for (tag_t tag : partTags(rows_[r])) {
                if (tag == display)
                    UF_OBJ_set_blank_status(UF_ASSEM_ask_root_part_occ(display), s);
                else
                    forEachOccurrence(tag, NULL_TAG,
                                      [s](tag_t occ) { UF_OBJ_set_blank_status(occ, s); });
            }
        }
        setShownImages(r, shown);
    });
}

void LiteralViewManager::isolate(int row) {
    rows_[row].shown = true;
    const tag_t root = UF_ASSEM_ask_root_part_occ(UF_PART_ask_display_part());
    if (root == NULL_TAG)
        return;
    tag_t* children = nullptr;
    const int count = UF_ASSEM_ask_part_occ_children(root, &children);
    for (int i = 0; children && i < count; ++i)
        UF_OBJ_set_blank_status(children[i], row != 0 ? 1 : 0);
    if (children)
        UF_free(children);
    if (row > 0) {
        markBlankedExcept(0, row);
        setShownImages(0, 1);
        rows_[0].shown = true;
    }
    showSubtree(row);
    list_.RedrawItems(0, list_.GetItemCount());
}

void LiteralViewManager::markBlankedExcept(int row, int kept) {
    if (row == kept)
        return;
    rows_[row].shown = false;
    setShownImages(row, 0);
    std::vector<int> children;
    for (int child = list_.GetFirstChildItem(row); child != -1; child = list_.GetNextChildItem())
        children.push_back(child);
    for (int child : children)
        markBlankedExcept(child, kept);
}

void LiteralViewManager::showSubtree(int row) {
    descend(row, [&](int r) {
        rows_[r].shown = true;
        for (tag_t tag : partTags(rows_[r]))
            forEachOccurrence(tag, NULL_TAG, [](tag_t occ) { UF_OBJ_set_blank_status(occ, 0); });
        setShownImages(r, 1);
    });
}

void LiteralViewManager::color(int row, uint32_t chosen) {
    const std::vector<tag_t> tags = partTags(rows_[row]);
    const tag_t display = UF_PART_ask_display_part();
    int index = 0;
    if (!AskClosestColorIndex(chosen, &index))
        return;
    const uint32_t packed = AskPackedColor(index);
    if (!tags.empty() && tags.front() == display) {
        UF_OBJ_set_color(UF_ASSEM_ask_root_part_occ(display), index);
        list_.SetItemColor(row, packed);
    }
    applyColor(row, packed, index);
}

void LiteralViewManager::applyColor(int row, uint32_t packed, int index) {
    descend(row, [&](int r) {
        for (tag_t tag : partTags(rows_[r]))
            forEachOccurrence(tag, NULL_TAG, [index](tag_t occ) { UF_OBJ_set_color(occ, index); });
        if (!rows_[r].partNames.empty())
            list_.SetItemColor(r, packed);
    });
}

void LiteralViewManager::freeze(int row) {
    const int unfrozen = rows_[row].unfrozen ? 0 : 1;
    list_.SetItemImage(row, kColumnFreeze, unfrozen == 1 ? kPictureUnfrozen : kPictureFrozen);
    applyFrozenState(row, kColumnFreeze, unfrozen);
    list_.RedrawItems(0, list_.GetItemCount());
}

void LiteralViewManager::applyFrozenState(int row, int column, int unfrozen) {
    descend(row, [&](int r) {
        rows_[r].unfrozen = unfrozen != 0;
        if (rows_[r].partNames.empty())
            return;
        list_.SetItemImage(r, column, unfrozen == 1 ? kPictureUnfrozen : kPictureFrozen);
        for (tag_t tag : partTags(rows_[r])) {
            if (unfrozen != 1) {
                DUC_freeze_part(tag);
                continue;
            }
            const int status = DUC_ask_part_status(tag);
            if (status & HOST_PART_STATUS_FROZEN)
                DUC_unfreeze_part(tag);
            else if (status & HOST_PART_STATUS_DELAYED)
                DUC_undelay_part(tag);
        }
    });
}

void LiteralViewManager::open(int row) {
    UF_DISP_set_display(0);
    const tag_t display = UF_PART_ask_display_part();
    displayPartBeforeOpen_ = display;
    applyOpenState(row, 1);
    UF_PART_set_display_part(display);
    UF_DISP_set_display(1);
    refreshRowState(row);
    list_.RedrawItems(0, list_.GetItemCount());
}

void LiteralViewManager::close(int row) {
    // No part of the generated die is modified: the question is never
    // asked, only looked for.
    for (const std::string& name : rows_[row].partNames) {
        if (UF_PART_is_modified(UF_PART_ask_part_tag(name.c_str())))
            return;
    }
    const tag_t display = UF_PART_ask_display_part();
    const tag_t first = rows_[row].partNames.empty()
                            ? NULL_TAG
                            : UF_PART_ask_part_tag(rows_[row].partNames[0].c_str());
    if (first == display)
        return; // closing the display part ends the View Manager: not measured
    applyOpenState(row, 0);
    list_.RedrawItems(0, list_.GetItemCount());
}

void LiteralViewManager::applyOpenState(int row, int open) {
    descend(row, [&](int r) {
        if (rows_[r].open == (open != 0))
            return;
        rows_[r].open = open != 0;
        if (open == 1) {
            openRowParts(r);
            if (!rows_[r].isOther)
                rebuildRowParts(r);
        } else {
            closeRowParts(r);
        }
    });
}

int LiteralViewManager::openPartQuietly(const char* partName) {
    UF_DISP_set_display(0);
    int code = 0;
    if (!UF_PART_is_loaded(partName)) {
        tag_t part = NULL_TAG;
        UF_PART_load_status_t status{0, 0, nullptr, nullptr};
        code = UF_PART_open_quiet(partName, &part, &status);
        if (status.n_parts > 0) {
            if (status.statuses)
                UF_free(status.statuses);
            if (status.file_names)
                UF_free_string_array(status.n_parts, status.file_names);
        }
        if (code == 0 && part != NULL_TAG)
            UF_PART_set_display_part(part);
    }
    UF_DISP_set_display(1);
    return code;
}

void LiteralViewManager::openRowParts(int r) {
    const ClosedPartsRecord record;
    if (!record.IsReadable())
        return;
    Row& row = rows_[r];
    if (row.isOther) {
        // Then filled as a build fills it, as the plug-in does, so that its
        // names, occurrences and count agree.
        for (int i = 0; i < record.Count(); ++i) {
            if (std::strcmp(record.GroupName(i), row.name.c_str()) == 0)
                openPartQuietly(record.FileName(i));
        }
        fillOtherRow(r);
        return;
    }
    row.partNames.clear();
    for (int i = 0; i < record.Count(); ++i) {
        if (record.IsEntryOf(i, row.name.c_str(), row.key.c_str()) &&
            openPartQuietly(record.FileName(i)) == 0 &&
            std::find(sessionPartNames_.begin(), sessionPartNames_.end(), record.FileName(i)) ==
                sessionPartNames_.end())
            sessionPartNames_.emplace_back(record.FileName(i));
    }
}

void LiteralViewManager::rebuildRowParts(int r) {
    Row& row = rows_[r];
    row.partNames.clear();
    for (const std::string& part : sessionPartNames_) {
        const tag_t tag = UF_PART_ask_part_tag(part.c_str());
        if (tag == NULL_TAG)
            continue;
        const PartAttributes attributes(tag);
        for (int a = 0; a < attributes.Count(); ++a) {
            if (attributes.Title(a) == row.name &&
                (row.key.empty() || attributes.Value(a) == row.key)) {
                row.partNames.push_back(part);
                break;
            }
        }
    }
    row.occs.clear();
    for (const std::string& name : row.partNames) {
        if (!UF_PART_is_loaded(name.c_str()))
            continue;
        const tag_t tag = UF_PART_ask_part_tag(name.c_str());
        if (tag == displayPartBeforeOpen_) {
            row.occs.push_back(NULL_TAG);
            continue;
        }
        forEachOccurrence(tag, displayPartBeforeOpen_, [&](tag_t occ) {
            if (isUnsuppressed(occ))
                row.occs.push_back(occ);
        });
    }
    row.occCount = static_cast<int>(row.occs.size());
    if (row.occCount != 0)
        return;
    std::vector<int> positions;
    {
        const ClosedPartsRecord record;
        if (!record.IsReadable())
            return;
        for (int i = 0; i < record.Count(); ++i) {
            if (record.IsEntryOf(i, row.name.c_str(), row.key.c_str()))
                positions.push_back(i);
        }
    }
    if (!positions.empty())
        remove_record_positions(positions);
}

void LiteralViewManager::closeRowParts(int r) {
    Row& row = rows_[r];
    for (const std::string& name : row.partNames) {
        if (!UF_PART_is_loaded(name.c_str()))
            continue;
        const tag_t tag = UF_PART_ask_part_tag(name.c_str());
        if (tag != UF_PART_ask_display_part()) {
            int unsuppressed = 0;
            forEachOccurrence(tag, NULL_TAG, [&](tag_t occ) {
                if (isUnsuppressed(occ))
                    ++unsuppressed;
            });
            if (unsuppressed == 0)
                continue;
        }
        if (work_part_record_available()) {
            bool known = false;
            {
                const ClosedPartsRecord record;
                for (int i = 0; i < record.Count() && !known; ++i)
                    known = std::strcmp(record.FileName(i), name.c_str()) == 0;
            }
            if (!known)
                record_closed_part(name.c_str(), row.name.c_str(), row.key.c_str());
        }
        if (UF_PART_is_loaded(name.c_str()))
            UF_PART_close(tag, 1, 1);
    }
    row.occs.clear();
    row.occCount = 0;
    row.partNames.clear();
    list_.SetItemImage(r, kColumnOpen, kPictureFolderClosed);
    list_.SetItemImage(r, kColumnLabel, row.hasChildren ? kPictureGroupClosed : kPicturePartClosed);
    list_.SetItemColor(r, 0);
    list_.SetItemNumber(r, 0);
}

void LiteralViewManager::refreshRowState(int row) {
    descend(row, [&](int r) {
        Row& state = rows_[r];
        list_.SetItemNumber(r, state.occCount);
        list_.SetItemImage(r, kColumnOpen, kPictureFolderOpen);
        list_.SetItemImage(r, kColumnLabel,
                           state.hasChildren ? kPictureGroupOpen : kPicturePartOpen);
        if (state.occCount <= 0 || state.partNames.empty()) {
            list_.SetItemColor(r, 0);
        } else if (state.occCount == 1) {
            if (!UF_PART_is_loaded(state.partNames[0].c_str())) {
                list_.SetItemColor(r, 0);
                state.unfrozen = true;
            } else {
                readPartDisplayState(state.partNames[0], r);
                int status = HOST_DELAY_NONE;
                UF_WAVE_ask_delay_status(UF_PART_ask_part_tag(state.partNames[0].c_str()), &status);
                state.unfrozen = !countsAsFrozen(status);
            }
        } else {
            bool haveReference = false;
            bool mixed = false;
            int referenceColor = 0;
            for (const std::string& name : state.partNames) {
                if (!UF_PART_is_loaded(name.c_str()))
                    continue;
                const tag_t tag = UF_PART_ask_part_tag(name.c_str());
                forEachOccurrence(tag, NULL_TAG, [&](tag_t occ) {
                    UF_OBJ_disp_props_t properties{};
                    UF_OBJ_ask_display_properties(occ, &properties);
                    if (!haveReference) {
                        haveReference = true;
                        referenceColor = properties.color;
                        int status = HOST_DELAY_NONE;
                        UF_WAVE_ask_delay_status(tag, &status);
                        state.unfrozen = !countsAsFrozen(status);
                    } else if (properties.color != referenceColor) {
                        mixed = true;
                    }
                });
            }
            if (haveReference)
                list_.SetItemColor(r, mixed ? 0x787878 : AskPackedColor(referenceColor));
        }
        showRowState(r);
    });
}
