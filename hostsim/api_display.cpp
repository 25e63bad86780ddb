// Display state of occurrences, the colour table, freeze and delay status.
#include "host/host_display.h"
#include "hostsim/palette.h"
#include "hostsim/simulator.h"

#include <cstdio>

using hostsim::Palette;
using hostsim::Part;
using hostsim::simulator;

namespace {

hostsim::DisplayState* displayOf(tag_t object) {
    hostsim::Occurrence* occurrence = simulator().session.liveOccurrence(object);
    return occurrence ? &occurrence->display : nullptr;
}

int changeLoadedPart(const char* operation, tag_t part, void (*change)(Part&)) {
    auto& s = simulator();
    if (auto code = s.enter(operation, part))
        return *code;
    Part* found = s.session.loadedPart(part);
    if (!found)
        return HOST_ERR_BAD_TAG;
    change(*found);
    return 0;
}

} // namespace

extern "C" {

int UF_OBJ_set_blank_status(tag_t object, int status) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_OBJ_set_blank_status", object, status))
        return *code;
    hostsim::DisplayState* display = displayOf(object);
    if (!display)
        return HOST_ERR_BAD_TAG;
    if (status != HOST_BLANKED && status != HOST_UNBLANKED)
        return HOST_ERR_BAD_ARGUMENT;
    display->blanked = status == HOST_BLANKED;
    return 0;
}

int UF_OBJ_set_color(tag_t object, int color) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_OBJ_set_color", object, color))
        return *code;
    hostsim::DisplayState* display = displayOf(object);
    if (!display)
        return HOST_ERR_BAD_TAG;
    if (!Palette::contains(color))
        return HOST_ERR_OUT_OF_RANGE;
    display->color = color;
    return 0;
}

int UF_OBJ_ask_display_properties(tag_t object, UF_OBJ_disp_props_t* properties) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_OBJ_ask_display_properties", object))
        return *code;
    const hostsim::DisplayState* display = displayOf(object);
    if (!display || !properties)
        return HOST_ERR_BAD_TAG;
    *properties = UF_OBJ_disp_props_t{1,
                                      display->color,
                                      display->blanked ? HOST_BLANKED : HOST_UNBLANKED,
                                      1,
                                      1,
                                      display->highlighted ? 1 : 0};
    return 0;
}

int UF_DISP_set_highlight(tag_t object, int on) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_DISP_set_highlight", object, on))
        return *code;
    hostsim::DisplayState* display = displayOf(object);
    if (!display)
        return HOST_ERR_BAD_TAG;
    display->highlighted = on != 0;
    return 0;
}

int UF_DISP_ask_color(int index, int model, char* name, double values[3]) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_DISP_ask_color", index, model))
        return *code;
    if (!Palette::contains(index))
        return HOST_ERR_OUT_OF_RANGE;
    if (model != HOST_COLOR_MODEL_RGB || !values)
        return HOST_ERR_BAD_ARGUMENT;
    hostsim::PaletteColor color = Palette::color(index);
    values[0] = color.red;
    values[1] = color.green;
    values[2] = color.blue;
    if (name)
        // The host cuts a name to its buffer, as the caller's buffer size says.
        static_cast<void>(std::snprintf(name, HOST_COLOR_NAME_BUFSIZE, "%s", color.name.c_str()));
    return 0;
}

int UF_DISP_ask_closest_color(int model, const double values[3], int method, int* index) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (!values) {
        s.enter("UF_DISP_ask_closest_color", model, method);
        return HOST_ERR_BAD_ARGUMENT;
    }
    if (auto code =
            s.enter("UF_DISP_ask_closest_color", model, values[0], values[1], values[2], method))
        return *code;
    if (model != HOST_COLOR_MODEL_RGB || method != HOST_CLOSEST_EUCLIDEAN || !index)
        return HOST_ERR_BAD_ARGUMENT;
    *index = Palette::closest(values[0], values[1], values[2]);
    return 0;
}

int DUC_ask_part_status(tag_t part) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("DUC_ask_part_status", part))
        return 0;
    const Part* found = s.session.loadedPart(part);
    if (!found)
        return 0;
    return (found->frozen ? HOST_PART_STATUS_FROZEN : 0) |
           (found->delayed ? HOST_PART_STATUS_DELAYED : 0);
}

int DUC_freeze_part(tag_t part) {
    const hostsim::HostCallScope hostCall;
    return changeLoadedPart("DUC_freeze_part", part, [](Part& p) { p.frozen = true; });
}

int DUC_unfreeze_part(tag_t part) {
    const hostsim::HostCallScope hostCall;
    return changeLoadedPart("DUC_unfreeze_part", part, [](Part& p) { p.frozen = false; });
}

int DUC_undelay_part(tag_t part) {
    const hostsim::HostCallScope hostCall;
    return changeLoadedPart("DUC_undelay_part", part, [](Part& p) { p.delayed = false; });
}

int UF_WAVE_ask_delay_status(tag_t part, int* status) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_WAVE_ask_delay_status", part))
        return *code;
    const Part* found = s.session.loadedPart(part);
    if (!found || !status)
        return HOST_ERR_BAD_TAG;
    *status = found->frozen    ? HOST_DELAY_FROZEN
              : found->delayed ? HOST_DELAY_DELAYED
                               : HOST_DELAY_NONE;
    return 0;
}

} // extern "C"
