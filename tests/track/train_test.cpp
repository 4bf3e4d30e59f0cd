// The train: speed from energy, the advance and the wrap, start and stop,
// the physics controls at their bounds, and long runs round the loop.
#include <gtest/gtest.h>

#include <cmath>

#include "render/tick.h"
#include "track_fixture.h"

namespace {

int highest_sample(const Town& town) {
    int best = 0;
    for (int k = 1; k < NUM_SAMPLES; ++k) {
        if (town.sample_y[k] > town.sample_y[best]) best = k;
    }
    return best;
}

uint32_t fake_now = 0;
uint32_t fake_tick() { return fake_now; }

}  // namespace

TEST(Train, SpeedFollowsTheEnergy) {
    Town town(nullptr);
    lay_hilly_loop(town);
    town.start_train();

    // Speed 4 at the highest sample, up to the sampling error of max_height.
    const int top = highest_sample(town);
    town.train_param = top / 100.0f;
    town.train_pos = town.track_point(town.train_param);
    town.train_step();
    EXPECT_NEAR(town.train_speed, 4.0f, 0.05f);

    // Lower down it runs faster: 16 + 2 |g| (max_height - y) under the root.
    town.train_pos = Vec3{0.0f, town.max_height - 1.5f, 0.0f};
    town.train_step();
    EXPECT_NEAR(town.train_speed, std::sqrt(16.0f + 2 * 20.8f * 1.5f), 1e-3f);

    // Each 500 less energy takes 10 off the square of the speed.
    town.train_pos = Vec3{0.0f, town.max_height - 1.5f, 0.0f};
    town.lower_energy();
    town.train_step();
    EXPECT_NEAR(town.train_speed * town.train_speed, 16.0f + 2 * 20.8f * 1.5f - 10.0f, 1e-2f);

    // Where the energy cannot lift it, it crawls on at 2.
    town.total_energy = 1000.0f;
    town.train_pos = Vec3{0.0f, 3.0f, 0.0f};
    town.train_step();
    EXPECT_FLOAT_EQ(town.train_speed, 2.0f);

    // By hand the speed stays what it was set to, everywhere.
    town.physics = 0;
    town.train_speed = 6.5f;
    for (int i = 0; i < 300; ++i) town.train_step();
    EXPECT_FLOAT_EQ(town.train_speed, 6.5f);
}

TEST(Train, AdvanceCoversSpeedOverRateAndWrapsToExactlyZero) {
    Town town(nullptr);
    lay_hilly_loop(town);
    town.physics = 0;
    town.train_speed = 3.0f;
    town.train_param = 0.423f;
    town.train_step();
    EXPECT_NEAR(town.train_param, 0.423f + 3.0f / town.arc_rate[42] * 0.01f, 1e-6f);
    EXPECT_FLOAT_EQ(town.train_pos.x, town.track_point(town.train_param).x);
    const Vec3 dir = town.track_derivative(town.train_param);
    EXPECT_FLOAT_EQ(town.train_dir.z, dir.z);
    const Vec3 up = town.orient_point_at(town.train_param) - town.train_pos;
    EXPECT_FLOAT_EQ(town.train_up.y, up.y);

    town.train_speed = 100.0f;
    town.train_param = 0.999f;
    town.train_step();
    EXPECT_EQ(town.train_param, 0.0f);  // the overshoot is dropped
    EXPECT_FLOAT_EQ(town.train_pos.x, town.track_point(0).x);
    EXPECT_FLOAT_EQ(town.train_pos.z, town.track_point(0).z);

    // A parameter set off the loop starts again from the beginning.
    for (const float off : {-0.25f, 7.5f, std::nanf("")}) {
        town.train_param = off;
        town.train_step();
        EXPECT_GE(town.train_param, 0.0f);
        EXPECT_LT(town.train_param, 0.1f);
        EXPECT_TRUE(is_finite(town.train_pos));
    }
}

TEST(Train, StartAndStopReturnToTheStart) {
    Town town(nullptr);
    lay_track(town, {{1.0f, 1.0f, 1.0f}, {4.0f, 1.0f, 2.0f}});
    town.toggle_train();
    EXPECT_EQ(town.train_running, 0);  // two points are no track

    lay_hilly_loop(town);
    town.train_param = 0.4f;
    town.frame_clock = 77;
    town.toggle_train();
    EXPECT_EQ(town.train_running, 1);
    EXPECT_EQ(town.frame_clock, 0);
    EXPECT_EQ(town.train_param, 0.0f);
    EXPECT_FLOAT_EQ(town.train_pos.y, town.track_point(0).y);

    for (int i = 0; i < 50; ++i) town.train_step();
    EXPECT_GT(town.train_param, 0.0f);
    town.toggle_train();
    EXPECT_EQ(town.train_running, 0);
    EXPECT_EQ(town.train_param, 0.0f);
    EXPECT_FLOAT_EQ(town.train_pos.x, town.track_point(0).x);

    // Starting from a load or an append keeps a parameter that is on the loop.
    town.train_param = 0.6f;
    town.start_train();
    EXPECT_EQ(town.train_running, 1);
    EXPECT_FLOAT_EQ(town.train_param, 0.6f);
    town.train_param = 1.5f;
    town.start_train();
    EXPECT_EQ(town.train_param, 0.0f);
}

TEST(Train, ControlsStopAtTheirBounds) {
    Town town(nullptr);
    lay_hilly_loop(town);

    town.total_energy = 199999.0f;
    town.raise_energy();
    EXPECT_FLOAT_EQ(town.total_energy, 200499.0f);
    town.raise_energy();
    EXPECT_FLOAT_EQ(town.total_energy, 200499.0f);
    town.total_energy = 1000.5f;
    town.lower_energy();
    EXPECT_FLOAT_EQ(town.total_energy, 500.5f);
    town.lower_energy();
    EXPECT_FLOAT_EQ(town.total_energy, 500.5f);
    town.speed_up();  // speed is set by hand only outside physics mode
    EXPECT_FLOAT_EQ(town.train_speed, 3.0f);

    town.toggle_physics();
    EXPECT_EQ(town.physics, 0);
    town.raise_energy();
    EXPECT_FLOAT_EQ(town.total_energy, 500.5f);
    town.train_speed = 99.5f;
    town.speed_up();
    town.speed_up();
    EXPECT_FLOAT_EQ(town.train_speed, 100.0f);
    town.train_speed = 1.5f;
    town.slow_down();
    town.slow_down();
    EXPECT_FLOAT_EQ(town.train_speed, 1.0f);
    town.toggle_physics();
    EXPECT_EQ(town.physics, 1);
    EXPECT_FLOAT_EQ(town.train_speed, 1.0f);  // switching keeps the speed

    // Gravity moves in steps of 0.5 within [-100, -5], and each step
    // recomputes the energy for the summit.
    town.gravity = -99.5f;
    town.stronger_gravity();
    EXPECT_FLOAT_EQ(town.gravity, -100.0f);
    EXPECT_NEAR(town.total_energy, 100.0f * 100.0f * town.max_height + 800.0f, 0.1f);
    town.stronger_gravity();
    EXPECT_FLOAT_EQ(town.gravity, -100.0f);
    town.gravity = -5.5f;
    town.weaker_gravity();
    town.weaker_gravity();
    EXPECT_FLOAT_EQ(town.gravity, -5.0f);
    EXPECT_NEAR(town.total_energy, 100.0f * 5.0f * town.max_height + 800.0f, 0.1f);

    town.train_speed = 42.0f;
    town.reset_physics();
    EXPECT_FLOAT_EQ(town.train_speed, 3.0f);
    EXPECT_FLOAT_EQ(town.gravity, -20.8f);
    EXPECT_NEAR(town.total_energy, 100.0f * 20.8f * town.max_height + 800.0f, 0.1f);

    town.total_energy = 5.0f;
    town.recompute_energy();
    EXPECT_NEAR(town.total_energy, 100.0f * 20.8f * town.max_height + 800.0f, 0.1f);
}

TEST(Train, RunsRoundTheLoopForever) {
    Town town(nullptr);
    lay_hilly_loop(town);
    town.start_train();
    int laps = 0;
    float farthest_step = 0;
    Vec3 last = town.train_pos;
    for (int i = 0; i < 200000; ++i) {
        const float before = town.train_param;
        town.train_step();
        ASSERT_TRUE(is_finite(town.train_pos)) << "step " << i;
        ASSERT_TRUE(std::isfinite(town.train_speed)) << "step " << i;
        ASSERT_GE(town.train_param, 0.0f);
        ASSERT_LT(town.train_param, 1.0f);
        if (town.train_param < before) ++laps;
        const float moved = length(town.train_pos - last);
        if (moved > farthest_step) farthest_step = moved;
        last = town.train_pos;
    }
    // Every lap is a few hundred steps; no step jumps across the town.
    EXPECT_GT(laps, 200);
    const float fastest = std::sqrt(16.0f + 2 * 20.8f * (town.max_height - 0.0f));
    EXPECT_LT(farthest_step, 0.02f * fastest);
}

TEST(Train, CoincidentPointsNeverMakeTheTrainInfinite) {
    // All points on one spot: every arc rate is 0, the train stays put.
    Town town(nullptr);
    lay_track(town, {{2.0f, 1.0f, -3.0f}, {2.0f, 1.0f, -3.0f}, {2.0f, 1.0f, -3.0f}, {2.0f, 1.0f, -3.0f}});
    town.start_train();
    for (int i = 0; i < 100; ++i) town.train_step();
    EXPECT_TRUE(is_finite(town.train_pos));
    EXPECT_EQ(town.train_param, 0.0f);

    // A stack of points on an otherwise open loop: samples inside the stack
    // coincide, and the train passes the spot with finite positions.
    lay_track(town, {{-6.0f, 1.0f, -4.0f}, {-6.0f, 1.0f, -4.0f}, {-6.0f, 1.0f, -4.0f},
                     {-6.0f, 1.0f, -4.0f}, {7.0f, 2.5f, -5.0f}, {8.5f, 4.0f, 6.0f}});
    int zero_rates = 0;
    for (const float rate : town.arc_rate) zero_rates += rate == 0.0f;
    EXPECT_GT(zero_rates, 0);
    town.physics = 0;
    for (int i = 0; i < 20000; ++i) {
        town.train_step();
        ASSERT_TRUE(is_finite(town.train_pos)) << "step " << i;
        ASSERT_GE(town.train_param, 0.0f);
        ASSERT_LT(town.train_param, 1.0f);
    }

    // On a zero rate the train steps by the gentlest rate of the loop.
    lay_hilly_loop(town);
    town.arc_rate[40] = 0.0f;
    float gentlest = town.arc_rate[0];
    for (const float rate : town.arc_rate) gentlest = rate > 0.0f ? std::fmin(gentlest, rate) : gentlest;
    town.train_speed = 3.0f;
    town.train_param = 0.405f;
    town.train_step();
    EXPECT_NEAR(town.train_param, 0.405f + 3.0f / gentlest * 0.01f, 1e-6f);
}

TEST(Train, MovesOnlyWithThreePointsAndWhileTheFrameRuns) {
    Town town(nullptr);
    lay_track(town, {{1.0f, 1.0f, 1.0f}, {4.0f, 1.0f, 2.0f}});
    town.train_param = 0.3f;
    town.train_step();
    EXPECT_FLOAT_EQ(town.train_param, 0.3f);

    // The frame's move step drives the running train once per 24 ms.
    set_tick_source(fake_tick);
    fake_now = 1000;
    lay_hilly_loop(town);
    town.toggle_train();
    town.last_tick = 1000;
    fake_now += 24;
    town.frame_begin();
    town.frame_end();
    EXPECT_GT(town.train_param, 0.0f);
    set_tick_source(nullptr);
}
