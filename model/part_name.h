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
    return std::string(text_within(name, sizeof name));
}
