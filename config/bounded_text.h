// Copying and formatting into fixed-size buffers without ever cutting a text.
#pragma once

#include <cstddef>

// Copies text into buffer (capacity bytes, terminating zero included). Returns
// false and leaves the buffer as it was when the text does not fit.
bool copy_bounded(char* buffer, size_t capacity, const char* text);

// Formats into buffer. Returns false when the result does not fit; the buffer
// then holds a cut text that the caller must not use.
bool format_bounded(char* buffer, size_t capacity, const char* format, ...);

// Empties a buffer of the given capacity (none: nothing to empty).
void empty_bounded(char* buffer, size_t capacity);
