#include "commands/command_cache.h"

#include "host/host_api.h"
#include "model/host_arrays.h"

#include <algorithm>
#include <cassert>
#include <utility>

tag_t CommandCache::DisplayPart() {
    assert(InScope());
    if (!displayPartKnown_) {
        displayPart_ = UF_PART_ask_display_part();
        displayPartKnown_ = true;
    }
    return displayPart_;
}

std::vector<tag_t> CommandCache::PartTags(const std::vector<std::string>& names) {
    assert(InScope());
    std::vector<tag_t> tags;
    tags.reserve(names.size());
    for (const std::string& name : names) {
        auto known = tags_.find(name);
        if (known == tags_.end())
            known = tags_.emplace(name, UF_PART_ask_part_tag(name.c_str())).first;
        tags.push_back(known->second);
    }
    return tags;
}

const std::vector<tag_t>& CommandCache::Occurrences(tag_t part) {
    assert(InScope());
    auto known = occurrences_.find(part);
    if (known != occurrences_.end())
        return known->second;
    std::vector<tag_t> occs;
    if (part != NULL_TAG) {
        UfTagArray found;
        AskOccurrencesOfPart(NULL_TAG, part, found);
        occs.assign(found.begin(), found.end());
    }
    return occurrences_.emplace(part, std::move(occs)).first->second;
}

bool CommandCache::changes(Setter setter, tag_t object, int value) {
    assert(InScope());
    auto [last, first] = lastSet_[setter].emplace(object, value);
    if (first) {
        record(setter, object, value);
        return true;
    }
    if (last->second == value)
        return false;
    last->second = value;
    return true;
}

void CommandCache::SetBlankStatus(tag_t occurrence, int status) {
    if (changes(kBlank, occurrence, status))
        UF_OBJ_set_blank_status(occurrence, status);
}

void CommandCache::SetColor(tag_t occurrence, int colorIndex) {
    if (changes(kColor, occurrence, colorIndex))
        UF_OBJ_set_color(occurrence, colorIndex);
}

void CommandCache::SetHighlight(tag_t occurrence, int on) {
    if (changes(kHighlight, occurrence, on))
        UF_DISP_set_highlight(occurrence, on);
}

void CommandCache::FreezePart(tag_t part) {
    assert(InScope());
    if (!frozen_.insert(part).second)
        return;
    if (recording_) {
        const int before = (DUC_ask_part_status(part) & HOST_PART_STATUS_FROZEN) ? 1 : 0;
        recorded_.push_back({HostValueChange::Kind::kFrozen, part, before, 1});
    }
    DUC_freeze_part(part);
}

void CommandCache::NoteUnfrozen(tag_t part) {
    assert(InScope());
    if (recording_ && unfrozen_.insert(part).second)
        recorded_.push_back({HostValueChange::Kind::kFrozen, part, 1, 0});
}

void CommandCache::record(Setter setter, tag_t object, int value) {
    if (!recording_ || setter == kHighlight)
        return;
    UF_OBJ_disp_props_t properties{};
    // An object the host does not tell of cannot be given its value back.
    if (UF_OBJ_ask_display_properties(object, &properties) != 0)
        return;
    if (setter == kBlank)
        recorded_.push_back(
            {HostValueChange::Kind::kBlankStatus, object, properties.blank_status, value});
    else
        recorded_.push_back({HostValueChange::Kind::kColor, object, properties.color, value});
}

void CommandCache::StartRecording() {
    assert(InScope());
    recorded_.clear();
    recording_ = true;
}

std::vector<HostValueChange> CommandCache::TakeRecorded() {
    assert(InScope() && recording_);
    std::vector<HostValueChange> changes = std::move(recorded_);
    recorded_.clear();
    recording_ = false;
    // Isolate blanks and then unblanks the same occurrences.
    for (HostValueChange& change : changes) {
        if (change.kind == HostValueChange::Kind::kBlankStatus)
            change.set = lastSet_[kBlank].at(change.object);
        else if (change.kind == HostValueChange::Kind::kColor)
            change.set = lastSet_[kColor].at(change.object);
    }
    changes.erase(
        std::remove_if(changes.begin(), changes.end(),
                       [](const HostValueChange& change) { return change.before == change.set; }),
        changes.end());
    return changes;
}

void CommandCache::Forget() {
    displayPartKnown_ = false;
    displayPart_ = NULL_TAG;
    tags_.clear();
    occurrences_.clear();
    for (auto& lastSet : lastSet_)
        lastSet.clear();
    frozen_.clear();
    unfrozen_.clear();
    recording_ = false;
    recorded_ = std::vector<HostValueChange>();
}
