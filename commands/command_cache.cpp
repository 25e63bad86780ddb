#include "commands/command_cache.h"

#include "host/host_api.h"
#include "model/host_arrays.h"

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
    if (first)
        return true;
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
    if (frozen_.insert(part).second)
        DUC_freeze_part(part);
}

void CommandCache::Forget() {
    displayPartKnown_ = false;
    displayPart_ = NULL_TAG;
    tags_.clear();
    occurrences_.clear();
    for (auto& lastSet : lastSet_)
        lastSet.clear();
    frozen_.clear();
}
