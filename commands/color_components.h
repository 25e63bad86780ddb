// Packed colours (0x00BBGGRR) as the host's colour components and indices.
#pragma once

#include <cstdint>

// Each byte divided by 255.0, red first.
void UnpackColorComponents(uint32_t packedColor, double components[3]);
// The host's colour index nearest to the packed colour; false, with index
// untouched, when the host cannot tell.
bool AskClosestColorIndex(uint32_t packedColor, int* index);
