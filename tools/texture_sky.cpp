// The sky box: every texel is coloured from the direction it is seen in, so
// the five faces meet without seams. Blue overhead, pale at the horizon,
// clouds on a layer above the town, two ridges of hills around it and hazy
// land below the horizon where the ground plane ends.
#include <cmath>

#include "texture_set.h"

namespace {

constexpr float PI = 3.14159265f;

struct Dir {
    float x, y, z;
};

// The direction a face's texture coordinate (s, t) is seen in from the box's
// centre, following the corners the sky box gives each face.
Dir face_direction(int face, float s, float t) {
    const float u = 2 * s - 1, v = 2 * t - 1;
    switch (face) {
        case SKY_FRONT: return {u, v, -1};
        case SKY_LEFT: return {-1, v, -u};
        case SKY_BACK: return {-u, v, 1};
        case SKY_RIGHT: return {1, v, u};
        default: return {u, 1, v};  // SKY_TOP
    }
}

// Height of a ridge (as the sine of its elevation) in the compass direction
// azimuth: noise that wraps once around the horizon.
float ridge(float azimuth, int bumps, float base, float rise, uint32_t seed) {
    const float u = (azimuth + PI) / (2 * PI) * bumps;
    return base + rise * smoothstep(0.3f, 0.75f, tile_fbm(u, 0.5f, bumps, 1, 5, seed));
}

Rgba4 sky_colour(Dir d) {
    const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    const float x = d.x / len, elev = d.y / len, z = d.z / len;
    const float azimuth = std::atan2(z, x);

    const Rgba4 horizon = rgb(206, 222, 236), zenith = rgb(58, 108, 196);
    Rgba4 c = mix(horizon, zenith, std::pow(clamp01(elev), 0.55f));

    // Clouds on a flat layer: the same patch of sky gets smaller toward the horizon.
    if (elev > 0) {
        const float k = 1.6f / (elev + 0.1f);
        const float cx = x * k, cz = z * k;
        const float density = fbm3(cx, cz, 0.37f, 6, 11);
        const float cover = smoothstep(0.50f, 0.70f, density) * smoothstep(0.015f, 0.16f, elev);
        const float shadow = smoothstep(0.55f, 0.85f, fbm3(cx * 1.7f + 5, cz * 1.7f, 2.1f, 4, 23));
        const Rgba4 cloud = mix(rgb(252, 252, 250), rgb(168, 176, 190), 0.75f * shadow);
        c = mix(c, cloud, 0.92f * cover);
    }

    // Haze of the air thickest along the horizon.
    const float haze = std::exp(-std::fabs(elev) * 18);
    const Rgba4 haze_colour = rgb(196, 210, 218);

    const float far_ridge = ridge(azimuth, 6, 0.02f, 0.13f, 31);
    const float near_ridge = ridge(azimuth + 1.3f, 11, 0.004f, 0.07f, 47);
    if (elev < 0) {
        // Fields beyond the end of the ground plane, seen in perspective and
        // fading into the haze.
        const float k = 1.0f / (0.02f - elev);
        const float field = fbm3(x * k * 0.8f, z * k * 0.8f, 0.5f, 4, 59);
        const Rgba4 land = mix(rgb(82, 104, 66), rgb(108, 126, 82), smoothstep(0.3f, 0.7f, field));
        c = mix(land, haze_colour, 0.6f * haze);
    } else if (elev < near_ridge) {
        const float trees = fbm3(x * 90, elev * 90, z * 90, 3, 61);
        const Rgba4 hill = mix(rgb(74, 100, 66), rgb(96, 120, 78), trees);
        c = mix(hill, haze_colour, 0.55f * haze);
    } else if (elev < far_ridge) {
        c = mix(rgb(118, 142, 146), haze_colour, 0.45f * haze);
    }
    return c;
}

}  // namespace

void paint_sky(Canvas& c, int face) {
    const float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
    c.shade([&](float x, float y, const Rgba4&) { return sky_colour(face_direction(face, x / w, y / h)); });
}
