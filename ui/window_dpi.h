// The DPI a window is drawn at, whatever awareness its thread has.
#pragma once

#include "ui/display_scale.h"

#include <windows.h>

DisplayScale WindowScale(HWND window);
