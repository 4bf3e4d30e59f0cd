// The ride profile from the track tables and the train's energy.
#include "ride_profile.h"

#include <algorithm>

#include "town.h"

static_assert(PROFILE_SAMPLES == NUM_SAMPLES, "one profile point per track sample");

RideProfile ride_profile(const Town& town) {
    RideProfile profile;
    if (town.track.num_points < 3) return profile;
    profile.valid = true;
    profile.min_height = profile.max_height = town.track.sample_y[0];
    for (int k = 0; k < PROFILE_SAMPLES; ++k) {
        const float y = town.track.sample_y[k];
        // The speed the train step gives at this height: from the energy
        // left after the height's potential energy, 2 where none is left;
        // by hand the same everywhere.
        float v = town.train.train_speed;
        if (town.train.physics == 1) {
            const float q = 2.0f * town.train.total_energy / town.train.train_mass -
                            2.0f * town.train.gravity * (-1.0f * y);
            v = q < 0 ? 2.0f : square_root(q);
        }
        profile.height[k] = y;
        profile.speed[k] = v;
        profile.min_height = std::min(profile.min_height, y);
        profile.max_height = std::max(profile.max_height, y);
        profile.max_speed = std::max(profile.max_speed, v);
    }
    profile.marker = std::clamp(town.train.train_param, 0.0f, 1.0f);
    return profile;
}
