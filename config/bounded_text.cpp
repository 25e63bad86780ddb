#include "config/bounded_text.h"

#include <cstring>

bool CopyBounded(char* buffer, size_t capacity, const char* text) {
    const size_t length = std::strlen(text);
    if (length >= capacity)
        return false;
    std::memcpy(buffer, text, length + 1);
    return true;
}

bool JoinBounded(char* buffer, size_t capacity, std::initializer_list<std::string_view> pieces) {
    size_t length = 0;
    for (std::string_view piece : pieces)
        length += piece.size();
    if (length >= capacity)
        return false;
    for (std::string_view piece : pieces) {
        std::memcpy(buffer, piece.data(), piece.size());
        buffer += piece.size();
    }
    *buffer = '\0';
    return true;
}

void EmptyBounded(char* buffer, size_t capacity) {
    if (capacity > 0)
        buffer[0] = '\0';
}
