#include "testing/failing_allocations.h"

#include <cstdlib>
#include <new>

namespace {

bool g_armed = false;
long g_failing = 0;
long g_counted = 0;
bool g_failed = false;
int g_paused = 0;
failing_allocations::Exemption g_exempt = nullptr;

bool failsNow() {
    if (!g_armed || g_paused > 0 || (g_exempt && g_exempt()))
        return false;
    ++g_counted;
    if (g_counted != g_failing)
        return false;
    g_failed = true;
    return true;
}

void* allocate(std::size_t size) noexcept {
    return failsNow() ? nullptr : std::malloc(size ? size : 1);
}

} // namespace

namespace failing_allocations {

void SetExemption(Exemption exempt) {
    g_exempt = exempt;
}

void Arm(long failing) {
    g_failing = failing;
    g_counted = 0;
    g_failed = false;
    g_armed = true;
}

void Disarm() {
    g_armed = false;
}

long Counted() {
    return g_counted;
}

bool Failed() {
    return g_failed;
}

Paused::Paused() {
    ++g_paused;
}

Paused::~Paused() {
    --g_paused;
}

} // namespace failing_allocations

void* operator new(std::size_t size) {
    if (void* block = allocate(size))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
