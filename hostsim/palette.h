// The host's colour table: indices to red, green and blue fractions.
#pragma once

#include <string>

namespace hostsim {

struct PaletteColor {
    double red = 0, green = 0, blue = 0;
    std::string name;
};

// Index 1 to 216: a 6 x 6 x 6 cube, index = 1 + 36 r + 6 g + b for levels 0
// to 5 (level k is k / 5); 217 to 240: 24 greys from dark to light.
class Palette {
  public:
    static constexpr int kFirstIndex = 1;
    static constexpr int kLastIndex = 240;

    static bool contains(int index) { return index >= kFirstIndex && index <= kLastIndex; }
    static PaletteColor color(int index);
    // The index whose colour lies nearest (least squared distance); the
    // lowest such index on a tie.
    static int closest(double red, double green, double blue);
};

} // namespace hostsim
