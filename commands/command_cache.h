// What a display command (Blank, Isolate, Color, Freeze, the highlight)
// learns of the session and sets in it. Such a command changes no part and
// no occurrence, so the tags of the rows' parts and their occurrences are
// asked once per command however many rows hold them, and a value is set on
// an occurrence (or a part frozen) only when this command has not just set
// the same: every row that holds it would set it again to the end state it
// already has. It is used only within a scope, which every command opens:
// its answers are references into it that last until the scope ends.
#pragma once

#include "commands/undo_steps.h"
#include "host/host_types.h"
#include "model/scoped_cache.h"

#include <array>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CommandCache final : public ScopedCache {
  public:
    tag_t DisplayPart();
    // UF_PART_ask_part_tag of each name, in order.
    std::vector<tag_t> PartTags(const std::vector<std::string>& names);
    // The occurrences of part below the display part; none for tag 0.
    const std::vector<tag_t>& Occurrences(tag_t part);

    // The host's setters, each made unless this command made the same call
    // last on that object.
    void SetBlankStatus(tag_t occurrence, int status);
    void SetColor(tag_t occurrence, int colorIndex);
    void SetHighlight(tag_t occurrence, int on);
    void FreezePart(tag_t part);
    // The unfreezing of a frozen part, which the command makes itself.
    void NoteUnfrozen(tag_t part);

    // From StartRecording on, the first change of each blank status, colour
    // and frozen state by this command is recorded with the value the host
    // had before, asked just before the change; TakeRecorded ends it and
    // gives each change with its final value, leaving out what ended as it
    // began.
    void StartRecording();
    std::vector<HostValueChange> TakeRecorded();

  private:
    enum Setter { kBlank, kColor, kHighlight, kSetterCount };
    // Whether the setter must call the host, remembering the value it sets.
    bool changes(Setter setter, tag_t object, int value);
    void record(Setter setter, tag_t object, int value);
    void Forget() override;

    bool displayPartKnown_ = false;
    tag_t displayPart_ = NULL_TAG;
    std::unordered_map<std::string, tag_t> tags_;
    std::unordered_map<tag_t, std::vector<tag_t>> occurrences_;
    // Per setter, the value it last set on each object.
    std::array<std::unordered_map<tag_t, int>, kSetterCount> lastSet_;
    std::unordered_set<tag_t> frozen_;
    std::unordered_set<tag_t> unfrozen_;
    bool recording_ = false;
    std::vector<HostValueChange> recorded_;
};
