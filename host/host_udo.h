// User-defined objects: classes and objects kept in a part.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int UF_UDOBJ_class_t;

// The data of an object as UF_UDOBJ_ask_udo_data returns it; released with
// UF_UDOBJ_free_udo_data.
typedef struct UF_UDOBJ_all_data_s {
    UF_UDOBJ_class_t class_id;
    tag_t udo_tag;
    int num_ints;
    int* ints;
    int num_reals;
    double* reals;
    int num_strings;
    char** strings;
} UF_UDOBJ_all_data_t;

HOST_API int UF_UDOBJ_create_class(const char* class_name, const char* friendly_name,
                                   UF_UDOBJ_class_t* class_id);
// Creates the object in the work part.
HOST_API int UF_UDOBJ_create_udo(UF_UDOBJ_class_t class_id, tag_t* udo);
// Steps *udo to the next object of the class in the part; start with 0, ends
// with 0.
HOST_API int UF_UDOBJ_cycle_udos_by_class(tag_t part, UF_UDOBJ_class_t class_id, tag_t* udo);
HOST_API int UF_UDOBJ_ask_udo_data(tag_t udo, UF_UDOBJ_all_data_t* data);
HOST_API int UF_UDOBJ_free_udo_data(UF_UDOBJ_all_data_t* data);
HOST_API int UF_UDOBJ_add_integers(tag_t udo, int count, const int* values);
HOST_API int UF_UDOBJ_add_strings(tag_t udo, int count, const char* const* strings);
// Removes count strings starting at position first, counted from 1.
HOST_API int UF_UDOBJ_delete_strings(tag_t udo, int first, int count);
HOST_API int UF_OBJ_delete_object(tag_t object);

#ifdef __cplusplus
}

static_assert(offsetof(UF_UDOBJ_all_data_t, num_ints) == 8, "integer count at byte 8");
static_assert(offsetof(UF_UDOBJ_all_data_t, ints) == 16, "integer array at byte 16");
static_assert(offsetof(UF_UDOBJ_all_data_t, num_strings) == 40, "string count at byte 40");
static_assert(offsetof(UF_UDOBJ_all_data_t, strings) == 48, "string array at byte 48");
#endif
