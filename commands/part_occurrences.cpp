#include "commands/part_occurrences.h"

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
        const tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occurrence);
        logical suppressed = 0;
        if (instance != NULL_TAG && UF_ASSEM_ask_suppress_state(instance, &suppressed) == 0 &&
            !suppressed)
            found = true;
    });
    return found;
}
