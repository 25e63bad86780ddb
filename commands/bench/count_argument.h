// A benchmark program's count argument (parts, microseconds).
#pragma once

#include <cstdlib>

// text as a positive count no larger than limit, or 0 when it is not one.
inline long CountArgument(const char* text, long limit) {
    char* end = nullptr;
    const long count = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && count > 0 && count <= limit ? count : 0;
}
