// The ride profile plots the speed the train step gives at every sample, by
// the energy and by hand, and follows the track's heights.
#include <gtest/gtest.h>

#include <algorithm>

#include "ride_profile.h"
#include "town/track_fixture.h"

namespace {

// The speed one train step reaches with the train at height y.
float step_speed_at(Town& town, float y) {
    town.train.train_pos = Vec3{0.0f, y, 0.0f};
    town.train_step();
    return town.train.train_speed;
}

}  // namespace

TEST(RideProfile, EachSampleHasTheSpeedTheTrainStepGivesAtItsHeight) {
    Town town;
    EXPECT_FALSE(ride_profile(town).valid) << "no track, nothing to plot";
    lay_track(town, wavy_loop(8, 12.0f, 9.0f, 4.0f, 3.0f));
    town.start_train();
    // The summit's energy and less: the low one leaves the crests out of reach.
    const float summit = town.train.total_energy;
    for (const float energy : {summit, 0.6f * summit}) {
        town.train.physics = 1;
        town.train.total_energy = energy;
        const RideProfile profile = ride_profile(town);
        ASSERT_TRUE(profile.valid);
        for (int k = 0; k < PROFILE_SAMPLES; ++k) {
            EXPECT_FLOAT_EQ(profile.height[k], town.track.sample_y[k]) << k;
            EXPECT_FLOAT_EQ(profile.speed[k], step_speed_at(town, town.track.sample_y[k]))
                << "energy " << energy << ", " << k;
        }
        const auto crawling = std::count(profile.speed, profile.speed + PROFILE_SAMPLES, 2.0f);
        EXPECT_EQ(crawling > 0, energy < summit) << "the crests are out of reach only on the low energy";
        EXPECT_FLOAT_EQ(profile.max_speed, *std::max_element(profile.speed, profile.speed + PROFILE_SAMPLES));
        EXPECT_FLOAT_EQ(
            profile.min_height,
            *std::min_element(town.track.sample_y, town.track.sample_y + PROFILE_SAMPLES));
        EXPECT_FLOAT_EQ(
            profile.max_height,
            *std::max_element(town.track.sample_y, town.track.sample_y + PROFILE_SAMPLES));
    }
    town.train.physics = 0;
    town.train.train_speed = 6.5f;
    const RideProfile by_hand = ride_profile(town);
    for (const float v : by_hand.speed) EXPECT_FLOAT_EQ(v, 6.5f);
}
