// The locomotive on the track: where it stands, how fast it goes, and the
// energy that sets its speed when physics is on.
#pragma once

#include "town_bounds.h"
#include "vec3.h"

struct Train {
    float train_param = 0;
    Vec3 train_pos, train_dir, train_up;  // dir and up are not normalised
    int train_running = 0;
    float train_speed = 3.0f;  // world units per hundred steps
    int physics = 1;
    float total_energy = 0;
    float gravity = -20.8f;
    float train_mass = TRAIN_MASS;
};
