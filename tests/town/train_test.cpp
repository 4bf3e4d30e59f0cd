// The train: speed from energy, the advance and the wrap, start and stop,
// the physics controls at their bounds, and long runs round the loop.
#include <gtest/gtest.h>

#include <cmath>

#include "near_vec.h"
#include "track_fixture.h"

namespace {

int highest_sample(const Town& town) {
    int best = 0;
    for (int k = 1; k < NUM_SAMPLES; ++k) {
        if (town.track.sample_y[k] > town.track.sample_y[best]) best = k;
    }
    return best;
}

// Runs the train for the given steps and counts the laps; fails at the first
// step that leaves the loop or gives a non-finite position or speed.
int run_laps(Town& town, int steps, float& farthest_step) {
    int laps = 0;
    for (int i = 0; i < steps; ++i) {
        const float before = town.train.train_param;
        const Vec3 last = town.train.train_pos;
        town.train_step();
        if (!is_finite(town.train.train_pos) || !std::isfinite(town.train.train_speed) ||
            !(town.train.train_param >= 0.0f && town.train.train_param < 1.0f)) {
            ADD_FAILURE() << "step " << i << " leaves the loop at parameter "
                          << town.train.train_param;
            return -1;
        }
        laps += town.train.train_param < before ? 1 : 0;
        farthest_step = std::fmax(farthest_step, length(town.train.train_pos - last));
    }
    return laps;
}

// The energy a rebuild gives: speed 4 at the summit under the current gravity.
float summit_energy(const Town& town) {
    return -100.0f * town.train.gravity * town.track.max_height + 800.0f;
}

}  // namespace

TEST(Train, SpeedFollowsTheEnergy) {
    Town town;
    lay_hilly_loop(town);
    town.start_train();

    // Speed 4 at the highest sample, up to the sampling error of max_height.
    town.train.train_param = highest_sample(town) / 100.0f;
    town.train.train_pos = town.track_point(town.train.train_param);
    town.train_step();
    EXPECT_NEAR(town.train.train_speed, 4.0f, 0.05f);

    // Lower down it runs faster: 16 + 2 |g| (max_height - y) under the root.
    town.train.train_pos = Vec3{0.0f, town.track.max_height - 1.5f, 0.0f};
    town.train_step();
    EXPECT_NEAR(town.train.train_speed, std::sqrt(16.0f + 2 * 20.8f * 1.5f), 1e-3f);

    // Where the energy cannot lift it, it crawls on at 2.
    town.train.total_energy = 1000.0f;
    town.train.train_pos = Vec3{0.0f, 3.0f, 0.0f};
    town.train_step();
    EXPECT_FLOAT_EQ(town.train.train_speed, 2.0f);

    // By hand the speed stays what it was set to, everywhere.
    town.train.physics = 0;
    town.train.train_speed = 6.5f;
    for (int i = 0; i < 300; ++i) town.train_step();
    EXPECT_FLOAT_EQ(town.train.train_speed, 6.5f);
}

TEST(Train, AdvanceCoversSpeedOverRateAndWrapsToExactlyZero) {
    Town town;
    lay_hilly_loop(town);
    town.train.physics = 0;
    town.train.train_speed = 3.0f;
    town.train.train_param = 0.423f;
    town.train_step();
    const float t = town.train.train_param;
    EXPECT_NEAR(t, 0.423f + 3.0f / town.track.arc_rate[42] * 0.01f, 1e-6f);
    EXPECT_TRUE(near_vec(town.train.train_pos, town.track_point(t), 0.0f));
    EXPECT_TRUE(near_vec(town.train.train_dir, town.track_derivative(t), 0.0f));
    EXPECT_TRUE(
        near_vec(town.train.train_up, town.orient_point_at(t) - town.train.train_pos, 0.0f));

    town.train.train_speed = 100.0f;
    town.train.train_param = 0.999f;
    town.train_step();
    EXPECT_EQ(town.train.train_param, 0.0f);  // the overshoot is dropped
    EXPECT_TRUE(near_vec(town.train.train_pos, town.track_point(0), 0.0f));

    // A parameter set off the loop starts again from the beginning.
    for (const float off : {-0.25f, 7.5f, std::nanf("")}) {
        town.train.train_param = off;
        town.train_step();
        EXPECT_GE(town.train.train_param, 0.0f);
        EXPECT_LT(town.train.train_param, 0.1f);
        EXPECT_TRUE(is_finite(town.train.train_pos));
    }
}

TEST(Train, StartAndStopReturnToTheStart) {
    Town town;
    lay_hilly_loop(town);
    lay_track(town, {{1.0f, 1.0f, 1.0f}, {4.0f, 1.0f, 2.0f}});  // the loop's tables stay
    town.train.train_param = 0.3f;
    town.toggle_train();
    town.train_step();
    EXPECT_EQ(town.train.train_running, 0);  // two points are no track
    EXPECT_FLOAT_EQ(town.train.train_param, 0.3f);

    lay_hilly_loop(town);
    town.train.train_param = 0.4f;
    town.clock.frame_clock = 77;
    town.toggle_train();
    EXPECT_EQ(town.train.train_running, 1);
    EXPECT_EQ(town.clock.frame_clock, 0);
    EXPECT_EQ(town.train.train_param, 0.0f);
    EXPECT_TRUE(near_vec(town.train.train_pos, town.track_point(0), 0.0f));

    for (int i = 0; i < 50; ++i) town.train_step();
    EXPECT_GT(town.train.train_param, 0.0f);
    town.toggle_train();
    EXPECT_EQ(town.train.train_running, 0);
    EXPECT_EQ(town.train.train_param, 0.0f);
    EXPECT_TRUE(near_vec(town.train.train_pos, town.track_point(0), 0.0f));

    // A start by a load or an append keeps a parameter on the loop (the
    // append test shows it) and puts one off the loop back to 0.
    town.train.train_param = 1.5f;
    town.start_train();
    EXPECT_EQ(town.train.train_running, 1);
    EXPECT_EQ(town.train.train_param, 0.0f);
}

// Each control, pressed twice from just inside its bound, stops at the bound;
// the energy commands act only in physics mode, the speed commands only outside.
TEST(Train, ControlsStopAtTheirBounds) {
    struct Control {
        const char* name;
        int physics;
        float Train::*value;
        void (Town::*press)();
        float start, want;
    };
    const Control controls[] = {
        {"raise energy", 1, &Train::total_energy, &Town::raise_energy, 199999.0f, 200499.0f},
        {"lower energy", 1, &Train::total_energy, &Town::lower_energy, 1000.5f, 500.5f},
        {"raise energy by hand", 0, &Train::total_energy, &Town::raise_energy, 5000.0f, 5000.0f},
        {"speed up", 0, &Train::train_speed, &Town::speed_up, 99.5f, 100.0f},
        {"slow down", 0, &Train::train_speed, &Town::slow_down, 1.5f, 1.0f},
        {"speed up in physics", 1, &Train::train_speed, &Town::speed_up, 3.0f, 3.0f},
        {"stronger gravity", 1, &Train::gravity, &Town::stronger_gravity, -99.5f, -100.0f},
        {"weaker gravity", 1, &Train::gravity, &Town::weaker_gravity, -5.5f, -5.0f},
    };
    Town town;
    lay_hilly_loop(town);
    for (const Control& c : controls) {
        town.train.physics = c.physics;
        town.train.*c.value = c.start;
        (town.*c.press)();
        (town.*c.press)();
        EXPECT_FLOAT_EQ(town.train.*c.value, c.want) << c.name;
        // A gravity step recomputes the energy for the summit.
        if (c.value == &Train::gravity) {
            EXPECT_NEAR(town.train.total_energy, summit_energy(town), 0.1f) << c.name;
        }
    }

    town.toggle_physics();
    EXPECT_EQ(town.train.physics, 0);
    town.train.train_speed = 42.0f;
    town.toggle_physics();
    EXPECT_EQ(town.train.physics, 1);
    EXPECT_FLOAT_EQ(town.train.train_speed, 42.0f);  // switching keeps the speed

    town.reset_physics();
    EXPECT_FLOAT_EQ(town.train.train_speed, 3.0f);
    EXPECT_FLOAT_EQ(town.train.gravity, -20.8f);
    EXPECT_NEAR(town.train.total_energy, summit_energy(town), 0.1f);
    town.train.total_energy = 5.0f;
    town.recompute_energy();
    EXPECT_NEAR(town.train.total_energy, summit_energy(town), 0.1f);
}

TEST(Train, RunsRoundTheLoopForever) {
    Town town;
    lay_hilly_loop(town);
    town.start_train();
    float farthest_step = 0;
    // Every lap is a few hundred steps; no step jumps across the town.
    EXPECT_GT(run_laps(town, 200000, farthest_step), 200);
    EXPECT_LT(farthest_step, 0.02f * std::sqrt(16.0f + 2 * 20.8f * town.track.max_height));
}

// Coincident points give arc rates of 0: the train must neither divide by
// them into an endless parameter nor stick on the spot.
TEST(Train, CoincidentPointsNeverMakeTheTrainInfinite) {
    // All points on one spot: every arc rate is 0, the train stays put.
    Town town;
    lay_track(town, std::vector<Vec3>(4, {2.0f, 1.0f, -3.0f}));
    town.start_train();
    float farthest_step = 0;
    EXPECT_EQ(run_laps(town, 100, farthest_step), 0);
    EXPECT_EQ(town.train.train_param, 0.0f);

    // A stack of points on an otherwise open loop: samples inside the stack
    // coincide, and the train keeps passing the spot.
    std::vector<Vec3> stacked(4, {-6.0f, 1.0f, -4.0f});
    stacked.push_back({7.0f, 2.5f, -5.0f});
    stacked.push_back({8.5f, 4.0f, 6.0f});
    lay_track(town, stacked);
    int zero_rates = 0;
    for (const float rate : town.track.arc_rate) zero_rates += rate == 0.0f;
    EXPECT_GT(zero_rates, 0);
    town.train.physics = 0;
    EXPECT_GE(run_laps(town, 20000, farthest_step), 2);
}
