#include "commands/part_occurrences.h"

#include "model/occurrence_state.h"

std::vector<tag_t> AskPartTags(const std::vector<std::string>& names) {
    std::vector<tag_t> tags;
    tags.reserve(names.size());
    for (const std::string& name : names)
        tags.push_back(UF_PART_ask_part_tag(name.c_str()));
    return tags;
}

bool HasUnsuppressedOccurrence(tag_t part) {
    bool found = false;
    ForEachOccurrence(part, [&found](tag_t occurrence) {
        if (IsUnsuppressedOccurrence(occurrence))
            found = true;
    });
    return found;
}
