// Parts of the session: enumeration, names, loading, saving, display part.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

// Units of a part.
#define HOST_UNITS_METRIC 1
#define HOST_UNITS_ENGLISH 2

// Outcome of an open. When n_parts is not 0, file_names is released with
// UF_free_string_array(n_parts, file_names) and statuses with UF_free.
typedef struct UF_PART_load_status_s {
    logical failed;
    int n_parts;
    char** file_names;
    int* statuses;
} UF_PART_load_status_t;

HOST_API int UF_PART_ask_num_parts(void);
HOST_API tag_t UF_PART_ask_nth_part(int index);
HOST_API int UF_PART_ask_part_name(tag_t part, char name[HOST_PART_NAME_BUFSIZE]);
// 0 when no loaded part has that file name.
HOST_API tag_t UF_PART_ask_part_tag(const char* name);
HOST_API tag_t UF_PART_ask_display_part(void);
HOST_API int UF_PART_ask_units(tag_t part, int* units);

// 1 when the part is loaded, 0 when not.
HOST_API int UF_PART_is_loaded(const char* name);
// Lookups by file name in the form KZMGR_decode_cli_part_file produces.
HOST_API logical PART_is_part_loaded(const char* file_name);
HOST_API tag_t PART_ask_part_of_filename(const char* file_name);
// *file_name is released with SM_free.
HOST_API int KZMGR_decode_cli_part_file(const char* cli_name, char** file_name);

HOST_API int UF_PART_open_quiet(const char* name, tag_t* part, UF_PART_load_status_t* status);
HOST_API int UF_PART_close(tag_t part, int scope, int mode);
// Saves the work part.
HOST_API int UF_PART_save(void);
HOST_API logical UF_PART_is_modified(tag_t part);
HOST_API int UF_PART_set_display_part(tag_t part);
// 0 suspends display updates, 1 resumes them.
HOST_API int UF_DISP_set_display(int on);

#ifdef __cplusplus
}
#endif
