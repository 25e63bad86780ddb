#include "model/tree_shape.h"

#include "model/row_model.h"

#include <string>
#include <unordered_map>

namespace {

// FNV-1a, 64 bits: places are compared, never read back.
uint64_t mix(uint64_t hash, const std::string& text) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    // The end of a text: "ab" + "c" is not "a" + "bc".
    hash ^= 0xFF;
    return hash * 0x100000001B3ull;
}

uint64_t mix(uint64_t hash, int number) {
    for (int byte = 0; byte < 4; ++byte) {
        hash ^= static_cast<unsigned>(number) >> (8 * byte) & 0xFFu;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

constexpr uint64_t kTopPlace = 0xCBF29CE484222325ull;

// The rows whose every ancestor is expanded, as the designer left them
// before any filter.
std::vector<bool> shownRows(const RowModel& model) {
    std::vector<bool> shown(static_cast<size_t>(model.RowCount()));
    for (int r = 0; r < model.RowCount(); ++r) {
        const int parent = model.RowAt(r).parent;
        shown[r] = parent < 0 || (shown[parent] && model.List().IsExpandedUnfiltered(parent));
    }
    return shown;
}

int rowAt(const std::vector<uint64_t>& places, const std::optional<uint64_t>& place) {
    if (!place)
        return -1;
    for (size_t r = 0; r < places.size(); ++r) {
        if (places[r] == *place)
            return static_cast<int>(r);
    }
    return -1;
}

std::optional<uint64_t> placeOf(const std::vector<uint64_t>& places, int row) {
    if (row < 0 || static_cast<size_t>(row) >= places.size())
        return std::nullopt;
    return places[row];
}

} // namespace

std::vector<uint64_t> RowPlaces(const RowModel& model) {
    std::vector<uint64_t> places(static_cast<size_t>(model.RowCount()));
    std::unordered_map<uint64_t, int> alike; // rows seen so far per parent, name and key
    alike.reserve(places.size());
    for (int r = 0; r < model.RowCount(); ++r) {
        const Row& row = model.RowAt(r);
        const uint64_t parent = row.parent >= 0 ? places[row.parent] : kTopPlace;
        const uint64_t group = mix(mix(parent, row.name), row.key);
        places[r] = mix(group, alike[group]++);
    }
    return places;
}

TreeShape CaptureTreeShape(const RowModel& model) {
    TreeShape shape;
    const std::vector<uint64_t> places = RowPlaces(model);
    const std::vector<bool> shown = shownRows(model);
    const TreeList& list = model.List();
    for (int r = 0; r < model.RowCount(); ++r) {
        if (shown[r] && list.HasChildItems(r) && !list.IsExpandedUnfiltered(r))
            shape.collapsed.insert(places[r]);
    }
    shape.focused = placeOf(places, list.GetFocusedItem());
    shape.top = placeOf(places, list.GetTopItem());
    return shape;
}

std::vector<bool> KeptCollapsed(const std::vector<uint64_t>& places, const TreeShape& shape) {
    std::vector<bool> kept;
    if (shape.collapsed.empty())
        return kept;
    kept.resize(places.size());
    for (size_t r = 0; r < places.size(); ++r)
        kept[r] = shape.collapsed.count(places[r]) != 0;
    return kept;
}

void RestoreFocusAndTop(const std::vector<uint64_t>& places, TreeList& list,
                        const TreeShape& shape) {
    if (const int top = rowAt(places, shape.top); top >= 0)
        list.ScrollItemToTop(top);
    if (const int focused = rowAt(places, shape.focused); focused >= 0)
        list.FocusItem(focused);
}
