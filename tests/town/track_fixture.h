// Hand-built tracks for the track tests: points laid straight into a town,
// the way a scene load lays them, then both curves rebuilt.
#pragma once

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

#include "town.h"

// Lays the given control points, each with its orientation point `rise`
// above it, and rebuilds the track and the orientation curve.
inline void lay_track(Town& town, const std::vector<Vec3>& at, float rise = 4.0f) {
    town.clear_points();
    for (const Vec3 p : at) {
        const int i = town.track.num_points;
        town.track.points[i] =
            std::make_unique<ControlPoint>(p.x, p.y, p.z, 1.0f, 1.0f, 1.0f, 255, 0, 0, 0);
        town.track.segments[i] = std::make_unique<TrackSegment>();
        town.track.orient_points[i] =
            std::make_unique<ControlPoint>(p.x, p.y + rise, p.z, 1.0f, 1.0f, 1.0f, 0, 0, 255, 0);
        town.track.orient_segments[i] = std::make_unique<TrackSegment>();
        ++town.track.num_points;
        ++town.track.num_orient_points;
    }
    town.rebuild_track();
    town.rebuild_orientation();
}

inline void lay_track(Town& town, std::initializer_list<Vec3> at, float rise = 4.0f) {
    lay_track(town, std::vector<Vec3>(at), rise);
}

// n points round the town centre on an ellipse of half-axes rx and rz,
// rising and falling three times a lap around height base, like a
// hand-built coaster.
inline std::vector<Vec3> wavy_loop(int n, float rx, float rz, float base, float wave) {
    std::vector<Vec3> at;
    for (int i = 0; i < n; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(n);
        at.push_back({rx * std::cos(a), base + wave * std::sin(3.0f * a), rz * std::sin(a)});
    }
    return at;
}

// A lopsided loop over uneven ground: no two sides alike, no axis symmetric.
inline const std::vector<Vec3> HILLY_LOOP = {
    {-6.0f, 1.0f, -4.0f}, {7.0f, 2.5f, -5.0f}, {8.5f, 4.0f, 6.0f}, {-5.0f, 0.5f, 3.5f}};
inline void lay_hilly_loop(Town& town) { lay_track(town, HILLY_LOOP); }

inline Vec3 point_of(const Town& town, int i) { return town.track.points[i]->position(); }
