// Rider forces from the train's positions.
#include "ride_telemetry.h"

#include <algorithm>
#include <cmath>

#include "train.h"

namespace {

Vec3 unit_or(Vec3 v, Vec3 fallback) {
    const float n = length(v);
    return n > 1e-6f && std::isfinite(n) ? v / n : fallback;
}

}  // namespace

void RideTelemetry::record(Vec3 position, Vec3 direction, Vec3 up, float gravity) {
    history[count % HISTORY] = position;
    ++count;
    if (!ready()) return;

    // Second difference over the span, centred on the middle position.
    const Vec3 newest = history[(count - 1) % HISTORY];
    const Vec3 middle = history[(count - 1 - TELEMETRY_SPAN) % HISTORY];
    const Vec3 oldest = history[(count - 1 - 2 * TELEMETRY_SPAN) % HISTORY];
    const float span_time = TELEMETRY_SPAN * TELEMETRY_STEP_TIME;
    const Vec3 acceleration = (newest - middle * 2.0f + oldest) / (span_time * span_time);

    // What the rider feels is the acceleration less gravity's pull: standing
    // still, the seat pushes up against gravity.
    const float g = std::fabs(gravity);
    if (g <= 0.0f) return;
    const Vec3 felt = acceleration - Vec3{0.0f, gravity, 0.0f};

    // The train's frame: forward, its right, and its up square to forward.
    const Vec3 forward = unit_or(direction, Vec3{1, 0, 0});
    const Vec3 right = unit_or(cross(forward, unit_or(up, Vec3{0, 1, 0})), Vec3{0, 0, 1});
    const Vec3 train_up = unit_or(cross(right, forward), Vec3{0, 1, 0});

    vertical = dot(felt, train_up) / g;
    lateral = dot(felt, right) / g;
    if (!lap_started) {
        lap_min_vertical = lap_max_vertical = vertical;
        lap_min_lateral = lap_max_lateral = lateral;
        lap_started = true;
    }
    lap_min_vertical = std::min(lap_min_vertical, vertical);
    lap_max_vertical = std::max(lap_max_vertical, vertical);
    lap_min_lateral = std::min(lap_min_lateral, lateral);
    lap_max_lateral = std::max(lap_max_lateral, lateral);
}

namespace {

// A train step longer than this many expected steps is a jump, not motion.
constexpr float JUMP_FACTOR = 4.0f;

}  // namespace

void record_ride(RideTelemetry& ride, const Train& train) {
    const float expected = TELEMETRY_STEP_TIME * std::fabs(train.train_speed) + 0.05f;
    if (ride.count > 0 && length(train.train_pos - ride.last_position()) > JUMP_FACTOR * expected) {
        ride.restart();
    }
    if (train.train_param < ride.ride_param) ride.new_lap();
    ride.ride_param = train.train_param;
    ride.record(train.train_pos, train.train_dir, train.train_up, train.gravity);
}
