// The fixed-step frame clock against a hand-driven tick.
#include <gtest/gtest.h>

#include "support/fake_tick.h"
#include "view/town.h"

namespace {

// Counts the move steps the frame runs; the train is "running" but the
// track is empty, so only the clock and the counters move.
struct ClockTown : Town {
    ClockTown() : Town(nullptr) {}
};

// One call of the frame as the view makes it: begin, (draw), end.
bool frame(Town& town) {
    const bool drew = town.frame_begin();
    town.frame_end();
    return drew;
}

}  // namespace

TEST(FrameClock, StepsOncePerCallAndDrawsOnlyWhenCaughtUp) {
    FakeTick tick(5000);
    ClockTown town;
    town.train_running = 1;

    // First call: clock 0, draws, then owes 24 ms.
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.frame_clock, -24);
    EXPECT_EQ(town.move_count, 1);

    // Less than 24 ms later the clock is still negative: nothing at all.
    const float day = town.time_of_day;
    tick.advance(23);
    EXPECT_FALSE(frame(town));
    EXPECT_EQ(town.frame_clock, -1);
    EXPECT_FLOAT_EQ(town.time_of_day, day);
    EXPECT_EQ(town.move_count, 1);

    // One more millisecond: a step and a picture.
    tick.advance(1);
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.move_count, 2);
    EXPECT_EQ(town.frame_clock, -24);
}

TEST(FrameClock, CatchesUpWithoutDrawingAfterALongPause) {
    FakeTick tick(100);
    ClockTown town;
    town.train_running = 1;
    frame(town);  // clock -24

    tick.advance(1000);  // a modal dialog held the loop for a second
    int drawn = 0;
    int steps = 0;
    do {
        drawn += frame(town) ? 1 : 0;
        ++steps;
    } while (town.frame_clock >= 0);
    // 976 ms owed: 40 steps, and only the last one (clock 16 <= 24) draws.
    EXPECT_EQ(steps, 41);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(town.move_count, 1 + 41);
}

TEST(FrameClock, RestartAfterATextureLoadForgetsTheElapsedTime) {
    FakeTick tick(100);
    ClockTown town;
    frame(town);
    town.frame_clock = CLOCK_RESTART;
    tick.advance(5000);
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.frame_clock, -24);
}

TEST(FrameClock, TickWrapAroundCountsTheShortWay) {
    FakeTick tick(0xFFFFFFF0u);
    ClockTown town;
    frame(town);  // clock -24
    tick.advance(0x20);  // wraps to 0x10: 32 ms have passed
    EXPECT_TRUE(frame(town));
    EXPECT_EQ(town.frame_clock, -24 + 32 - 24);
}

TEST(FrameClock, TimeOfDayWrapsToExactlyZero) {
    FakeTick tick(0);
    ClockTown town;
    town.time_of_day = 0.9999f;
    frame(town);
    EXPECT_EQ(town.time_of_day, 0.0f);

    // Without the train nothing moves, but the day goes on.
    EXPECT_EQ(town.move_count, 0);
    tick.advance(24);
    frame(town);
    EXPECT_FLOAT_EQ(town.time_of_day, 0.0001f);
}

TEST(FrameClock, FrameRateNeverInfinite) {
    FakeTick tick(0);
    ClockTown town;
    // Twenty-two drawn frames within the same millisecond.
    for (int i = 0; i < 22; ++i) {
        town.fps_frames += 1;  // as the drawing does
        town.frame_clock = 0;
        town.frame_begin();
    }
    EXPECT_TRUE(std::isfinite(town.fps));
    EXPECT_GT(town.fps, 0.0f);
}

TEST(FrameClock, FrameRateFromTheTwelveFramesWindow) {
    FakeTick tick(0);
    ClockTown town;
    for (int i = 0; i < 22; ++i) {
        town.frame_clock = 0;
        town.frame_begin();
        town.fps_frames += 1;
        tick.advance(50);
    }
    // The window opens at frame 9 and closes at frame 21: 12 frames of 50 ms.
    EXPECT_FLOAT_EQ(town.fps, 10.0f / 0.6f);
    EXPECT_EQ(town.fps_frames, 1);
}
