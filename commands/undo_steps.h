// What the display commands (Blank, Isolate, Color, Freeze) changed, kept so
// that they can be taken back one at a time, the last first. Open and Close
// are not kept: a close may have saved or discarded work.
#pragma once

#include "host/host_types.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// A value of the host's that a command changed, on one object.
struct HostValueChange {
    enum class Kind { kBlankStatus, kColor, kFrozen };
    Kind kind;
    tag_t object; // an occurrence; a part for kFrozen
    int before;   // blank status, colour index, or 1 for frozen
    int set;      // what the command left there
};

// The part of a row's state that a display command changes.
struct RowLook {
    int row = 0;
    bool shown = true;
    bool unfrozen = true;
    bool padlockOpen = true;
    uint32_t color = 0;

    bool SameAs(const RowLook& other) const {
        return shown == other.shown && unfrozen == other.unfrozen &&
               padlockOpen == other.padlockOpen && color == other.color;
    }
};

struct UndoStep {
    std::string command; // as the row's menu words it: "Blank", "Unfreeze", ...
    std::string label;   // of the row it ran on
    std::vector<HostValueChange> changes;
    // The rows the command changed, as they were before it.
    std::vector<RowLook> rowsBefore;
    int build = 0; // the build whose rows these are
};

// The steps, at most kMostSteps of them and kMostChanges host values in all:
// the oldest are forgotten first. A step larger than the whole bound is not
// kept at all.
class UndoSteps {
  public:
    static constexpr size_t kMostSteps = 32;
    // 16 bytes each: 16 MB at most, whatever the assembly.
    static constexpr size_t kMostChanges = size_t{1} << 20;

    // False when the step was too large to keep.
    bool Push(UndoStep step);
    bool IsEmpty() const { return steps_.empty(); }
    const UndoStep& Last() const { return steps_.back(); }
    UndoStep TakeLast();
    size_t Count() const { return steps_.size(); }

  private:
    std::deque<UndoStep> steps_;
    size_t changes_ = 0;
};
