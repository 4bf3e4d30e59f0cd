// The town's twenty cars and nine stop-sign intersections as they stand when
// the view is built, and the random source of the cars' turns.
#include "traffic.h"

#include <climits>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace {

struct CarStart {
    float x, z;
    float dir_x, dir_z;
    float side_x, side_z;
    int model;
    float color[3];
};

// Five cars on each of the four lanes that lead into the central
// intersection, all heading for it.
constexpr CarStart CAR_STARTS[] = {
    // eastbound on z = 0.5
    {-6, 0.5f, 1, 0, 0, 1, 0, {0.5f, 0, 0}},
    {-9, 0.5f, 1, 0, 0, 1, 1, {0, 0.5f, 0}},
    {-12, 0.5f, 1, 0, 0, 1, 2, {0, 0, 0.5f}},
    {-15, 0.5f, 1, 0, 0, 1, 0, {0.5f, 0.5f, 0.5f}},
    {-18, 0.5f, 1, 0, 0, 1, 1, {0.2f, 0.2f, 0.2f}},
    // westbound on z = -0.5
    {6, -0.5f, -1, 0, 0, -1, 0, {0.5f, 0.5f, 0}},
    {9, -0.5f, -1, 0, 0, -1, 1, {0, 0.5f, 1}},
    {12, -0.5f, -1, 0, 0, -1, 2, {0.5f, 0, 0.5f}},
    {15, -0.5f, -1, 0, 0, -1, 0, {0.5f, 0, 0}},
    {18, -0.5f, -1, 0, 0, -1, 1, {0, 0.5f, 0}},
    // northbound on x = 0.5
    {0.5f, 6, 0, -1, 1, 0, 0, {0, 0.5f, 0}},
    {0.5f, 9, 0, -1, 1, 0, 1, {0.5f, 0, 0}},
    {0.5f, 12, 0, -1, 1, 0, 2, {0.5f, 0, 0.5f}},
    {0.5f, 15, 0, -1, 1, 0, 0, {0, 0.5f, 1}},
    {0.5f, 18, 0, -1, 1, 0, 1, {0.5f, 0.5f, 0}},
    // southbound on x = -0.5
    {-0.5f, -6, 0, 1, -1, 0, 0, {0.2f, 0.2f, 0.2f}},
    {-0.5f, -9, 0, 1, -1, 0, 1, {0.5f, 0.5f, 0.5f}},
    {-0.5f, -12, 0, 1, -1, 0, 2, {0, 0, 0.5f}},
    {-0.5f, -15, 0, 1, -1, 0, 0, {0, 0.5f, 0}},
    {-0.5f, -18, 0, 1, -1, 0, 1, {0.5f, 0, 0}},
};
static_assert(std::size(CAR_STARTS) == NUM_CARS, "one start per car");

constexpr float CAR_SPEED = 0.2f;
constexpr int CENTRAL_INTERSECTION = 4;

// The streets that leave each intersection and where they lead, listed by
// exit direction: west, north, east, south (the order of ExitDirection).
struct IntersectionPlan {
    float center_x, center_z;
    int exits[4];
    int next[4];
};

constexpr IntersectionPlan INTERSECTION_PLANS[] = {
    {14, 14, {1, 1, 0, 0}, {3, 1, 0, 0}},
    {14, 0, {1, 1, 0, 1}, {4, 2, 0, 0}},
    {14, -14, {1, 0, 0, 1}, {5, 0, 0, 1}},
    {0, 14, {1, 1, 1, 0}, {6, 4, 0, 0}},
    {0, 0, {1, 1, 1, 1}, {7, 5, 1, 3}},
    {0, -14, {1, 0, 1, 1}, {8, 0, 2, 4}},
    {-14, 14, {0, 1, 1, 0}, {0, 7, 3, 0}},
    {-14, 0, {0, 1, 1, 1}, {0, 8, 4, 6}},
    {-14, -14, {0, 0, 1, 1}, {0, 0, 5, 7}},
};
static_assert(std::size(INTERSECTION_PLANS) == NUM_INTERSECTIONS, "one plan per intersection");

// Takes 15 bits of the C library's generator: glibc's rand reaches
// 2^31 - 1, and a larger number would make a turn of 3 or more.
static_assert((RAND_MAX & (RAND_MAX >> 1)) == (RAND_MAX >> 1) && RAND_MAX >= 0x7FFF,
              "rand must give at least 15 uniform bits");

}  // namespace

void create_traffic(Traffic& traffic) {
    traffic.num_cars = NUM_CARS;
    for (int i = 0; i < NUM_CARS; ++i) {
        const CarStart& s = CAR_STARTS[i];
        traffic.cars[i] = std::make_unique<Car>(s.x, s.z, s.dir_x, s.dir_z, s.side_x, s.side_z,
                                                CAR_SPEED, s.model, s.color, CENTRAL_INTERSECTION);
    }
    for (int i = 0; i < NUM_INTERSECTIONS; ++i) {
        const IntersectionPlan& plan = INTERSECTION_PLANS[i];
        auto isect = std::make_unique<Intersection>();
        isect->center_x = plan.center_x;
        isect->center_z = plan.center_z;
        // A movement's exit direction is its code mod 4, so the four
        // directions repeat three times over the twelve codes.
        for (int code = 0; code < NUM_MOVEMENTS; ++code) {
            isect->exits[code] = plan.exits[code % 4];
            isect->next[code] = plan.next[code % 4];
        }
        traffic.intersections[i] = std::move(isect);
    }
}

int random_turn_from_rand() { return std::rand() & 0x7FFF; }
