#include "model/session_cache.h"

#include "host/host_api.h"
#include "model/host_arrays.h"
#include "model/part_name.h"
#include "record/record_lists.h"

tag_t SessionCache::DisplayPart() {
    if (!displayPartKnown_) {
        displayPart_ = UF_PART_ask_display_part();
        displayPartKnown_ = true;
    }
    return displayPart_;
}

const std::vector<tag_t>& SessionCache::PartOccurrencesOnDisplay(const std::string& partName) {
    auto known = partOccurrences_.find(partName);
    if (known != partOccurrences_.end())
        return known->second;
    std::vector<tag_t>& occs = partOccurrences_[partName];
    char* fileName = nullptr;
    const int decoded = KZMGR_decode_cli_part_file(partName.c_str(), &fileName);
    const bool loaded = decoded == 0 && fileName && PART_is_part_loaded(fileName);
    const tag_t tag = loaded ? PART_ask_part_of_filename(fileName) : NULL_TAG;
    if (fileName)
        SM_free(fileName);
    if (!loaded)
        return occs;
    if (tag == DisplayPart()) {
        occs.push_back(NULL_TAG); // the display part itself
        return occs;
    }
    SmTagArray found;
    found.SetCount(OCC_ask_occs_of_part_in_assy(DisplayPart(), tag, found.Out()));
    for (tag_t occurrence : found) {
        const tag_t instance = OCC_ask_instance_of_part_occ(occurrence);
        if (instance != NULL_TAG && !OCC_is_instance_suppressed(instance))
            occs.push_back(occurrence);
    }
    return occs;
}

const std::vector<tag_t>& SessionCache::ChildOccurrences(tag_t occurrence) {
    auto known = childOccurrences_.find(occurrence);
    if (known != childOccurrences_.end())
        return known->second;
    UfTagArray children;
    AskChildOccurrences(occurrence, children);
    return childOccurrences_[occurrence] = {children.begin(), children.end()};
}

std::string SessionCache::PrototypeName(tag_t occurrence) {
    auto known = prototypeNames_.find(occurrence);
    if (known != prototypeNames_.end())
        return known->second;
    std::string name = PartNameOf(UF_ASSEM_ask_prototype_of_occ(occurrence));
    prototypeNames_.emplace(occurrence, name);
    return name;
}

bool SessionCache::DisplayProperties(tag_t occurrence, UF_OBJ_disp_props_t& properties) {
    auto known = displayProperties_.find(occurrence);
    if (known != displayProperties_.end()) {
        properties = known->second.properties;
        return known->second.read;
    }
    const tag_t shown =
        occurrence == NULL_TAG ? UF_ASSEM_ask_root_part_occ(DisplayPart()) : occurrence;
    const bool read = shown != NULL_TAG && UF_OBJ_ask_display_properties(shown, &properties) == 0;
    displayProperties_[occurrence] = {read, properties};
    return read;
}

bool SessionCache::RecordRemembers(const std::string& groupName, const std::string& keyValue) {
    if (!recordRead_) {
        recordRead_ = true;
        const ClosedPartsRecord record;
        recordReadable_ = record.IsReadable();
        for (int i = 0; i < record.Count(); ++i)
            recordKeys_[record.GroupName(i)].insert(record.KeyValue(i));
    }
    if (!recordReadable_)
        return false;
    auto group = recordKeys_.find(groupName);
    if (group == recordKeys_.end())
        return false;
    return keyValue.empty() || group->second.count(keyValue) != 0;
}

void SessionCache::Clear() {
    displayPartKnown_ = false;
    displayPart_ = NULL_TAG;
    recordRead_ = false;
    recordReadable_ = false;
    recordKeys_.clear();
    partOccurrences_.clear();
    displayProperties_.clear();
    childOccurrences_.clear();
    prototypeNames_.clear();
}
