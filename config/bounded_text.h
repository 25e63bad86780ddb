// Copying, formatting and reading fixed-size buffers without ever cutting a text
// or reading past one.
#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>

// Copies text into buffer (capacity bytes, terminating zero included). Returns
// false and leaves the buffer as it was when the text does not fit.
bool CopyBounded(char* buffer, size_t capacity, const char* text);

// Writes the pieces one after the other into buffer. Returns false and leaves
// the buffer as it was when they do not fit together.
bool JoinBounded(char* buffer, size_t capacity, std::initializer_list<std::string_view> pieces);

// Empties a buffer of the given capacity (none: nothing to empty).
void EmptyBounded(char* buffer, size_t capacity);

// The text a buffer of capacity bytes holds: up to its terminating zero, or
// the whole buffer when its writer left none. Nothing past it is read.
inline std::string_view TextWithin(const char* buffer, size_t capacity) {
    const void* end = std::memchr(buffer, '\0', capacity);
    return std::string_view(
        buffer, end ? static_cast<size_t>(static_cast<const char*>(end) - buffer) : capacity);
}
