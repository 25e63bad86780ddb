// The literal tree building: every session part's name, attributes and
// load state asked where the loop needs them, every row's state read from
// its part names.
#include "commands/bench/literal_view_manager.h"
#include "config/view_config_file.h"
#include "host/host_api.h"
#include "model/cell_pictures.h"
#include "model/host_color.h"
#include "model/part_attributes.h"
#include "model/part_name.h"
#include "record/record_lists.h"

#include <cstring>
#include <map>

namespace {

bool isOtherGroupOf(const std::string& groupName, const std::string& parentGroupName) {
    return groupName == parentGroupName + "_OTHER";
}

bool countsAsFrozen(int delayStatus) {
    return delayStatus == HOST_DELAY_FROZEN || delayStatus == HOST_DELAY_DELAYED;
}

// The row colour of a colour index: the host's components, packed.
uint32_t packedColorOf(int index) {
    double components[3] = {0, 0, 0};
    char name[HOST_COLOR_NAME_BUFSIZE] = "";
    UF_DISP_ask_color(index, HOST_COLOR_MODEL_RGB, name, components);
    return PackColorComponents(components);
}

} // namespace

LiteralViewManager::LiteralViewManager(MemoryTreeList& list) : list_(list) {
    for (int item = 0; item < MAX_ROWS; ++item)
        list_.SetItemColor(item, 0);
}

void LiteralViewManager::BuildTree(const char* configPath) {
    const ViewConfigFile file(configPath);
    const ViewConfig& config = file.Get();
    std::vector<int> parents(config.parentIndex, config.parentIndex + config.entryCount);

    std::vector<tag_t> tags;
    const int partCount = UF_PART_ask_num_parts();
    for (int i = 0; i < partCount; ++i) {
        const tag_t tag = UF_PART_ask_nth_part(i);
        if (tag == NULL_TAG)
            continue;
        sessionPartNames_.push_back(PartNameOf(tag));
        tags.push_back(tag);
    }

    // Matching makes one host call per part whatever the loop over the
    // entries looks like, so the entries are looked up by title.
    std::map<std::string, std::vector<int>> entriesByTitle;
    for (int e = 0; e < config.entryCount; ++e)
        entriesByTitle[config.groupName[e]].push_back(e);
    std::vector<std::vector<std::string>> matched(static_cast<size_t>(config.entryCount));
    for (size_t p = 0; p < tags.size(); ++p) {
        const PartAttributes attributes(tags[p]);
        std::vector<bool> fits(static_cast<size_t>(config.entryCount), false);
        for (int a = 0; a < attributes.Count(); ++a) {
            auto entries = entriesByTitle.find(std::string(attributes.Title(a)));
            if (entries == entriesByTitle.end())
                continue;
            for (int e : entries->second) {
                if (config.keyValue[e][0] == '\0' || attributes.Value(a) == config.keyValue[e])
                    fits[e] = true;
            }
        }
        for (int e = 0; e < config.entryCount; ++e) {
            if (fits[e])
                matched[e].push_back(sessionPartNames_[p]);
        }
    }

    int kept = 0;
    for (int e = 0; e < config.entryCount; ++e) {
        bool keep = false;
        std::vector<tag_t> occs;
        const int parent = config.parentIndex[e];
        if (parent != -1)
            occs = collectGroupOccurrences(config.groupName[e], config.keyValue[e],
                                           config.groupName[parent], matched[e], &keep);
        if (config.hasSubGroups[e] != 0)
            keep = true;
        if (!keep) {
            for (int later = e; later < config.entryCount; ++later) {
                if (parents[later] > kept - 1)
                    --parents[later];
            }
            continue;
        }
        if (kept >= MAX_ROWS)
            continue;
        Row row;
        row.parent = parents[e];
        row.name = config.groupName[e];
        row.customName = config.customName[e];
        row.key = config.keyValue[e];
        row.occCount = static_cast<int>(occs.size());
        row.occs = occs;
        row.partNames = matched[e];
        rows_.push_back(row);
        ++kept;
    }

    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        insertRow(r);
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        if (rows_[r].isOther)
            fillOtherRow(r);
    }
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        readRowState(r);
        showRowState(r);
    }
    if (list_.GetItemCount() >= 1)
        list_.ExpandAll(0);
    list_.RedrawItems(0, list_.GetItemCount() - 1);
}

std::vector<tag_t> LiteralViewManager::collectGroupOccurrences(
    const std::string& groupName, const std::string& keyValue, const std::string& parentGroupName,
    const std::vector<std::string>& partNames, bool* keep) {
    std::vector<tag_t> occs;
    const tag_t display = UF_PART_ask_display_part();
    for (const std::string& name : partNames) {
        if (display == NULL_TAG)
            break;
        char* fileName = nullptr;
        const int decoded = KZMGR_decode_cli_part_file(name.c_str(), &fileName);
        const bool loaded = decoded == 0 && fileName && PART_is_part_loaded(fileName);
        const tag_t part = loaded ? PART_ask_part_of_filename(fileName) : NULL_TAG;
        if (fileName)
            SM_free(fileName);
        if (!loaded)
            continue;
        if (part == display) {
            occs.push_back(NULL_TAG);
            continue;
        }
        tag_t* found = nullptr;
        const int count = OCC_ask_occs_of_part_in_assy(display, part, &found);
        for (int i = 0; found && i < count; ++i) {
            const tag_t instance = OCC_ask_instance_of_part_occ(found[i]);
            if (instance != NULL_TAG && !OCC_is_instance_suppressed(instance))
                occs.push_back(found[i]);
        }
        if (found)
            SM_free(found);
    }
    *keep = !occs.empty() || isOtherGroupOf(groupName, parentGroupName);
    if (!*keep) {
        const ClosedPartsRecord record;
        for (int i = 0; record.IsReadable() && i < record.Count() && !*keep; ++i)
            *keep = record.IsEntryOf(i, groupName.c_str(), keyValue.c_str());
    }
    return occs;
}

void LiteralViewManager::insertRow(int r) {
    Row& row = rows_[r];
    list_.AppendItem(("0:" + row.customName).c_str());
    if (row.parent < 0)
        return;
    list_.SetItemParent(r, row.parent);
    row.isOther = isOtherGroupOf(row.name, rows_[row.parent].name);
}

void LiteralViewManager::fillOtherRow(int r) {
    // The row's names are the components below its parent's occurrences
    // that no sibling row shows; it counts them, each with its occurrence.
    const int p = rows_[r].parent;
    std::vector<std::string> names;
    std::vector<tag_t> occurrences;
    for (int i = 0; i < rows_[p].occCount && i < static_cast<int>(rows_[p].occs.size()); ++i) {
        tag_t* children = nullptr;
        const int count = UF_ASSEM_ask_part_occ_children(rows_[p].occs[i], &children);
        collectComponentNames(children, children ? count : 0, names, occurrences);
        if (children)
            UF_free(children);
    }
    Row& row = rows_[r];
    row.partNames.clear();
    row.occs.clear();
    for (size_t c = 0; c < names.size(); ++c) {
        bool shownBySibling = false;
        for (int s = p + 1; s < r && !shownBySibling; ++s) {
            for (const std::string& name : rows_[s].partNames)
                shownBySibling = shownBySibling || name == names[c];
        }
        if (!shownBySibling && !names[c].empty()) {
            row.partNames.push_back(names[c]);
            row.occs.push_back(occurrences[c]);
        }
    }
    row.occCount = static_cast<int>(row.partNames.size());
    list_.SetItemNumber(r, row.occCount);
}

void LiteralViewManager::collectComponentNames(const tag_t* occs, int count,
                                               std::vector<std::string>& names,
                                               std::vector<tag_t>& occurrences) {
    for (int i = 0; i < count; ++i) {
        // Counted as the other rows count: suppressed occurrences are not on
        // display.
        const tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occs[i]);
        logical suppressed = 1;
        if (instance != NULL_TAG && UF_ASSEM_ask_suppress_state(instance, &suppressed) == 0 &&
            !suppressed) {
            names.push_back(PartNameOf(UF_ASSEM_ask_prototype_of_occ(occs[i])));
            occurrences.push_back(occs[i]);
        }
        tag_t* children = nullptr;
        const int childCount = UF_ASSEM_ask_part_occ_children(occs[i], &children);
        collectComponentNames(children, children ? childCount : 0, names, occurrences);
        if (children)
            UF_free(children);
    }
}

void LiteralViewManager::readRowState(int r) {
    Row& row = rows_[r];
    const auto empty = [&] {
        list_.SetItemColor(r, 0);
        row.shown = true;
        row.unfrozen = true;
        row.open = false;
    };
    if (row.occCount <= 0) {
        empty();
    } else if (row.occCount == 1) {
        const tag_t tag = UF_PART_ask_part_tag(row.partNames.front().c_str());
        if (tag == NULL_TAG) {
            empty();
        } else {
            readPartDisplayState(row.partNames.front(), r);
            int status = HOST_DELAY_NONE;
            UF_WAVE_ask_delay_status(tag, &status);
            row.unfrozen = !countsAsFrozen(status);
            row.open = true;
        }
    } else {
        bool haveReference = false;
        bool mixedColors = false;
        bool mixedBlanking = false;
        UF_OBJ_disp_props_t reference{};
        for (const std::string& name : row.partNames) {
            const tag_t tag = UF_PART_ask_part_tag(name.c_str());
            if (tag == NULL_TAG)
                continue;
            tag_t* occs = nullptr;
            const int count = UF_ASSEM_ask_occs_of_part(NULL_TAG, tag, &occs);
            for (int i = 0; occs && i < count; ++i) {
                UF_OBJ_disp_props_t properties{};
                UF_OBJ_ask_display_properties(occs[i], &properties);
                if (!haveReference) {
                    haveReference = true;
                    reference = properties;
                    int status = HOST_DELAY_NONE;
                    UF_WAVE_ask_delay_status(tag, &status);
                    row.unfrozen = !countsAsFrozen(status);
                    continue;
                }
                mixedColors = mixedColors || properties.color != reference.color;
                mixedBlanking = mixedBlanking || properties.blank_status != reference.blank_status;
            }
            if (occs)
                UF_free(occs);
        }
        if (haveReference) {
            list_.SetItemColor(r, mixedColors ? 0x787878 : packedColorOf(reference.color));
            row.shown = !(reference.blank_status == HOST_BLANKED && !mixedBlanking);
        } else {
            row.shown = true;
            row.unfrozen = true;
        }
        row.open = true;
    }
    row.hasChildren = list_.HasChildItems(r);
}

void LiteralViewManager::readPartDisplayState(const std::string& partName, int r) {
    const tag_t tag = UF_PART_ask_part_tag(partName.c_str());
    UF_OBJ_disp_props_t properties{};
    bool read = false;
    if (tag == UF_PART_ask_display_part()) {
        read = UF_OBJ_ask_display_properties(UF_ASSEM_ask_root_part_occ(tag), &properties) == 0;
    } else {
        tag_t* occs = nullptr;
        const int count = UF_ASSEM_ask_occs_of_part(NULL_TAG, tag, &occs);
        if (occs && count > 0)
            read = UF_OBJ_ask_display_properties(occs[0], &properties) == 0;
        if (occs)
            UF_free(occs);
    }
    if (!read)
        return;
    list_.SetItemColor(r, packedColorOf(properties.color));
    rows_[r].shown = properties.blank_status != HOST_BLANKED;
}

void LiteralViewManager::showRowState(int r) {
    const Row& row = rows_[r];
    list_.SetItemNumber(r, row.occCount);
    setShownImages(r, row.shown ? 1 : 0);
    list_.SetItemImage(r, kColumnFreeze, row.unfrozen ? kPictureUnfrozen : kPictureFrozen);
    list_.SetItemImage(r, kColumnOpen, row.open ? kPictureFolderOpen : kPictureFolderClosed);
    list_.SetItemImage(r, kColumnLabel,
                       row.hasChildren ? kPictureGroupOpen
                       : row.open      ? kPicturePartOpen
                                       : kPicturePartClosed);
}
