// The cars and the stop-sign intersections of the 3 x 3 street grid, and the
// step that drives them. Directions: x east, z south; right-hand traffic.
#pragma once

enum CarState { DRIVING = 0, STOPPED = 1, WAITING = 2, CROSSING = 3 };

struct Car {
    Car(float x_, float z_, float dir_x_, float dir_z_, float side_x_, float side_z_,
        float speed_, int model_, const float color_[3], int next_isect_)
        : x(x_), z(z_), dir_x(dir_x_), dir_z(dir_z_), side_x(side_x_), side_z(side_z_),
          next_isect(next_isect_), model(model_), speed(speed_),
          color{color_[0], color_[1], color_[2]} {}

    float x, z;
    float dir_x, dir_z;    // unit direction of travel
    float side_x, side_z;  // (-dir_z, dir_x): the car's right
    int state = DRIVING;
    int next_isect;        // intersection the car is heading for
    int cur_isect = 0;     // intersection the car is stopped at or crossing
    int wait = 0;          // stop countdown in steps
    float progress = 0;    // 0 entering an intersection, leaves after 0.95
    int turn = 0;          // 0 left, 1 straight on, 2 right
    int model;             // 0 saloon, 1 van, 2 tall saloon
    float speed;           // distance per 24 ms step
    float color[3];
};

struct Intersection {
    int occupant = -1;  // car crossing it, -1 when free
    int exits[12] = {};  // per movement code: a street leaves that way
    int next[12] = {};   // per movement code: the intersection reached that way
    int movement = 0;    // movement code of the crossing car
    float center_x = 0, center_z = 0;
};

