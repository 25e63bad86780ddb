// The test program's operator new, which can make the n-th allocation of the
// plug-in fail: counted from the moment it is armed, leaving out those made
// while paused (the test's checks) or while the exemption says so (the
// simulated host's own). The nothrow forms return null; the others throw
// std::bad_alloc. Linked into a test program, it replaces the program's
// operator new; the over-aligned forms, which the plug-in does not use, stay
// the library's.
#pragma once

namespace failing_allocations {

// Answers true while allocations are not the plug-in's.
using Exemption = bool (*)();
void SetExemption(Exemption exempt);

// Counts allocations from now on; the failing-th one fails, none for 0.
void Arm(long failing);
void Disarm();
// The allocations counted since Arm.
long Counted();
// Whether the armed allocation has failed.
bool Failed();

// No allocation is counted or failed while one lives.
class Paused {
  public:
    Paused();
    ~Paused();
    Paused(const Paused&) = delete;
    Paused& operator=(const Paused&) = delete;
};

} // namespace failing_allocations
