#include "model/host_color.h"

#include "host/host_display.h"

namespace {
uint32_t channel(double fraction) {
    const double scaled = fraction * 255.0;
    // Outside the range of an int the conversion would be undefined; the
    // host's components lie in [0, 1].
    if (!(scaled > -2147483648.0 && scaled < 2147483648.0))
        return 0;
    return static_cast<uint32_t>(static_cast<int>(scaled)) & 0xFFu;
}
} // namespace

uint32_t PackColorComponents(const double components[3]) {
    return channel(components[0]) | channel(components[1]) << 8 | channel(components[2]) << 16;
}

uint32_t AskPackedColor(int colorIndex) {
    double components[3] = {0.0, 0.0, 0.0};
    char name[HOST_COLOR_NAME_BUFSIZE] = "";
    if (UF_DISP_ask_color(colorIndex, HOST_COLOR_MODEL_RGB, name, components) != 0)
        return 0;
    return PackColorComponents(components);
}
