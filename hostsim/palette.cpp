#include "hostsim/palette.h"

#include <array>
#include <cstdio>
#include <limits>

namespace hostsim {

namespace {
constexpr int kCubeSize = 216;

std::string hexName(double red, double green, double blue) {
    char name[16];
    std::snprintf(name, sizeof name, "#%02X%02X%02X", static_cast<int>(red * 255 + 0.5),
                  static_cast<int>(green * 255 + 0.5), static_cast<int>(blue * 255 + 0.5));
    return name;
}

PaletteColor makeColor(int index) {
    PaletteColor color;
    int offset = index - Palette::kFirstIndex;
    if (offset < kCubeSize) {
        color.red = (offset / 36) / 5.0;
        color.green = (offset / 6 % 6) / 5.0;
        color.blue = (offset % 6) / 5.0;
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
