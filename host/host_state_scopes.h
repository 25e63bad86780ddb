// Host-wide state that a piece of work changes for its own length only,
// given back when the work ends, whichever way it ends: an exception or an
// early return must not leave the designer's graphics window frozen, showing
// another part, or another part to work in.
#pragma once

#include "host/host_assembly.h"
#include "host/host_part.h"

// Turns the display's updates off, and on again when it goes.
class DisplayUpdatesOff {
  public:
    DisplayUpdatesOff() { UF_DISP_set_display(0); }
    ~DisplayUpdatesOff() { UF_DISP_set_display(1); }
    DisplayUpdatesOff(const DisplayUpdatesOff&) = delete;
    DisplayUpdatesOff& operator=(const DisplayUpdatesOff&) = delete;
};

// Makes part the display part again when it goes, after the work made other
// parts the display part in between.
class DisplayPartKept {
  public:
    explicit DisplayPartKept(tag_t part) : part_(part) {}
    ~DisplayPartKept() { UF_PART_set_display_part(part_); }
    DisplayPartKept(const DisplayPartKept&) = delete;
    DisplayPartKept& operator=(const DisplayPartKept&) = delete;

  private:
    tag_t part_;
};

// Makes the work part of its making the work part again when it goes; a
// session without one is left without one.
class WorkPartKept {
  public:
    WorkPartKept() : part_(UF_ASSEM_ask_work_part()) {}
    ~WorkPartKept() {
        if (part_ != NULL_TAG)
            UF_ASSEM_set_work_part(part_);
    }
    WorkPartKept(const WorkPartKept&) = delete;
    WorkPartKept& operator=(const WorkPartKept&) = delete;

  private:
    tag_t part_;
};
