// The settings block a scene file stores, in file order, each at the value a
// new town starts with. The rows that say where each one lives in the town,
// and what puts it back, are in stored_settings.h.
#pragma once

#include "vec3.h"

struct SceneSettings {
    Vec3 light_pos{0.0f, 13.0f, 0.0f};
    int bspline = 1;
    float train_speed = 3.0f;
    int show_ties = 0;
    int show_points = 1;
    int lighting = 1;
    int tie_spacing = 5;
    int post_interval = 1;
    int physics = 1;
    float total_energy = 0;
    float spare_scalar = 0;
    float follow_distance = 15.0f;
    float gravity = -20.8f;
};
