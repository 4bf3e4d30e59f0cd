// Rider forces against cases worked by hand: at constant speed v round a
// circle of radius R the push is v^2 / R towards the centre, in g
// v^2 / (R |gravity|); on level straight track only gravity is felt.
#include <gtest/gtest.h>

#include <cmath>

#include "ride_telemetry.h"
#include "train.h"

namespace {

// Steps at speed 20 along path(s), with the train at position p after s units.
template <typename Path>
RideTelemetry ride(Path path, float speed = 20.0f, int steps = 2 * TELEMETRY_SPAN + 1) {
    RideTelemetry telemetry;
    for (int n = 0; n < steps; ++n) {
        Vec3 p, d, up{0, 1, 0};
        path(n * speed * TELEMETRY_STEP_TIME, p, d, up);
        telemetry.record(p, d, up, -20.8f);
    }
    return telemetry;
}

}  // namespace

TEST(RideTelemetry, HandWorkedCases) {
    // A level circle, R = 10, v = 20: 400 / 10 / 20.8 g towards the centre
    // (the train's right when it runs anticlockwise seen from above).
    RideTelemetry t = ride([](float s, Vec3& p, Vec3& d, Vec3&) {
        p = {10 * std::cos(s / 10), 2, 10 * std::sin(s / 10)};
        d = {-std::sin(s / 10), 0, std::cos(s / 10)};
    });
    ASSERT_TRUE(t.ready());
    EXPECT_NEAR(t.lateral, 400.0f / 10 / 20.8f, 0.01f);
    EXPECT_NEAR(t.vertical, 1.0f, 1e-3f);

    // Straight and level, an up hint leaning only forward: 1 g up, none sideways.
    t = ride([](float s, Vec3& p, Vec3& d, Vec3& up) {
        p = {0.6f * s, 3, 0.8f * s};
        d = {0.6f, 0, 0.8f};
        up = {0.3f, 2, 0.4f};
    });
    EXPECT_NEAR(t.vertical, 1.0f, 1e-3f);
    EXPECT_NEAR(t.lateral, 0.0f, 1e-3f);

    // Over a crest, R = 20, v = 10, the middle reading at the top:
    // 1 - 100 / 20 / 20.8 g, lighter than standing still.
    t = ride([](float s, Vec3& p, Vec3& d, Vec3&) {
        const float a = (s - TELEMETRY_SPAN * 10 * TELEMETRY_STEP_TIME) / 20;
        p = {20 * std::sin(a), 20 * std::cos(a), 0};
        d = {std::cos(a), -std::sin(a), 0};
    }, 10.0f);
    EXPECT_NEAR(t.vertical, 1.0f - 100.0f / 20 / 20.8f, 0.005f);
    EXPECT_LT(t.lap_max_vertical, 1.0f);
}

TEST(RideTelemetry, RecordingTheTrainStartsOverAtAJumpAndANewLap) {
    RideTelemetry ride;
    Train train;
    train.train_speed = 20;  // 0.2 a step: a jump is anything past 1
    train.train_dir = {1, 0, 0};
    train.train_up = {0, 1, 0};
    for (int n = 0; n < 3; ++n) {
        train.train_param = 0.1f * static_cast<float>(n + 1);
        train.train_pos = {0.2f * static_cast<float>(n), 2, 0};
        record_ride(ride, train);
    }
    EXPECT_EQ(ride.count, 3);
    EXPECT_FLOAT_EQ(ride.ride_param, 0.3f);

    train.train_pos = {9, 2, 0};  // laid anew far away
    train.train_param = 0.4f;
    record_ride(ride, train);
    EXPECT_EQ(ride.count, 1) << "a jump leaves only the reading after it";

    ride.lap_started = true;
    train.train_pos = {9.2f, 2, 0};
    train.train_param = 0.05f;  // round the loop
    record_ride(ride, train);
    EXPECT_FALSE(ride.lap_started) << "a new lap starts its extremes over";
    EXPECT_EQ(ride.count, 2);
}
