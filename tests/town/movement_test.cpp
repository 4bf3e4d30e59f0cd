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
    const Intersection& I = *town.traffic.intersections[isect];
    const float dx = HEADING[code / 3][0], dz = HEADING[code / 3][1];
    town.traffic.num_cars = 1;
    place(*town.traffic.cars[0], I.center_x - 1.4f * dx - 0.5f * dz,
          I.center_z - 1.4f * dz + 0.5f * dx, dx, dz, WAITING, isect);
    town.turns = {code % 3};
    return town;
}

}  // namespace

TEST(Movements, EveryCodeLeavesOnItsLaneTowardsTheNextIntersection) {
    for (const Movement& m : MOVEMENTS) {
        SCOPED_TRACE(m.code);
        ScriptedTown town;
        waiting_car(town, m.code, m.isect);
        const Car& car = *town.traffic.cars[0];
        town.steps(1);
        ASSERT_EQ(car.state, CROSSING);
        EXPECT_EQ(town.traffic.intersections[m.isect]->movement, m.code);
        town.steps(39);
        EXPECT_EQ(car.state, CROSSING);
        EXPECT_EQ(town.traffic.intersections[m.isect]->occupant, 0);
        town.steps(1);
        EXPECT_EQ(car.state, DRIVING);
        EXPECT_EQ(town.traffic.intersections[m.isect]->occupant, -1);
        EXPECT_EQ(car.next_isect, m.next);
        EXPECT_NEAR(car.x, m.exit_x, 1e-4);
        EXPECT_NEAR(car.z, m.exit_z, 1e-4);
        EXPECT_EQ(car.dir_x, m.exit_dir_x);
        EXPECT_EQ(car.dir_z, m.exit_dir_z);
        EXPECT_EQ(car.side_x, -m.exit_dir_z);
        EXPECT_EQ(car.side_z, m.exit_dir_x);
    }
}

// Every turn runs straight on in its entry lane, round a quarter circle of
// radius 1 (left) or 0.5 (right), then straight out along its exit lane; each
// leg is one radius long. The arc's angle starts at the turn's own constant
// (multiples of 1.57075, as the turn paths have always written them).
TEST(Movements, TurnsTraceTheirLegsAndQuarterCircles) {
    constexpr double ARC_START[12] = {0, 0, 3.1415, 1.57075, 0, 4.71225, 3.1415, 0, 6.283, 4.71225, 0, 1.57075};
    for (const Movement& m : MOVEMENTS) {
        const int turn = m.code % 3;
        if (turn == TURN_STRAIGHT) continue;
        SCOPED_TRACE(m.code);
        ScriptedTown town;
        waiting_car(town, m.code, m.isect);
        const Car& car = *town.traffic.cars[0];
        const Intersection& I = *town.traffic.intersections[m.isect];
        const double r = turn == TURN_LEFT ? 1 : 0.5, sense = turn == TURN_LEFT ? 1 : -1;
        const double hx = HEADING[m.code / 3][0], hz = HEADING[m.code / 3][1];
        const double ex = m.exit_dir_x, ez = m.exit_dir_z;
        // The arc runs from the end of the entry leg to the start of the exit leg.
        const double in_x = I.center_x - (1.5 - r) * hx - 0.5 * hz, in_z = I.center_z - (1.5 - r) * hz + 0.5 * hx;
        const double out_x = I.center_x + (1.5 - r) * ex - 0.5 * ez, out_z = I.center_z + (1.5 - r) * ez + 0.5 * ex;
        const double ox = in_x + r * ex, oz = in_z + r * ez;
        EXPECT_NEAR(ox + r * std::cos(ARC_START[m.code]), in_x, 2e-4);
        EXPECT_NEAR(oz - r * std::sin(ARC_START[m.code]), in_z, 2e-4);
        town.steps(1);
        int legs[3] = {};
        for (int k = 0; k < 39; ++k) {
            town.steps(1);
            const double q = car.progress;
            if (q < 0.3) {
                ++legs[0];
                EXPECT_NEAR(hx * car.x + hz * car.z, hx * in_x + hz * in_z - r * (1 - q / 0.3), 1e-5);
            } else if (q < 0.7) {
                ++legs[1];
                const double angle = ARC_START[m.code] + sense * (q - 0.3) / 0.4 * 1.57075;
                EXPECT_NEAR(car.x, ox + r * std::cos(angle), 1e-5);
                EXPECT_NEAR(car.z, oz - r * std::sin(angle), 1e-5);
                EXPECT_NEAR(car.dir_x, -sense * std::sin(angle), 1e-5);
                EXPECT_NEAR(car.dir_z, -sense * std::cos(angle), 1e-5);
                EXPECT_TRUE(car.side_x == -car.dir_z && car.side_z == car.dir_x);
            } else {
                ++legs[2];
                EXPECT_NEAR(ex * car.x + ez * car.z, ex * out_x + ez * out_z + r * (q - 0.7) / 0.3, 1e-5);
            }
        }
        EXPECT_EQ(legs[0], 11);
        EXPECT_EQ(legs[1], 17);
        EXPECT_EQ(legs[2], 11);
    }
}
