// How far from the town square anything may lie, and the bounds on the
// train's physics that follow from it. They are chosen together: whatever a
// scene within them does by its keys, drags and train steps stays within
// them, so every scene the program reaches can be saved and loaded back.
#pragma once

#include <cmath>

#include "vec3.h"

// The view reaches 100 units from the eye and the town is 30 across: ten
// views out is more than any track or object the picture can show, and a
// float there still resolves a ten-thousandth of a unit.
constexpr float TOWN_MAX_COORDINATE = 1000.0f;
// A curve through points within the bound stays within this much: a
// B-spline stays inside its points' hull, a Catmull-Rom curve overshoots by
// at most a quarter (its weights' absolute sum, 1 + u - u^2, peaks at 1.25
// halfway along a segment). The train rides, and the summit is measured, on
// the curve, not on the points.
constexpr float TOWN_CURVE_REACH = 1.25f * TOWN_MAX_COORDINATE;

constexpr float TRAIN_MASS = 100.0f;
// No key makes gravity stronger than 100.5 either way; stored scenes have
// held anything up to this.
constexpr float TOWN_MAX_GRAVITY = 100000.0f;
// Stored scenes have held energies up to this; a rebuild gives far less
// (the mass times the strongest gravity times the highest summit, plus the
// summit's kinetic energy), and the keys stop at 200 500.
constexpr float TOWN_MAX_ENERGY = 1.0e12f;
static_assert(TRAIN_MASS * TOWN_MAX_GRAVITY * TOWN_CURVE_REACH + TRAIN_MASS * 8.0f <= TOWN_MAX_ENERGY,
              "a rebuild's energy must be a storable one");
// The fastest the energy can drive the train: all of the largest energy,
// plus what the strongest gravity adds at the furthest reach of the curve
// (v^2 = 2 E / m + 2 g y), with room for the float rounding of that sum.
constexpr float TOWN_MAX_SPEED = 150000.0f;
static_assert(static_cast<double>(TOWN_MAX_SPEED) * TOWN_MAX_SPEED >=
                  1.01 * (2.0 * TOWN_MAX_ENERGY / TRAIN_MASS + 2.0 * TOWN_MAX_GRAVITY * TOWN_CURVE_REACH),
              "every speed the energy can give must be a storable one");

// The most ties a track may need: the ties it has at the closest spacing
// (1), whatever spacing it is shown with, so no spacing key can take a
// scene past it. Every tie costs its frame, its drawing and its display-list
// memory in every frame; the heaviest town (100 points, about 31 500 ties in
// either basis) fits with room to spare.
constexpr int TRACK_MAX_TIES = 40000;

// True for a finite value no further from zero than the bound.
inline bool within(float value, float bound) { return std::fabs(value) <= bound; }
inline bool within_town(float value) { return within(value, TOWN_MAX_COORDINATE); }
inline bool within_town(Vec3 a) { return within_town(a.x) && within_town(a.y) && within_town(a.z); }

// A step of value that stops at the town's bound: a step outward ends on
// the bound (or where it is, when already past it), a step inward is kept.
inline float step_within_town(float value, float step) {
    if (step > 0 && value + step > TOWN_MAX_COORDINATE) return std::fmax(0.0f, TOWN_MAX_COORDINATE - value);
    if (step < 0 && value + step < -TOWN_MAX_COORDINATE) return std::fmin(0.0f, -TOWN_MAX_COORDINATE - value);
    return step;
}

// A move shared by two points (a control point and the orientation point
// riding along) that stops, axis by axis, where the first of them meets the
// bound.
inline Vec3 move_within_town(Vec3 a, Vec3 b, Vec3 d) {
    auto axis = [](float p, float q, float s) {
        const float from_p = step_within_town(p, s);
        const float from_q = step_within_town(q, s);
        return std::fabs(from_p) < std::fabs(from_q) ? from_p : from_q;
    };
    return {axis(a.x, b.x, d.x), axis(a.y, b.y, d.y), axis(a.z, b.z, d.z)};
}
inline Vec3 move_within_town(Vec3 a, Vec3 d) { return move_within_town(a, a, d); }
