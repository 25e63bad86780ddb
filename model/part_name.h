// A part's name as the host reports it.
#pragma once

#include "config/bounded_text.h"
#include "host/host_part.h"

#include <string>

// The part's file name; empty when the host does not tell it.
inline std::string PartNameOf(tag_t part) {
    char name[HOST_PART_NAME_BUFSIZE] = "";
    if (UF_PART_ask_part_name(part, name) != 0)
        return std::string();
    return std::string(TextWithin(name, sizeof name));
}

// A part's file name without its folders.
inline std::string FileNameOf(const std::string& partName) {
    const size_t folder = partName.find_last_of("\\/");
    return folder == std::string::npos ? partName : partName.substr(folder + 1);
}
