// Host colours as the list draws them: 0x00BBGGRR.
#pragma once

#include <cstdint>

// Each component (0 to 1) times 255, truncated, low 8 bits; red lowest.
uint32_t PackColorComponents(const double components[3]);
// The packed colour of a host colour index (UF_DISP_ask_color, RGB model);
// 0 when the host cannot tell.
uint32_t AskPackedColor(int colorIndex);
