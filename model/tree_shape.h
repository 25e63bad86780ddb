// The shape a designer gives the tree (the rows left collapsed, the focused
// row, the row at the top of the page), kept across a rebuild by each row's
// place in the configuration rather than by its number: the next build
// shows the same shape wherever it has the same rows. A row new to the
// build shows as a build shows it; a row that is gone is forgotten.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

class RowModel;
class TreeList;

struct TreeShape {
    // The places of the shown rows left collapsed; the rows beneath them
    // show as they will when the row is opened again.
    std::unordered_set<uint64_t> collapsed;
    std::optional<uint64_t> focused;
    std::optional<uint64_t> top;
};

// Each row's place: the same in either tree and in every build of the same
// configuration, from the group names and key values of the row and the
// rows above it, rows alike under one parent told apart by their order.
std::vector<uint64_t> RowPlaces(const RowModel& model);

// The shape of the model's rows as its list shows them: the rows left
// collapsed as the designer left them, a filter aside; the focus and the
// top as they are, filtered or not.
TreeShape CaptureTreeShape(const RowModel& model);

// Whether the shape names anything to show again.
inline bool IsEmpty(const TreeShape& shape) {
    return shape.collapsed.empty() && !shape.focused && !shape.top;
}

// By item, which rows of the places (RowPlaces of a model) the shape keeps
// collapsed.
std::vector<bool> KeptCollapsed(const std::vector<uint64_t>& places, const TreeShape& shape);

// Gives the focus and the top of the page to the rows the shape names, when
// the places (RowPlaces of the model the list shows) have them.
void RestoreFocusAndTop(const std::vector<uint64_t>& places, TreeList& list,
                        const TreeShape& shape);
