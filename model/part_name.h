// A part's name as the host reports it.
#pragma once

#include "host/host_part.h"

#include <algorithm>
#include <string>

// The part's file name; empty when the host does not tell it.
inline std::string PartNameOf(tag_t part) {
    char name[HOST_PART_NAME_BUFSIZE] = "";
    if (UF_PART_ask_part_name(part, name) != 0)
        return std::string();
    // A name that fills the buffer without its end is read no further.
    return std::string(name, std::find(name, name + sizeof name, '\0'));
}
