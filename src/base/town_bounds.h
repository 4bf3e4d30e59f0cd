// How far from the town square anything may lie. The view reaches 100 units
// from the eye and the town is 30 across, so 100 000 is a thousand views
// away: more than any track or object the picture can show, yet small enough
// that lengths, squared distances (1e10 between two far corners) and the
// energy (train mass x gravity x height, at most 1e12) stay finite floats with
// room to spare through every sum a rebuild makes, and a float there still
// resolves a hundredth of a unit.
#pragma once

#include <cmath>

#include "vec3.h"

constexpr float TOWN_MAX_COORDINATE = 100000.0f;
// The largest energy a rebuild can give: the train's mass 100, a gravity of
// the largest magnitude above and a track that high.
constexpr float TOWN_MAX_ENERGY = 1.0e12f;

// True for a finite value no further from zero than the bound.
inline bool within(float value, float bound) { return std::fabs(value) <= bound; }
inline bool within_town(float value) { return within(value, TOWN_MAX_COORDINATE); }
inline bool within_town(Vec3 a) { return within_town(a.x) && within_town(a.y) && within_town(a.z); }
