#include "config/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool copy_bounded(char* buffer, size_t capacity, const char* text) {
    const size_t length = std::strlen(text);
    if (length >= capacity)
        return false;
    std::memcpy(buffer, text, length + 1);
    return true;
}

bool format_bounded(char* buffer, size_t capacity, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, capacity, format, arguments);
    va_end(arguments);
    return length >= 0 && static_cast<size_t>(length) < capacity;
}

void empty_bounded(char* buffer, size_t capacity) {
    if (capacity > 0)
        buffer[0] = '\0';
}
