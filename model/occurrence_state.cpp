#include "model/occurrence_state.h"

#include "host/host_assembly.h"

bool IsUnsuppressedOccurrence(tag_t occurrence) {
    const tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occurrence);
    if (instance == NULL_TAG)
        return false;
    logical suppressed = 0;
    return UF_ASSEM_ask_suppress_state(instance, &suppressed) == 0 && !suppressed;
}
