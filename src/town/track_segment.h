// One cubic piece of a closed curve: x(u) = ax u^3 + bx u^2 + cx u + dx, and
// likewise for y and z, for a local parameter u in [0, 1].
#pragma once

#include "vec3.h"

struct TrackSegment {
    float ax = 0, bx = 0, cx = 0, dx = 0;
    float ay = 0, by = 0, cy = 0, dy = 0;
    float az = 0, bz = 0, cz = 0, dz = 0;
    float sampled_length = 0;  // written by rebuild_track; about N arcs plus chords

    Vec3 evaluate(float u) const {
        const float u3 = u * u * u;
        const float u2 = u * u;
        return {ax * u3 + bx * u2 + cx * u + dx, ay * u3 + by * u2 + cy * u + dy,
                az * u3 + bz * u2 + cz * u + dz};
    }
    Vec3 derivative(float u) const {
        return {3 * ax * u * u + 2 * bx * u + cx, 3 * ay * u * u + 2 * by * u + cy,
                3 * az * u * u + 2 * bz * u + cz};
    }
};
