// The town's objects (houses, trees, signs...): where each stands and its
// type code, and the type the next created object gets.
#pragma once

#include <memory>

#include "control_point.h"

constexpr int MAX_OBJECTS = 200;
constexpr int NUM_OBJECT_TYPES = 19;  // type codes 0..18

struct TownObjects {
    TownObjects() = default;
    TownObjects(const TownObjects&) = delete;
    TownObjects& operator=(const TownObjects&) = delete;

    std::unique_ptr<ControlPoint> objects[MAX_OBJECTS];
    int object_type[MAX_OBJECTS] = {};
    int object_count = 0;
    int new_object_type = 0;
};
