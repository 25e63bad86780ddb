// Reading the closed-parts record back, for the tests of the record and of
// the row model that writes it.
#pragma once

#include "record/record_lists.h"
#include "record/work_part_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::vector<std::string> recordStrings(tag_t record) {
    RecordData data(record);
    std::vector<std::string> strings;
    strings.reserve(data.StringCount());
    for (int i = 0; i < data.StringCount(); ++i)
        strings.push_back(data.String(i));
    return strings;
}

// The three lists side by side, "file|group|key"; they have one length.
inline std::vector<std::string> recordEntries() {
    const std::vector<std::string> files = recordStrings(g_closedPartsRecord);
    const std::vector<std::string> groups = recordStrings(g_closedGroupsRecord);
    const std::vector<std::string> keys = recordStrings(g_closedKeysRecord);
    EXPECT_EQ(files.size(), groups.size());
    EXPECT_EQ(files.size(), keys.size());
    std::vector<std::string> joined;
    for (size_t i = 0; i < files.size(); ++i)
        joined.push_back(files[i] + "|" + groups.at(i) + "|" + keys.at(i));
    return joined;
}
