// The forces a rider on the train feels, in g, worked out from where the
// train has been over its last steps: the acceleration from its positions,
// plus gravity's pull taken away, seen in the train's own frame. At rest on
// level track that reads 1 g up and 0 g sideways.
#pragma once

#include "vec3.h"

struct Train;

// Steps between the three positions the acceleration is taken from: wide
// enough to smooth the train's uneven steps between track samples.
constexpr int TELEMETRY_SPAN = 4;
// One train step in the time unit of gravity and speed (a hundred steps).
constexpr float TELEMETRY_STEP_TIME = 0.01f;

struct RideTelemetry {
    // One step of the train: its position, direction of travel and up hint
    // (neither needs to be of unit length), and the gravity constant.
    void record(Vec3 position, Vec3 direction, Vec3 up, float gravity);
    // The train jumped (started, stopped, the track was laid anew): the
    // positions before it say nothing about the motion after it.
    void restart() { count = 0; }
    // A new lap: the extremes start over from the next reading.
    void new_lap() { lap_started = false; }
    bool ready() const { return count > 2 * TELEMETRY_SPAN; }
    // The last position recorded (meaningful once anything was recorded).
    Vec3 last_position() const { return history[(count + HISTORY - 1) % HISTORY]; }

    float vertical = 1.0f;  // along the train's up: 1 standing still on the level
    float lateral = 0.0f;   // along the train's right
    float lap_min_vertical = 1.0f, lap_max_vertical = 1.0f;
    float lap_min_lateral = 0.0f, lap_max_lateral = 0.0f;

    static constexpr int HISTORY = 2 * TELEMETRY_SPAN + 1;
    Vec3 history[HISTORY];
    int count = 0;  // positions recorded since the last restart
    bool lap_started = false;
    float ride_param = 0;  // the train's parameter at the last recorded step
};

// After every train step: feeds the ride telemetry, starting over where the
// train jumped and at every new lap.
void record_ride(RideTelemetry& ride, const Train& train);
