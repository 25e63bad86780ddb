// What tree building learns of the session: the session does not change
// while a build (or one question of the model) runs, so each of these is
// asked of the host once and the answer kept until the outermost question
// ends (SessionCache::Scope).
#pragma once

#include "host/host_display.h"
#include "host/host_types.h"
#include "model/scoped_cache.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class SessionCache final : public ScopedCache {
  public:
    tag_t DisplayPart();
    // A part the host has just listed as loaded, by its name: asked of the
    // host by name again only when its name does not decode to itself.
    void AddSessionPart(const std::string& name, tag_t part);
    // The unsuppressed occurrences on display of the session part of this
    // name, or 0 alone when it is the display part; none when it is not
    // loaded.
    // Answers are references into the cache: they stay valid until the
    // outermost scope ends.
    const std::vector<tag_t>& PartOccurrencesOnDisplay(const std::string& partName);
    const std::vector<tag_t>& ChildOccurrences(tag_t occurrence);
    // The part an occurrence places, and its name; what listing a part's
    // occurrences taught is not asked again.
    tag_t PrototypeOf(tag_t occurrence);
    std::string PrototypeName(tag_t occurrence);
    // Whether the occurrence's instance exists and is not suppressed.
    bool IsUnsuppressed(tag_t occurrence);
    // The part's delay status; none when the host does not tell.
    int DelayStatus(tag_t part);
    // The packed colour of a host colour index (AskPackedColor).
    uint32_t PackedColor(int colorIndex);
    // The display properties of an occurrence, 0 standing for the display
    // part through its root occurrence; false when the host does not tell.
    bool DisplayProperties(tag_t occurrence, UF_OBJ_disp_props_t& properties);
    // Whether the work-part record remembers closed parts of this group
    // (and key value, empty for any).
    bool RecordRemembers(const std::string& groupName, const std::string& keyValue);

  private:
    void Forget() override;

    bool displayPartKnown_ = false;
    tag_t displayPart_ = NULL_TAG;
    bool recordRead_ = false;
    bool recordReadable_ = false;
    std::unordered_map<std::string, std::unordered_set<std::string>> recordKeys_;
    struct DisplayPropertiesAnswer {
        bool read = false;
        UF_OBJ_disp_props_t properties{};
    };
    std::unordered_map<tag_t, DisplayPropertiesAnswer> displayProperties_;
    std::unordered_map<std::string, std::vector<tag_t>> partOccurrences_;
    std::unordered_map<tag_t, std::vector<tag_t>> childOccurrences_;
    std::unordered_map<std::string, tag_t> sessionParts_;
    std::unordered_map<tag_t, std::string> partNames_;
    std::unordered_map<tag_t, tag_t> prototypes_;
    std::unordered_map<tag_t, bool> unsuppressed_;
    std::unordered_map<tag_t, int> delayStatuses_;
    std::unordered_map<int, uint32_t> packedColors_;
};
