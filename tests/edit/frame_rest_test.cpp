// A town where nothing moves draws no new frames, since the last one is
// still right, and a key press draws exactly one; the clock keeps time all
// the while, so the key's picture comes at the very next step.
#include <gtest/gtest.h>

#include "edit/command_fixture.h"
#include "input_codes.h"
#include "overlays.h"
#include "support/fake_tick.h"

TEST(FrameRest, AStillTownDrawsNothingUntilAKeyIsPressedAndThenOneFrame) {
    FakeTick tick(50000);
    CommandTown town;
    town.train.train_running = 0;
    town.sky.time_step = 0;  // the day stands still
    town.editor.overlays.show_hud = 0;
    town.editor.overlays.start_tick -= START_NOTICE_MS;  // the notices after start have gone
    // n steps of 24 ms as the pump runs them; returns the frames drawn.
    const auto steps = [&](int n) {
        int drawn = 0;
        for (int i = 0; i < n; ++i) {
            tick.advance(24);
            run_frame(town, town.editor, [&] { return ++drawn < 0; });  // no textures read
        }
        return drawn;
    };
    EXPECT_EQ(steps(1), 1) << "the window's first picture";
    EXPECT_EQ(steps(200), 0);
    town.press(KEY_UP);
    EXPECT_EQ(steps(1), 1) << "the key's picture, at the very next step";
    EXPECT_EQ(steps(200), 0);
    town.train.train_running = 1;  // a running train draws every step
    EXPECT_EQ(steps(50), 50);
}
