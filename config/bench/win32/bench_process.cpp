#include "config/bench/bench_process.h"

#include <windows.h>

#include <objbase.h>
#include <psapi.h>

void PrepareReaderThread() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

size_t PeakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return counters.PeakWorkingSetSize;
}
