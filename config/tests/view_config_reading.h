// Reading view configuration files in tests: a file written from a text,
// read, and the record compared as a list of entries.
#pragma once

#include "config/framework_message_recorder.h"
#include "config/view_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace view_config_test {

struct Entry {
    int parent;
    int hasSubGroups;
    std::string group;
    std::string custom = "";
    std::string key = "";
};

inline bool operator==(const Entry& a, const Entry& b) {
    return a.parent == b.parent && a.hasSubGroups == b.hasSubGroups && a.group == b.group &&
           a.custom == b.custom && a.key == b.key;
}

inline std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << "{" << e.parent << ", " << e.hasSubGroups << ", \"" << e.group << "\", \""
               << e.custom << "\", \"" << e.key << "\"}";
}

using Entries = std::vector<Entry>;
using Messages = std::vector<std::string>;

inline const Messages kNoMessages;

struct Read {
    int result;
    Entries entries;
    Messages messages;
};

inline std::string path_of(const std::string& name) {
    return std::string(VM_BINARY_DIR) + "/config_tests/xml/" + name;
}

inline bool is_released(const ViewConfig& config) {
    return config.entryCount == 0 && !config.entryIndex && !config.hasSubGroups &&
           !config.parentIndex && !config.groupName && !config.customName && !config.keyValue;
}

inline Read read_path(const std::string& path) {
    ClearRecordedFrameworkMessages();
    ViewConfig config{};
    Read read{ReadViewConfig(path.c_str(), &config), {}, RecordedFrameworkMessages()};
    for (int32_t i = 0; i < config.entryCount; ++i) {
        EXPECT_EQ(i, config.entryIndex[i]);
        read.entries.push_back({config.parentIndex[i], config.hasSubGroups[i], config.groupName[i],
                                config.customName[i], config.keyValue[i]});
    }
    if (read.result == kViewConfigRead)
        ReleaseViewConfig(&config);
    EXPECT_TRUE(is_released(config)) << path;
    return read;
}

// Writes the bytes of xml (UTF-8) into a file of that name and reads it.
inline Read read_xml(const std::string& name, const std::string& xml) {
    std::filesystem::create_directories(path_of(""));
    std::ofstream(path_of(name), std::ios::binary) << xml;
    return read_path(path_of(name));
}

// "XML Parse Error 0x%x : %s" with a code other than 0 and a reason.
inline bool is_parse_error(const std::string& message) {
    const std::string start = "XML Parse Error 0x";
    const size_t reason = message.find(" : ");
    return message.compare(0, start.size(), start) == 0 && reason != std::string::npos &&
           reason > start.size() && message[start.size()] != '0' &&
           message.find_first_not_of("0123456789abcdef", start.size()) == reason &&
           reason + 3 < message.size();
}

inline Entries entries_of(const std::string& name, const std::string& xml) {
    const Read read = read_xml(name, xml);
    EXPECT_EQ(kViewConfigRead, read.result) << name;
    EXPECT_EQ(kNoMessages, read.messages) << name;
    return read.entries;
}

} // namespace view_config_test
