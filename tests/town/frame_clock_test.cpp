// The fixed-step frame clock against a hand-driven tick.
#include <gtest/gtest.h>

#include <cmath>

#include "support/fake_tick.h"
#include "town.h"

namespace {

// One call of the frame as the view makes it: begin, (draw), end. The
// track is empty, so a running train moves only the clock and the counters.
bool frame(Town& town) {
    const bool drew = town.frame_begin();
    town.frame_end();
    return drew;
}

}  // namespace

TEST(FrameClock, StepsOncePerCallAndDrawsOnlyWhenCaughtUp) {
    FakeTick tick(5000);
    Town town;
    town.train.train_running = 1;

    // First call: clock 0, draws, then owes 24 ms.
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.clock.frame_clock, -24);
    EXPECT_EQ(town.clock.move_count, 1);

    // Less than 24 ms later the clock is still negative: nothing at all.
    const float day = town.sky.time_of_day;
    tick.advance(23);
    EXPECT_FALSE(frame(town));
    EXPECT_EQ(town.clock.frame_clock, -1);
    EXPECT_FLOAT_EQ(town.sky.time_of_day, day);
    EXPECT_EQ(town.clock.move_count, 1);

    // One more millisecond: a step and a picture.
    tick.advance(1);
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.clock.move_count, 2);
    EXPECT_EQ(town.clock.frame_clock, -24);

    // A modal dialog held the loop for a second: 976 ms owed are caught up
    // in 41 steps, and only the last one (clock 16 <= 24) draws.
    tick.advance(1000);
    int drawn = 0, steps = 0;
    do {
        drawn += frame(town) ? 1 : 0;
        ++steps;
    } while (town.clock.frame_clock >= 0);
    EXPECT_EQ(steps, 41);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(town.clock.move_count, 2 + 41);
}

TEST(FrameClock, RestartForgetsTheElapsedTimeAndTheTickWrapsTheShortWay) {
    FakeTick tick(100);
    Town town;
    frame(town);
    // After a texture load the time spent loading is not owed.
    town.clock.frame_clock = CLOCK_RESTART;
    tick.advance(5000);
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.clock.frame_clock, -24);

    tick.set(0xFFFFFFF0u);
    town.clock.frame_clock = CLOCK_RESTART;
    frame(town);         // clock -24
    tick.advance(0x20);  // wraps to 0x10: 32 ms have passed
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.clock.frame_clock, -24 + 32 - 24);
}

TEST(FrameClock, TimeOfDayWrapsToExactlyZero) {
    FakeTick tick(0);
    Town town;
    town.sky.time_of_day = 0.99995f;  // one step overshoots the end of the day
    frame(town);
    EXPECT_EQ(town.sky.time_of_day, 0.0f);

    // Without the train nothing moves, but the day goes on.
    EXPECT_EQ(town.clock.move_count, 0);
    tick.advance(24);
    frame(town);
    EXPECT_FLOAT_EQ(town.sky.time_of_day, 0.0001f);
}

TEST(FrameClock, FrameRateFromTheTwelveFramesWindowNeverInfinite) {
    FakeTick tick(0);
    Town town;
    const auto drawn_frames = [&](int n, uint32_t ms_apart) {
        for (int i = 0; i < n; ++i) {
            town.clock.frame_clock = 0;
            town.frame_begin();
            town.clock.count_drawn_frame(3);  // as the view does round its picture
            tick.advance(ms_apart);
        }
    };
    // The window opens at frame 9 and closes at frame 21: 12 frames of 50 ms.
    drawn_frames(22, 50);
    EXPECT_FLOAT_EQ(town.clock.fps, 10.0f / 0.6f);
    EXPECT_EQ(town.clock.fps_frames, 1);
    // Twenty-two drawn frames within the same millisecond.
    town.clock.fps_frames = 0;
    town.clock.fps = -1;
    drawn_frames(22, 0);
    EXPECT_TRUE(std::isfinite(town.clock.fps));
    EXPECT_GT(town.clock.fps, 0.0f);
}

TEST(FrameClock, DrawnFramesCountForTheRateAndTheAverageDrawTime) {
    FrameClock clock;
    clock.count_drawn_frame(4);
    clock.count_drawn_frame(9);
    EXPECT_EQ(clock.fps_frames, 2);
    EXPECT_EQ(clock.draw_count, 2);
    EXPECT_EQ(clock.draw_clocks, 13);
    EXPECT_FLOAT_EQ(clock.avg_draw_clocks, 6.5f);
}
