// The pump sleeps exactly until the frame clock owes a step, and never while
// the simulation is behind and catching up.
#include <gtest/gtest.h>

#include "frame_pace.h"
#include "support/fake_tick.h"
#include "town.h"

TEST(FramePace, SleepsUntilTheNextStepAndNotWhileCatchingUp) {
    FakeTick tick(1000);
    Town town;
    town.clock.last_tick = 1000;

    town.clock.frame_clock = 0;  // a step is due now
    EXPECT_EQ(ms_until_next_step(town), 0);
    town.frame_begin();
    town.frame_end();  // drawn: the clock owes 24 ms
    EXPECT_EQ(ms_until_next_step(town), 24);
    tick.advance(10);
    EXPECT_EQ(ms_until_next_step(town), 14);
    tick.advance(14);
    EXPECT_EQ(ms_until_next_step(town), 0);

    // Half a second behind (a modal dialog): no sleep until caught up.
    tick.advance(500);
    int steps = 0;
    while (ms_until_next_step(town) == 0 && steps < 100) {
        town.frame_begin();
        town.frame_end();
        ++steps;
    }
    EXPECT_EQ(steps, 21);  // the 500 ms owed, a step of 24 ms at a time
    EXPECT_GT(ms_until_next_step(town), 0);

    // A texture load restarts the clock: the next frame is due at once.
    town.clock.frame_clock = CLOCK_RESTART;
    EXPECT_EQ(ms_until_next_step(town), 0);
}
