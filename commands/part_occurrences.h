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
