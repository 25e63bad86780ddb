// What the host says about one occurrence on display.
#pragma once

#include "host/host_types.h"

// True when the occurrence's instance exists and is not suppressed.
bool IsUnsuppressedOccurrence(tag_t occurrence);
