// Writes an image as a PNG file, for a person to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// pixels holds width x height colours as 0x00RRGGBB, row by row from the
// top. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
