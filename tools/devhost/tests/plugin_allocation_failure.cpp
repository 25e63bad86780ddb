// Arms the failing operator new of the plug-in's test copy when the library
// is loaded: with VM_FAIL_ALLOCATION=N in the environment the N-th
// allocation of the plug-in from then on fails (none for 0 or no variable).
// When the library is unloaded it writes how many allocations it counted to
// standard error, so that a sweep learns how many a session makes.
#include "testing/failing_allocations.h"

#include <cstdio>
#include <cstdlib>

namespace {

class ArmedFromEnvironment {
  public:
    ArmedFromEnvironment() {
        const char* failing = std::getenv("VM_FAIL_ALLOCATION");
        failing_allocations::Arm(failing ? std::strtol(failing, nullptr, 10) : 0);
    }
    ~ArmedFromEnvironment() {
        failing_allocations::Disarm();
        std::fprintf(stderr, "plug-in allocations: %ld%s\n", failing_allocations::Counted(),
                     failing_allocations::Failed() ? ", the armed one failed" : "");
    }
};

const ArmedFromEnvironment g_armed;

} // namespace
