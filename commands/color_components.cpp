#include "commands/color_components.h"

#include "host/host_display.h"

void UnpackColorComponents(uint32_t packedColor, double components[3]) {
    for (int i = 0; i < 3; ++i)
        components[i] = static_cast<double>((packedColor >> (8 * i)) & 0xFFu) / 255.0;
}

bool AskClosestColorIndex(uint32_t packedColor, int* index) {
    double components[3];
    UnpackColorComponents(packedColor, components);
    int found = 0;
    if (UF_DISP_ask_closest_color(HOST_COLOR_MODEL_RGB, components, HOST_CLOSEST_EUCLIDEAN,
                                  &found) != 0)
        return false;
    *index = found;
    return true;
}
