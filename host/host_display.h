// Display state of occurrences, colours, freeze and delay status.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HOST_BLANKED 1
#define HOST_UNBLANKED 0

// Display properties of an object; the colour index is the second field and
// the blank status the third.
typedef struct UF_OBJ_disp_props_s {
    int layer;
    int color;
    int blank_status;
    int line_width;
    int font;
    logical highlight_status;
} UF_OBJ_disp_props_t;

// Capacity of the colour name buffer of UF_DISP_ask_color.
#define HOST_COLOR_NAME_BUFSIZE 32
// Colour model of UF_DISP_ask_color and UF_DISP_ask_closest_color: red,
// green, blue fractions from 0 to 1.
#define HOST_COLOR_MODEL_RGB 0
// Method of UF_DISP_ask_closest_color: least squared distance.
#define HOST_CLOSEST_EUCLIDEAN 1

HOST_API int UF_OBJ_set_blank_status(tag_t object, int status);
HOST_API int UF_OBJ_set_color(tag_t object, int color);
HOST_API int UF_OBJ_ask_display_properties(tag_t object, UF_OBJ_disp_props_t* properties);
HOST_API int UF_DISP_set_highlight(tag_t object, int on);
// name may be null.
HOST_API int UF_DISP_ask_color(int index, int model, char* name, double values[3]);
HOST_API int UF_DISP_ask_closest_color(int model, const double values[3], int method, int* index);

// Status bits of DUC_ask_part_status.
#define HOST_PART_STATUS_DELAYED 0x08
#define HOST_PART_STATUS_FROZEN 0x10
// Values of UF_WAVE_ask_delay_status.
#define HOST_DELAY_NONE 0
#define HOST_DELAY_FROZEN 3
#define HOST_DELAY_DELAYED 4

HOST_API int DUC_ask_part_status(tag_t part);
HOST_API int DUC_freeze_part(tag_t part);
HOST_API int DUC_unfreeze_part(tag_t part);
HOST_API int DUC_undelay_part(tag_t part);
HOST_API int UF_WAVE_ask_delay_status(tag_t part, int* status);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(offsetof(UF_OBJ_disp_props_t, color) == 4, "colour index is the second field");
static_assert(offsetof(UF_OBJ_disp_props_t, blank_status) == 8, "blank status is the third field");
#endif
