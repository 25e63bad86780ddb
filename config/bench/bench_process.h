// What a benchmark process needs of its platform.
#pragma once

#include <cstddef>

// Makes the thread ready to read a view configuration (COM on Windows).
void PrepareReaderThread();

// The most memory the process has held in physical memory so far, in bytes.
size_t PeakMemoryBytes();
