// The train: one step of motion along the track with its speed from the
// conservation of energy, starting and stopping, and the physics controls.
#include <cmath>

#include "stored_settings.h"
#include "town.h"

namespace {

constexpr float FALLBACK_SPEED = 2.0f;  // where the energy cannot reach, crawl on
constexpr float PARAM_PER_RATE = 0.01f;  // samples are 0.01 of the loop apart
constexpr float ENERGY_STEP = 500.0f;
constexpr float MAX_ENERGY = 200000.0f;
constexpr float MIN_ENERGY = 1000.0f;
constexpr float SPEED_STEP = 0.5f;
constexpr float MAX_SPEED = 100.0f;
constexpr float MIN_SPEED = 1.0f;
constexpr float GRAVITY_STEP = 0.5f;
constexpr float STRONGEST_GRAVITY = -100.0f;
constexpr float WEAKEST_GRAVITY = -5.0f;

// The keys stay within what a scene may store, so whatever they reach can
// be saved and loaded back.
static_assert(MAX_ENERGY + ENERGY_STEP <= TOWN_MAX_ENERGY, "the energy keys overshoot the bound");
static_assert(MAX_SPEED + SPEED_STEP <= TOWN_MAX_SPEED, "the speed keys overshoot the bound");
static_assert(-STRONGEST_GRAVITY + GRAVITY_STEP <= TOWN_MAX_GRAVITY, "the gravity keys overshoot the bound");

bool usable_rate(float rate) { return rate > 0.0f && std::isfinite(rate); }

// The train's parameter runs over [0, 1): one lap of the loop.
bool on_loop(float t) { return t >= 0.0f && t < 1.0f; }

// Where two samples coincide the measured rate is 0 and dividing by it would
// throw the train to an endless parameter. It takes the smallest rate measured
// anywhere on the loop instead, so it moves on (stuck on the spot it would
// stay there for good). 0 when no two samples are apart: the track is a point.
float smallest_usable_rate(const float (&rates)[NUM_SAMPLES]) {
    float smallest = 0.0f;
    for (const float rate : rates) {
        if (usable_rate(rate) && (smallest == 0.0f || rate < smallest)) smallest = rate;
    }
    return smallest;
}

}  // namespace

void Town::train_step() {
    if (track.num_points < 3) return;

    if (train.physics == 1) {
        // What the total energy leaves after the potential energy at the
        // height reached by the last step.
        const float q = 2 * train.total_energy / train.train_mass -
                        2 * train.gravity * (-1 * train.train_pos.y);
        train.train_speed = q >= 0.0f ? square_root(q) : FALLBACK_SPEED;
    }

    // A parameter that was set off the loop starts again from its beginning.
    if (!on_loop(train.train_param)) train.train_param = 0.0f;
    int k = static_cast<int>(train.train_param * NUM_SAMPLES);
    if (k >= NUM_SAMPLES) k = NUM_SAMPLES - 1;
    float rate = track.arc_rate[k];
    if (!usable_rate(rate)) rate = smallest_usable_rate(track.arc_rate);
    if (usable_rate(rate)) train.train_param += train.train_speed / rate * PARAM_PER_RATE;

    // One lap done: start the next at the very beginning, dropping the
    // overshoot. Anything else outside the loop goes back to the start too.
    place_train(on_loop(train.train_param) ? train.train_param : 0.0f);
}

void Town::place_train(float t) {
    train.train_param = t;
    train.train_pos = track_point(t);
    train.train_dir = track_derivative(t);
    train.train_up = orient_point_at(t) - train.train_pos;
}

void Town::start_train() {
    if (track.num_points < 3) return;
    train.train_running = 1;
    clock.frame_clock = 0;
    if (!on_loop(train.train_param)) train.train_param = 0.0f;
    train.train_pos = track_point(train.train_param);
}

void Town::toggle_train() {
    if (track.num_points < 3) return;
    if (train.train_running == 1) {
        train.train_running = 0;
    } else {
        train.train_running = 1;
        clock.frame_clock = 0;
    }
    train.train_param = 0.0f;
    train.train_pos = track_point(0.0f);
}

void Town::toggle_physics() { train.physics = train.physics == 1 ? 0 : 1; }

void Town::raise_energy() {
    if (train.physics == 1 && train.total_energy < MAX_ENERGY) train.total_energy += ENERGY_STEP;
}

void Town::lower_energy() {
    if (train.physics == 1 && train.total_energy > MIN_ENERGY) train.total_energy -= ENERGY_STEP;
}

void Town::speed_up() {
    if (train.physics == 0 && train.train_speed < MAX_SPEED) train.train_speed += SPEED_STEP;
}

void Town::slow_down() {
    if (train.physics == 0 && train.train_speed > MIN_SPEED) train.train_speed -= SPEED_STEP;
}

void Town::stronger_gravity() {
    if (train.gravity > STRONGEST_GRAVITY) {
        train.gravity -= GRAVITY_STEP;
        rebuild_track();
    }
}

void Town::weaker_gravity() {
    if (train.gravity < WEAKEST_GRAVITY) {
        train.gravity += GRAVITY_STEP;
        rebuild_track();
    }
}

void Town::reset_physics() {
    reset_settings(*this, D_RESETS);
    rebuild_track();
}

void Town::recompute_energy() { rebuild_track(); }
