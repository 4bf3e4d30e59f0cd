// One lap of the ride as the track tables give it: the height at each of the
// hundred samples and the speed the train has there, for the ride profile
// plot. Made afresh from the tables whenever it is asked for, so it follows
// every change of the track, the energy and the gravity.
#pragma once

struct Town;

constexpr int PROFILE_SAMPLES = 100;  // the track tables' samples per lap

struct RideProfile {
    bool valid = false;  // false until the track has three points
    float height[PROFILE_SAMPLES] = {};
    float speed[PROFILE_SAMPLES] = {};
    float min_height = 0, max_height = 0, max_speed = 0;
    float marker = 0;  // the train's place along the lap, 0..1
};

RideProfile ride_profile(const Town& town);
