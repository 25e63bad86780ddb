#include "commands/part_occurrences.h"

#include "model/occurrence_state.h"

bool HasUnsuppressedOccurrence(tag_t part) {
    bool found = false;
    ForEachOccurrence(part, [&found](tag_t occurrence) {
        if (IsUnsuppressedOccurrence(occurrence))
            found = true;
    });
    return found;
}
