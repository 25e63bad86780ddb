// The host objects a row's parts stand for: their tags and their
// occurrences on display.
#pragma once

#include "host/host_api.h"
#include "model/host_arrays.h"

#include <string>
#include <vector>

// The host's blank status for a row's shown flag.
inline int BlankStatusFor(int shown) {
    return shown != 0 ? HOST_UNBLANKED : HOST_BLANKED;
}

// The tags of the part names, in order; 0 for a name no loaded part has.
std::vector<tag_t> AskPartTags(const std::vector<std::string>& names);

// Calls visit for every occurrence of part below the display part. A part
// the host no longer has has none.
template <typename Visit> void ForEachOccurrence(tag_t part, Visit visit) {
    if (part == NULL_TAG)
        return;
    UfTagArray occurrences;
    AskOccurrencesOfPart(NULL_TAG, part, occurrences);
    for (tag_t occurrence : occurrences)
        visit(occurrence);
}

// As ForEachOccurrence, but the display part, which has no occurrence of
// itself, is visited through its root occurrence.
template <typename Visit> void ForEachOccurrenceOrRoot(tag_t part, tag_t displayPart, Visit visit) {
    if (part != NULL_TAG && part == displayPart) {
        visit(UF_ASSEM_ask_root_part_occ(part));
        return;
    }
    ForEachOccurrence(part, visit);
}

// ForEachOccurrence for each part name in turn.
template <typename Visit>
void ForEachOccurrenceOfParts(const std::vector<std::string>& names, Visit visit) {
    for (tag_t part : AskPartTags(names))
        ForEachOccurrence(part, visit);
}

// True when the part has an occurrence below the display part whose
// instance is not suppressed.
bool HasUnsuppressedOccurrence(tag_t part);
