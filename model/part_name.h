// A part's name as the host reports it.
#pragma once

#include "host/host_part.h"

#include <string>

// The part's file name; empty when the host does not tell it.
inline std::string PartNameOf(tag_t part) {
    char name[HOST_PART_NAME_BUFSIZE] = "";
    if (UF_PART_ask_part_name(part, name) != 0)
        name[0] = '\0';
    return name;
}
