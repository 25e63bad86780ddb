// One thing the checker has to say about a place in the file.
#pragma once

#include <string>

struct Finding {
    int line; // from 1; 0 when the element's line is not known
    std::string text;
};
