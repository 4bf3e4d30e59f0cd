// The millisecond tick that paces the frame clock: a monotonic counter that
// wraps at 2^32, like the desktop systems' GetTickCount.
#pragma once

#include <cstdint>

uint32_t GetTickCount();

// Tests replace the tick with a fake clock; null restores the real one.
using TickSource = uint32_t (*)();
void set_tick_source(TickSource source);
