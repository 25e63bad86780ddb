// The cell pictures come in sets drawn at 100 %, 150 % and 200 % (res/make_pictures.py); a list
// shows the set nearest its DPI. Portable arithmetic only.
#pragma once

#include "res/resource.h"
#include "ui/display_scale.h"

#include <cstdlib>

struct CellPictureSet {
    int percent;
    // Added to a picture's resource id for its bitmap in this set.
    int resourceOffset;
    // A width of the 100 % pictures in this set, rounded down as the sets are drawn.
    int Length(int basePixels) const { return basePixels * percent / 100; }
    // A picture's height: its last row is see-through and falls on the next row's first, so it
    // stays one row at every scale and the rest of the picture fills the row.
    int Height(int basePixels) const { return Length(basePixels - 1) + 1; }
};

inline CellPictureSet CellPicturesFor(DisplayScale scale) {
    constexpr CellPictureSet kSets[] = {{100, 0}, {150, IDB_SCALED_150}, {200, IDB_SCALED_200}};
    const auto distance = [scale](const CellPictureSet& set) {
        return std::abs(scale.Dpi() * 100 - kBaseDpi * set.percent);
    };
    const CellPictureSet* nearest = kSets;
    for (const CellPictureSet& set : kSets) {
        if (distance(set) < distance(*nearest))
            nearest = &set;
    }
    return *nearest;
}
