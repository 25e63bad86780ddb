#include "model/session_cache.h"

#include "host/host_api.h"
#include "model/host_arrays.h"
#include "model/host_color.h"
#include "model/occurrence_state.h"
#include "model/part_name.h"
#include "record/record_lists.h"

tag_t SessionCache::DisplayPart() {
    if (!displayPartKnown_) {
        displayPart_ = UF_PART_ask_display_part();
        displayPartKnown_ = true;
    }
    return displayPart_;
}

void SessionCache::AddSessionPart(const std::string& name, tag_t part) {
    sessionParts_.emplace(name, part);
    partNames_.emplace(part, name);
}

const std::vector<tag_t>& SessionCache::PartOccurrencesOnDisplay(const std::string& partName) {
    auto known = partOccurrences_.find(partName);
    if (known != partOccurrences_.end())
        return known->second;
    std::vector<tag_t>& occs = partOccurrences_[partName];
    char* fileName = nullptr;
    const int decoded = KZMGR_decode_cli_part_file(partName.c_str(), &fileName);
    bool loaded = false;
    tag_t tag = NULL_TAG;
    auto listed = sessionParts_.find(partName);
    if (decoded == 0 && fileName && listed != sessionParts_.end() && partName == fileName) {
        // The host listed this part as loaded under this very name.
        loaded = true;
        tag = listed->second;
    } else {
        loaded = decoded == 0 && fileName && PART_is_part_loaded(fileName);
        tag = loaded ? PART_ask_part_of_filename(fileName) : NULL_TAG;
    }
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
        const bool unsuppressed = instance != NULL_TAG && !OCC_is_instance_suppressed(instance);
        prototypes_.emplace(occurrence, tag);
        unsuppressed_.emplace(occurrence, unsuppressed);
        if (unsuppressed)
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

tag_t SessionCache::PrototypeOf(tag_t occurrence) {
    auto known = prototypes_.find(occurrence);
    if (known != prototypes_.end())
        return known->second;
    return prototypes_[occurrence] = UF_ASSEM_ask_prototype_of_occ(occurrence);
}

std::string SessionCache::PrototypeName(tag_t occurrence) {
    const tag_t part = PrototypeOf(occurrence);
    auto known = partNames_.find(part);
    if (known != partNames_.end())
        return known->second;
    return partNames_[part] = PartNameOf(part);
}

bool SessionCache::IsUnsuppressed(tag_t occurrence) {
    auto known = unsuppressed_.find(occurrence);
    if (known != unsuppressed_.end())
        return known->second;
    return unsuppressed_[occurrence] = IsUnsuppressedOccurrence(occurrence);
}

int SessionCache::DelayStatus(tag_t part) {
    auto known = delayStatuses_.find(part);
    if (known != delayStatuses_.end())
        return known->second;
    int status = HOST_DELAY_NONE;
    if (UF_WAVE_ask_delay_status(part, &status) != 0)
        status = HOST_DELAY_NONE;
    return delayStatuses_[part] = status;
}

uint32_t SessionCache::PackedColor(int colorIndex) {
    auto known = packedColors_.find(colorIndex);
    if (known != packedColors_.end())
        return known->second;
    return packedColors_[colorIndex] = AskPackedColor(colorIndex);
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

void SessionCache::Forget() {
    displayPartKnown_ = false;
    displayPart_ = NULL_TAG;
    recordRead_ = false;
    recordReadable_ = false;
    recordKeys_.clear();
    partOccurrences_.clear();
    displayProperties_.clear();
    childOccurrences_.clear();
    sessionParts_.clear();
    partNames_.clear();
    prototypes_.clear();
    unsuppressed_.clear();
    delayStatuses_.clear();
    packedColors_.clear();
}
