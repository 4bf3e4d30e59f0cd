// The sky over the town: the time of day and its pace, the daylight level,
// and the lamp the user can place.
#pragma once

#include "vec3.h"

struct Sky {
    Vec3 light_pos{0.0f, 13.0f, 0.0f};
    int lighting = 1;
    float time_of_day = 0.45f;  // fraction of a day, 0.5 noon
    float time_step = 0.0001f;  // per 24 ms step
};

// The sun's brightness at a time of day: 1 at noon, below 0 through the night.
inline float daylight_at(float time_of_day) {
    const float t = time_of_day;
    return -16 * t * t + 16 * t - 3;
}
