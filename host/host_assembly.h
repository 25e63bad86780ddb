// Assembly structure: instances, occurrences, work part.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

// The UF_ASSEM_ family returns counts as results and arrays released with
// UF_free; the OCC_ family's arrays are released with SM_free.

// Occurrences of part below parent (0: below the display part), at every depth.
HOST_API int UF_ASSEM_ask_occs_of_part(tag_t parent, tag_t part, tag_t** occurrences);
HOST_API tag_t UF_ASSEM_ask_root_part_occ(tag_t part);
HOST_API int UF_ASSEM_ask_part_occ_children(tag_t occurrence, tag_t** children);
HOST_API tag_t UF_ASSEM_ask_prototype_of_occ(tag_t occurrence);
// 0 for a root occurrence.
HOST_API tag_t UF_ASSEM_ask_inst_of_part_occ(tag_t occurrence);
HOST_API int UF_ASSEM_ask_suppress_state(tag_t instance, logical* suppressed);
HOST_API logical UF_ASSEM_is_part_occurrence(tag_t object);
HOST_API tag_t UF_ASSEM_ask_work_part(void);
HOST_API int UF_ASSEM_set_work_part(tag_t part);

HOST_API int OCC_ask_occs_of_part_in_assy(tag_t assembly, tag_t part, tag_t** occurrences);
HOST_API tag_t OCC_ask_instance_of_part_occ(tag_t occurrence);
HOST_API logical OCC_is_instance_suppressed(tag_t instance);

#ifdef __cplusplus
}
#endif
