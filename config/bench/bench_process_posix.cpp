#include "config/bench/bench_process.h"

#include <sys/resource.h>

void PrepareReaderThread() {}

size_t PeakMemoryBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<size_t>(usage.ru_maxrss) * 1024;
}
