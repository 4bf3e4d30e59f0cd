// The frame clock read ahead: how long the pump may sleep.
#include "frame_pace.h"

#include "tick.h"
#include "town.h"

int ms_until_next_step(const Town& town) {
    if (town.clock.frame_clock == CLOCK_RESTART) return 0;
    // The same elapsed time the next frame will add, the short way round a wrap.
    const int32_t elapsed =
        static_cast<int32_t>(GetTickCount() - static_cast<uint32_t>(town.clock.last_tick));
    const long long owed = static_cast<long long>(town.clock.frame_clock) +
                           (elapsed < 0 ? -static_cast<long long>(elapsed) : elapsed);
    if (owed >= 0) return 0;
    // A clock far in the future (only a restart puts it there) is waited for a step at a time.
    return owed < -town.clock.redraw_speed ? town.clock.redraw_speed : static_cast<int>(-owed);
}
