#include "commands/occurrences_seen.h"

#include "host/host_api.h"
#include "model/host_arrays.h"

const std::vector<tag_t>& OccurrencesSeen::Of(tag_t part) {
    auto known = byPart_.find(part);
    if (known != byPart_.end())
        return known->second;
    UfTagArray listed;
    AskOccurrencesOfPart(NULL_TAG, part, listed);
    std::vector<tag_t>& occurrences = byPart_[part];
    occurrences.assign(listed.begin(), listed.end());
    for (tag_t occurrence : occurrences)
        prototypes_.emplace(occurrence, part);
    return occurrences;
}

tag_t OccurrencesSeen::PrototypeOf(tag_t occurrence) {
    auto known = prototypes_.find(occurrence);
    if (known != prototypes_.end())
        return known->second;
    return prototypes_[occurrence] = UF_ASSEM_ask_prototype_of_occ(occurrence);
}
