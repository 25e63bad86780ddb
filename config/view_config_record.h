// Growing the view configuration record one entry at a time.
#pragma once

#include "config/view_config.h"

#include <string>

struct ViewConfigEntry {
    int32_t hasSubGroups;
    int32_t parentIndex;
    std::string groupName;
    std::string customName;
    std::string keyValue;
};

enum class AppendResult { kAppended, kTextTooLong, kOutOfMemory };

// Appends entry as entry config.entryCount. Texts longer than the record's
// strings are refused, not cut. On failure the entry count is unchanged and
// the record can still be released.
AppendResult AppendViewConfigEntry(ViewConfig& config, const ViewConfigEntry& entry);
