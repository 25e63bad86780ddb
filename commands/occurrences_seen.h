// What a Close learns of occurrences while it gathers the parts it may take
// away. Nothing closes until they are all known, so each answer is asked of
// the host once and holds until then.
#pragma once

#include "host/host_types.h"

#include <unordered_map>
#include <vector>

class OccurrencesSeen {
  public:
    // The part's occurrences below the display part.
    const std::vector<tag_t>& Of(tag_t part);
    // The part an occurrence places, known without asking when the
    // occurrence was listed among its part's.
    tag_t PrototypeOf(tag_t occurrence);

  private:
    std::unordered_map<tag_t, std::vector<tag_t>> byPart_;
    std::unordered_map<tag_t, tag_t> prototypes_;
};
