#include "hostsim/palette.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace hostsim {

namespace {
constexpr int kCubeSize = 216;

int channelByte(double channel) {
    return static_cast<int>(std::lround(channel * 255));
}

std::string hexName(double red, double green, double blue) {
    char name[16];
    // Three bytes in hexadecimal always fit.
    static_cast<void>(std::snprintf(name, sizeof name, "#%02X%02X%02X", channelByte(red),
                                    channelByte(green), channelByte(blue)));
    return name;
}

PaletteColor makeColor(int index) {
    PaletteColor color;
    int offset = index - Palette::kFirstIndex;
    if (offset < kCubeSize) {
        // A 6 x 6 x 6 cube: each channel is one of six steps from 0 to 1.
        const int redStep = offset / 36;
        const int greenStep = offset / 6 % 6;
        const int blueStep = offset % 6;
        color.red = redStep / 5.0;
        color.green = greenStep / 5.0;
        color.blue = blueStep / 5.0;
    } else {
        double level = (offset - kCubeSize + 1) / 25.0;
        color.red = color.green = color.blue = level;
    }
    color.name = hexName(color.red, color.green, color.blue);
    return color;
}

using Table = std::array<PaletteColor, Palette::kLastIndex + 1>;

const Table& table() {
    static const Table colors = [] {
        Table t;
        for (int index = Palette::kFirstIndex; index <= Palette::kLastIndex; ++index)
            t[index] = makeColor(index);
        return t;
    }();
    return colors;
}
} // namespace

PaletteColor Palette::color(int index) {
    return contains(index) ? table()[index] : PaletteColor{};
}

int Palette::closest(double red, double green, double blue) {
    int best = kFirstIndex;
    double bestDistance = std::numeric_limits<double>::max();
    for (int index = kFirstIndex; index <= kLastIndex; ++index) {
        const PaletteColor& c = table()[index];
        double dr = c.red - red, dg = c.green - green, db = c.blue - blue;
        double distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = index;
        }
    }
    return best;
}

} // namespace hostsim
