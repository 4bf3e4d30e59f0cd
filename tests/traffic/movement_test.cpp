// Every movement through an intersection, and the turns' quarter circles.
#include <cmath>

#include <gtest/gtest.h>

#include "scripted_town.h"

namespace {

// Heading of each entry (north, west, south, east) as a unit vector.
constexpr float HEADING[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};

struct Movement {
    int code, isect, next;
    float exit_x, exit_z, exit_dir_x, exit_dir_z;
};

// Intersections off the diagonal (cx != cz), where each movement has a street
// to come from and one to leave by. Straight crossings end 7.8 further on.
constexpr Movement MOVEMENTS[] = {
    {0, 1, 4, 12.5f, -0.5f, -1, 0},  {1, 1, 2, 14.5f, -6.4f, 0, -1},
    {2, 5, 2, 1.5f, -13.5f, 1, 0},   {3, 5, 4, -0.5f, -12.5f, 0, 1},
    {4, 3, 6, -6.4f, 13.5f, -1, 0},  {5, 3, 4, 0.5f, 12.5f, 0, -1},
    {6, 7, 4, -12.5f, 0.5f, 1, 0},   {7, 7, 6, -14.5f, 6.4f, 0, 1},
    {8, 1, 4, 12.5f, -0.5f, -1, 0},  {9, 1, 2, 14.5f, -1.5f, 0, -1},
    {10, 3, 0, 6.4f, 14.5f, 1, 0},   {11, 1, 0, 13.5f, 1.5f, 0, 1},
};

// A lone car waiting at the stop line 1.4 before the centre, in its lane.
ScriptedTown& waiting_car(ScriptedTown& town, int code, int isect) {
    const Intersection& I = *town.intersections[isect];
    const float dx = HEADING[code / 3][0], dz = HEADING[code / 3][1];
    town.num_cars = 1;
    place(*town.cars[0], I.center_x - 1.4f * dx - 0.5f * dz, I.center_z - 1.4f * dz + 0.5f * dx,
          dx, dz, WAITING, isect);
    town.turns = {code % 3};
    return town;
}

}  // namespace

TEST(Movements, EveryCodeLeavesOnItsLaneTowardsTheNextIntersection) {
    for (const Movement& m : MOVEMENTS) {
        SCOPED_TRACE(m.code);
        ScriptedTown town;
        waiting_car(town, m.code, m.isect);
        const Car& car = *town.cars[0];
        town.steps(1);
        ASSERT_EQ(car.state, CROSSING);
        EXPECT_EQ(town.intersections[m.isect]->movement, m.code);
        town.steps(39);
        EXPECT_EQ(car.state, CROSSING);
        EXPECT_EQ(town.intersections[m.isect]->occupant, 0);
        town.steps(1);
        EXPECT_EQ(car.state, DRIVING);
        EXPECT_EQ(town.intersections[m.isect]->occupant, -1);
        EXPECT_EQ(car.next_isect, m.next);
        EXPECT_NEAR(car.x, m.exit_x, 1e-4);
        EXPECT_NEAR(car.z, m.exit_z, 1e-4);
        EXPECT_EQ(car.dir_x, m.exit_dir_x);
        EXPECT_EQ(car.dir_z, m.exit_dir_z);
        EXPECT_EQ(car.side_x, -m.exit_dir_z);
        EXPECT_EQ(car.side_z, m.exit_dir_x);
    }
}

// Left north-to-west around (13.5, 0.5), radius 1; right east-to-south around
// (13, 1), radius 0.5; both at intersection 1, centre (14, 0).
TEST(Movements, TurnsTraceTheirLegsAndQuarterCircles) {
    struct Turn {
        int code;
        float radius, arc_x, arc_z, angle0, turn_sign;
    };
    for (const Turn t : {Turn{0, 1, 13.5f, 0.5f, 0, 1}, Turn{11, 0.5f, 13, 1, 1.57075f, -1}}) {
        SCOPED_TRACE(t.code);
        ScriptedTown town;
        waiting_car(town, t.code, 1);
        const Car& car = *town.cars[0];
        town.steps(1);
        int approach = 0, arc = 0, leave = 0;
        for (int k = 0; k < 39; ++k) {
            town.steps(1);
            const double q = car.progress;
            const double leg = t.radius / 0.3;  // the legs are one radius long
            if (q < 0.3) {
                ++approach;
                if (t.code == 0) { EXPECT_NEAR(car.z, 1.5 - leg * q, 1e-5); }
                if (t.code == 11) { EXPECT_NEAR(car.x, 12.5 + leg * q, 1e-5); }
            } else if (q < 0.7) {
                ++arc;
                const double angle = t.angle0 + t.turn_sign * (q - 0.3) / 0.4 * 1.57075;
                EXPECT_NEAR(car.x, t.arc_x + t.radius * std::cos(angle), 1e-5);
                EXPECT_NEAR(car.z, t.arc_z - t.radius * std::sin(angle), 1e-5);
                // The direction is the unit tangent: at right angles to the radius.
                EXPECT_NEAR(std::hypot(car.dir_x, car.dir_z), 1, 1e-5);
                EXPECT_NEAR((car.x - t.arc_x) * car.dir_x + (car.z - t.arc_z) * car.dir_z, 0, 1e-5);
                EXPECT_EQ(car.side_x, -car.dir_z);
                EXPECT_EQ(car.side_z, car.dir_x);
            } else {
                ++leave;
                if (t.code == 0) { EXPECT_NEAR(car.x, 13.5 - leg * (q - 0.7), 1e-5); }
                if (t.code == 11) { EXPECT_NEAR(car.z, 1 + leg * (q - 0.7), 1e-5); }
            }
        }
        EXPECT_EQ(approach, 11);
        EXPECT_EQ(arc, 17);
        EXPECT_EQ(leave, 11);
    }
}
