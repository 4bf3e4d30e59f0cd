// A test town whose cars turn as a script says, and helpers to set cars up.
#pragma once

#include <deque>

#include "town.h"

// Random numbers that make a left turn, straight on and a right turn.
constexpr int TURN_NUMBERS[3] = {0, 16384, 32767};

struct ScriptedTown : Town {
    // The cars turn as the script says, straight on once it runs out.
    ScriptedTown() : Town() {
        traffic.random_turn_number = [this] {
            int turn = TURN_STRAIGHT;
            if (!turns.empty()) {
                turn = turns.front();
                turns.pop_front();
            }
            return TURN_NUMBERS[turn];
        };
    }
    void steps(int n) {
        for (int k = 0; k < n; ++k) traffic_step(traffic);
    }
    std::deque<int> turns;
};

// Puts a car at (x, z) heading (dir_x, dir_z), in `state` at intersection
// `isect` (its next one while driving).
inline void place(Car& car, float x, float z, float dir_x, float dir_z, int state, int isect) {
    car.x = x;
    car.z = z;
    car.dir_x = dir_x;
    car.dir_z = dir_z;
    car.side_x = -dir_z;
    car.side_z = dir_x;
    car.state = state;
    car.next_isect = isect;
    car.cur_isect = isect;
    car.wait = 0;
    car.progress = 0;
}
