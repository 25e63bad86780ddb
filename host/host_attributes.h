// Part attributes: ordered title/value pairs.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HOST_ATTR_TITLE_BUFSIZE 64
#define HOST_ATTR_TYPE_STRING 5

// One attribute; the title starts the record and the value text is reached
// through the pointer at byte 64. The host fills the rest of its 208 bytes.
typedef struct UF_ATTR_part_attr_s {
    char title[HOST_ATTR_TITLE_BUFSIZE];
    char* value;
    int type;
    char host_private[132];
} UF_ATTR_part_attr_t;

// *attributes is one block, released with UF_free, that also holds the texts.
HOST_API int ATTR_ask_part_attrs(tag_t part, int* count, UF_ATTR_part_attr_t** attributes);

#ifdef __cplusplus
}

static_assert(sizeof(UF_ATTR_part_attr_t) == 208, "attribute record is 208 bytes");
static_assert(offsetof(UF_ATTR_part_attr_t, title) == 0, "title at byte 0");
static_assert(offsetof(UF_ATTR_part_attr_t, value) == 64, "value pointer at byte 64");
#endif
