// The traffic's rules: the starting town, stop signs, right of way, turn
// choice, keeping distance, the random source and the frame that drives it.
#include <cstdlib>

#include <gtest/gtest.h>

#include "scripted_town.h"
#include "support/fake_tick.h"
#include "town/track_fixture.h"

TEST(Traffic, TownStartsWithItsCarsAndStopSigns) {
    Town town;
    ASSERT_EQ(town.traffic.num_cars, 20);
    for (int i = 0; i < 20; ++i) {
        const Car& car = *town.traffic.cars[i];
        EXPECT_TRUE(car.next_isect == 4 && car.speed == 0.2f && car.state == DRIVING) << i;
    }
    // In the order of their lanes: car 7 is the third westbound, car 13 the
    // fourth northbound.
    const Car& c7 = *town.traffic.cars[7];
    EXPECT_TRUE(c7.x == 12 && c7.z == -0.5f && c7.dir_x == -1 && c7.side_z == -1 && c7.model == 2);
    EXPECT_TRUE(c7.color[0] == 0.5f && c7.color[1] == 0 && c7.color[2] == 0.5f);
    const Car& c13 = *town.traffic.cars[13];
    EXPECT_TRUE(c13.x == 0.5f && c13.z == 15 && c13.dir_z == -1 && c13.side_x == 1 && c13.color[2] == 1);
    const Intersection& i6 = *town.traffic.intersections[6];
    EXPECT_TRUE(i6.center_x == -14 && i6.center_z == 14 && i6.occupant == -1);
}

// The square's bounds are strict; a car that stops at a free intersection
// moves again on the 27th step after the one in which it stopped.
TEST(Traffic, CarStopsStrictlyInsideAndMovesOnThe27thStep) {
    ScriptedTown town;
    const Intersection& i1 = *town.traffic.intersections[1];  // centre (14, 0)
    const float probes[][3] = {{12.4f, 0, 0}, {15.6f, 0, 0},         {14, 1.6f, 0},
                               {14, -1.6f, 0}, {12.41f, -1.59f, 1}, {15.59f, 1.59f, 1}};
    for (const auto& p : probes) EXPECT_EQ(inside(i1, p[0], p[1]), p[2]) << p[0] << ", " << p[1];

    town.traffic.num_cars = 1;
    Car& car = *town.traffic.cars[0];
    place(car, 12.4f, 0.5f, 1, 0, DRIVING, 1);
    town.steps(1);
    EXPECT_EQ(car.state, DRIVING);
    EXPECT_NEAR(car.x, 12.6f, 1e-6);
    town.steps(1);  // the step in which it stops
    EXPECT_EQ(car.state, STOPPED);
    EXPECT_EQ(car.cur_isect, 1);
    const float stop_x = car.x;
    town.steps(25);
    EXPECT_EQ(car.state, WAITING);
    town.steps(1);
    EXPECT_EQ(car.state, CROSSING);
    EXPECT_EQ(car.x, stop_x);
    town.steps(1);
    EXPECT_NE(car.x, stop_x);
}

TEST(Traffic, FreedIntersectionGoesToTheNextWaitingCarInIndexOrder) {
    ScriptedTown town;
    town.traffic.num_cars = 4;
    Intersection& centre = *town.traffic.intersections[4];
    place(*town.traffic.cars[0], -1.4f, 0.5f, 1, 0, WAITING, 4);
    place(*town.traffic.cars[1], 0.5f, -5, 0, -1, CROSSING, 4);  // straight on, about to leave
    place(*town.traffic.cars[2], 1.4f, -0.5f, -1, 0, WAITING, 4);
    place(*town.traffic.cars[3], -0.5f, -1.4f, 0, 1, WAITING, 4);
    town.traffic.cars[1]->progress = 0.975f;
    centre.occupant = 1;
    centre.movement = 1;
    town.steps(1);
    EXPECT_EQ(town.traffic.cars[1]->state, DRIVING);
    EXPECT_EQ(town.traffic.cars[0]->state, WAITING);  // asked before car 1 left
    EXPECT_EQ(town.traffic.cars[2]->state, CROSSING);
    EXPECT_EQ(town.traffic.cars[3]->state, WAITING);
    EXPECT_EQ(centre.occupant, 2);

    // With no car waiting after the one that leaves, the first waiting car
    // takes it in the next step.
    town.traffic.cars[2]->progress = 0.975f;
    town.traffic.cars[3]->state = STOPPED;
    town.traffic.cars[3]->wait = 5;
    town.steps(1);
    EXPECT_EQ(centre.occupant, -1);
    EXPECT_EQ(town.traffic.cars[0]->state, WAITING);
    town.steps(1);
    EXPECT_EQ(centre.occupant, 0);
}

TEST(Traffic, TurnFallsBackToAStreetThatExists) {
    struct Case {
        int isect;
        float dir_x, dir_z;
        int movement[3];  // for a left, straight and right number
    };
    // Corner 0 from the west: only north is left. Intersection 1 from the
    // south has no east: right becomes left. Intersection 7 from the south
    // has no west: left becomes straight. Corner 8 from the south has only
    // east: always right.
    for (const Case c : {Case{0, 1, 0, {9, 9, 9}}, Case{1, 0, -1, {0, 1, 0}},
                         Case{7, 0, -1, {1, 1, 2}}, Case{8, 0, -1, {2, 2, 2}}}) {
        for (int turn = 0; turn < 3; ++turn) {
            ScriptedTown town;
            town.traffic.num_cars = 1;
            const Intersection& I = *town.traffic.intersections[c.isect];
            place(*town.traffic.cars[0], I.center_x, I.center_z, c.dir_x, c.dir_z, WAITING,
                  c.isect);
            town.turns = {turn};
            town.steps(1);
            EXPECT_EQ(I.movement, c.movement[turn]) << c.isect << " turn " << turn;
            EXPECT_EQ(town.traffic.cars[0]->turn, c.movement[turn] % 3);
        }
    }
}

TEST(Traffic, CarsKeepTheirDistance) {
    ScriptedTown town;
    town.traffic.num_cars = 2;
    Car& car = *town.traffic.cars[0];
    // Only a car within 0.2 of the point 1.5 ahead holds a driving car, in
    // any state; one closer than 1.3 does not.
    for (const float gap : {1.25f, 1.35f, 1.65f, 1.75f}) {
        place(car, -10, 0.5f, 1, 0, DRIVING, 4);
        place(*town.traffic.cars[1], -10 + gap, 0.6f, 1, 0, STOPPED, 4);
        town.traffic.cars[1]->wait = 99;
        town.steps(1);
        EXPECT_EQ(car.x != -10, gap < 1.3f || gap > 1.7f) << gap;
    }
    // A crossing car looks 1.1 ahead, and into its lane when turning right.
    for (const int turn : {TURN_LEFT, TURN_RIGHT}) {
        place(car, -1.4f, 0.5f, 1, 0, CROSSING, 4);
        car.turn = turn;
        town.traffic.intersections[4]->movement = 9 + turn;
        place(*town.traffic.cars[1], -0.65f, 0.85f, 0, 1, DRIVING, 3);
        town.steps(1);
        EXPECT_EQ(car.progress, turn == TURN_RIGHT ? 0 : CROSS_STEP);
        place(*town.traffic.cars[1], -0.3f, 0.5f, 0, 1, DRIVING, 3);
        town.steps(1);
        EXPECT_EQ(car.progress, turn == TURN_RIGHT ? 0 : CROSS_STEP);
    }
    // A queue behind a car that stands still settles about 1.5 apart.
    town.traffic.num_cars = 4;
    for (int i = 0; i < 4; ++i) place(*town.traffic.cars[i], -6 - 2.5f * i, 0.5f, 1, 0, DRIVING, 4);
    car.speed = 0;
    town.steps(100);
    for (int i = 1; i < 4; ++i) {
        const float gap = town.traffic.cars[i - 1]->x - town.traffic.cars[i]->x;
        EXPECT_GT(gap, 1.3f);
        EXPECT_LT(gap, 1.7f);
    }
}

TEST(Traffic, ProductionTurnsAreEvenlyLeftStraightAndRight) {
    Town town;
    std::srand(11);
    int counts[3] = {};
    for (int k = 0; k < 30000; ++k) {
        const int r = town.traffic.random_turn_number();
        ASSERT_TRUE(r >= 0 && r <= 32767) << r;
        ++counts[static_cast<int>(r / 32768.0 * 3)];
    }
    for (const int count : counts) EXPECT_NEAR(count, 10000, 600);
}

// The frame's move step drives the train and then the cars, only while the
// train runs.
TEST(Traffic, FrameMovesTrainAndCarsOnlyWhileTheTrainRuns) {
    FakeTick tick(1000);
    Town town;
    lay_hilly_loop(town);
    town.clock.frame_clock = 0;
    town.frame_begin();
    town.frame_end();
    EXPECT_EQ(town.traffic.cars[0]->x, -6);
    EXPECT_EQ(town.train.train_param, 0.0f);

    town.toggle_train();
    tick.advance(24);
    town.frame_begin();
    EXPECT_NEAR(town.traffic.cars[0]->x, -5.8f, 1e-6);
    EXPECT_GT(town.train.train_param, 0.0f);
}
