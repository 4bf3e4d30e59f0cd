// Rider forces against cases worked by hand: a ride at constant speed v
// round a circle of radius R presses with v^2 / R towards the centre, which
// in g is v^2 / (R |gravity|); on level straight track only gravity is felt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "track/ride_profile.h"
#include "track/ride_telemetry.h"
#include "track_fixture.h"

namespace {

constexpr float GRAVITY = -20.8f;

// Feeds steps of a ride where the train is at position(s) after s units of
// track, moving speed units per hundred steps.
template <typename Path>
void ride(RideTelemetry& telemetry, int steps, float speed, Path path, float gravity = GRAVITY) {
    for (int n = 0; n < steps; ++n) {
        const float s = n * speed * TELEMETRY_STEP_TIME;
        Vec3 position, direction, up;
        path(s, position, direction, up);
        telemetry.record(position, direction, up, gravity);
    }
}

// Round a level circle anticlockwise seen from above (x towards z).
auto level_circle(float radius) {
    return [radius](float s, Vec3& p, Vec3& d, Vec3& up) {
        const float a = s / radius;
        p = {radius * std::cos(a), 2.0f, radius * std::sin(a)};
        d = {-std::sin(a), 0.0f, std::cos(a)};
        up = {0, 1, 0};
    };
}

}  // namespace

TEST(RideTelemetry, LevelCirclePressesSidewaysByVSquaredOverR) {
    // v = 20, R = 10: 400 / 10 = 40 units per time unit squared, 40 / 20.8 g.
    RideTelemetry telemetry;
    ride(telemetry, 60, 20.0f, level_circle(10.0f));
    ASSERT_TRUE(telemetry.ready());
    EXPECT_NEAR(telemetry.lateral, 40.0f / 20.8f, 0.01f);  // towards the centre, the train's right here
    EXPECT_NEAR(telemetry.vertical, 1.0f, 0.001f);

    // The same ride under a fifth of the gravity weighs five times as much.
    RideTelemetry light;
    ride(light, 60, 20.0f, level_circle(10.0f), -4.16f);
    EXPECT_NEAR(light.lateral, 5 * telemetry.lateral, 0.01f);
}

TEST(RideTelemetry, StraightLevelTrackIsOneGUp) {
    RideTelemetry telemetry;
    ride(telemetry, 30, 12.0f, [](float s, Vec3& p, Vec3& d, Vec3& up) {
        p = {s * 0.6f, 3.0f, s * 0.8f};
        d = {0.6f, 0.0f, 0.8f};
        up = {0.3f, 2.0f, 0.4f};  // leaning forward only: an up hint need not be square to the track
    });
    EXPECT_NEAR(telemetry.vertical, 1.0f, 1e-3f);
    EXPECT_NEAR(telemetry.lateral, 0.0f, 1e-3f);
    EXPECT_NEAR(telemetry.lap_min_vertical, 1.0f, 1e-3f);
    EXPECT_NEAR(telemetry.lap_max_vertical, 1.0f, 1e-3f);
}

TEST(RideTelemetry, CrestOfAHillIsLighterThanOneG) {
    // Over the top of a vertical circle, R = 20, at v = 10: 1 - 100 / (20 * 20.8).
    const float radius = 20.0f;
    RideTelemetry telemetry;
    const float speed = 10.0f;
    const int steps = 2 * TELEMETRY_SPAN + 1;
    const float start = -TELEMETRY_SPAN * speed * TELEMETRY_STEP_TIME;  // the middle reading at the top
    ride(telemetry, steps, speed, [&](float s, Vec3& p, Vec3& d, Vec3& up) {
        const float a = (start + s) / radius;
        p = {radius * std::sin(a), radius * std::cos(a), 0.0f};
        d = {std::cos(a), -std::sin(a), 0.0f};
        up = {0, 1, 0};
    });
    EXPECT_NEAR(telemetry.vertical, 1.0f - 100.0f / (20.0f * 20.8f), 0.005f);
    EXPECT_LT(telemetry.vertical, 1.0f);
}

TEST(RideTelemetry, RestartWaitsForFreshPositionsAndALapKeepsItsExtremes) {
    RideTelemetry telemetry;
    ride(telemetry, 30, 20.0f, level_circle(10.0f));
    const float on_circle = telemetry.lateral;
    telemetry.restart();
    EXPECT_FALSE(telemetry.ready());
    telemetry.new_lap();
    // Straight on after the jump: the extremes span only the new lap.
    ride(telemetry, 30, 20.0f, [](float s, Vec3& p, Vec3& d, Vec3& up) {
        p = {s, 0.0f, 50.0f};
        d = {1, 0, 0};
        up = {0, 1, 0};
    });
    EXPECT_NEAR(telemetry.lap_max_lateral, 0.0f, 1e-3f);
    EXPECT_GT(on_circle, 1.0f);
}

TEST(RideProfile, SpeedsFollowTheEnergyOrStayAsSetByHand) {
    Town town(nullptr);
    EXPECT_FALSE(ride_profile(town).valid);
    lay_hilly_loop(town);
    town.train_param = 0.3f;
    RideProfile profile = ride_profile(town);
    ASSERT_TRUE(profile.valid);
    EXPECT_FLOAT_EQ(profile.marker, 0.3f);
    // A rebuilt track gives speed 4 at its highest sample (the energy model).
    const int top = static_cast<int>(std::max_element(profile.height, profile.height + PROFILE_SAMPLES) -
                                     profile.height);
    EXPECT_NEAR(profile.speed[top], 4.0f, 0.05f);
    EXPECT_GT(profile.max_speed, profile.speed[top]);
    // Energy lowered below the crest's need: 2 there, as the train step gives.
    town.total_energy = 1000.0f;
    profile = ride_profile(town);
    EXPECT_FLOAT_EQ(profile.speed[top], 2.0f);
    town.physics = 0;
    town.train_speed = 7.5f;
    profile = ride_profile(town);
    for (float v : profile.speed) EXPECT_FLOAT_EQ(v, 7.5f);
}
