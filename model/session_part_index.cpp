#include "model/session_part_index.h"

#include "host/host_part.h"
#include "model/part_attributes.h"

#include <algorithm>

std::vector<std::string> SessionPartIndex::LoadedPartsWith(const std::vector<std::string>& names,
                                                           const std::string& title,
                                                           const std::string& value) {
    if (!InScope())
        Forget();
    learn(names);
    std::vector<size_t> parts;
    auto carried = byTitle_.find(title);
    if (carried != byTitle_.end()) {
        for (const Attribute& attribute : carried->second) {
            if (value.empty() || attribute.value == value)
                parts.push_back(attribute.part);
        }
    }
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    std::vector<std::string> found;
    found.reserve(parts.size());
    for (size_t part : parts)
        found.push_back(names[part]);
    if (!InScope())
        Forget();
    return found;
}

void SessionPartIndex::learn(const std::vector<std::string>& names) {
    // Names only ever come at the end: the parts an Open opened.
    const bool grown = names.size() > tags_.size();
    tags_.resize(names.size(), NULL_TAG);
    if (InScope()) {
        const int loaded = UF_PART_ask_num_parts();
        if (!grown && loaded == loadedCount_)
            return;
        loadedCount_ = loaded;
    }
    for (size_t p = 0; p < names.size(); ++p) {
        if (tags_[p] != NULL_TAG)
            continue;
        tags_[p] = UF_PART_ask_part_tag(names[p].c_str());
        if (tags_[p] == NULL_TAG)
            continue;
        const PartAttributes attributes(tags_[p]);
        for (int a = 0; a < attributes.Count(); ++a)
            byTitle_[std::string(attributes.Title(a))].push_back(
                {std::string(attributes.Value(a)), p});
    }
}

void SessionPartIndex::Forget() {
    tags_.clear();
    loadedCount_ = -1;
    byTitle_.clear();
}
