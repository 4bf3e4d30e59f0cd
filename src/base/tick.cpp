// The real tick reads the monotonic clock, so a change of the wall clock never
// makes the simulation jump.
#include "tick.h"

#include <ctime>

namespace {

uint32_t monotonic_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                        static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);  // wraps at 2^32, about every 49.7 days
}

TickSource current_source = monotonic_ms;

}  // namespace

uint32_t GetTickCount() { return current_source(); }

void set_tick_source(TickSource source) {
    current_source = source != nullptr ? source : monotonic_ms;
}
