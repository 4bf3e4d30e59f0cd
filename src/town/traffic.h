// The cars and the stop-sign intersections of the 3 x 3 street grid, and the
// step that drives them. Directions: x east, z south; right-hand traffic.
#pragma once

#include <functional>
#include <memory>

enum CarState { DRIVING = 0, STOPPED = 1, WAITING = 2, CROSSING = 3 };

// A car's turn at an intersection; movement code = 3 x entry + turn.
enum Turn { TURN_LEFT = 0, TURN_STRAIGHT = 1, TURN_RIGHT = 2 };

// Which way a car was heading when it entered an intersection.
enum Entry { ENTRY_NORTH = 0, ENTRY_WEST = 1, ENTRY_SOUTH = 2, ENTRY_EAST = 3 };

// Which way a street leaves an intersection: movement code mod 4.
enum ExitDirection { EXIT_WEST = 0, EXIT_NORTH = 1, EXIT_EAST = 2, EXIT_SOUTH = 3 };

constexpr int NUM_MOVEMENTS = 12;

// Steps a car stands at a stop sign before it may take the intersection.
constexpr int STOP_STEPS = 25;
// Half the side of an intersection's square, measured from its centre.
constexpr double INTERSECTION_HALF = 1.6;
// A car counts as standing at a look-ahead point closer than this.
constexpr double NEAR_DISTANCE = 0.2;
// How far ahead a driving car looks for a car standing in its way.
constexpr float DRIVE_LOOK_AHEAD = 1.5f;
// How far ahead a crossing car looks, and where a right-turning car also
// looks (ahead and to its right, into the lane it turns into).
constexpr float CROSS_LOOK_AHEAD = 1.1f;
constexpr float RIGHT_TURN_AHEAD = 0.75f;
constexpr float RIGHT_TURN_SIDE = 0.35f;
// Progress through an intersection per step, and the progress after which
// the car leaves (reached after 39 moves).
constexpr float CROSS_STEP = 0.025f;
constexpr double CROSS_DONE = 0.95;

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

// 1 when (x, z) lies strictly inside the intersection's square.
int inside(const Intersection& isect, float x, float z);
// 1 when the car stands within NEAR_DISTANCE of (px, pz).
int near_point(const Car& car, float px, float pz);
// Moves the car one step along its direction of travel.
void car_advance(Car& car);
// Places a crossing car for its current progress along the path of the
// intersection's movement: straight on, or a turn's approach, arc and exit.
void turn_through(const Intersection& isect, Car& car);

constexpr int MAX_CARS = 50;
constexpr int NUM_CARS = 20;
constexpr int NUM_INTERSECTIONS = 9;

// A random number 0..32767 for a car's turn; tests hand in a script.
using TurnSource = std::function<int()>;
int random_turn_from_rand();

struct Traffic {
    Traffic() = default;
    Traffic(const Traffic&) = delete;
    Traffic& operator=(const Traffic&) = delete;

    std::unique_ptr<Car> cars[MAX_CARS];
    int num_cars = NUM_CARS;
    std::unique_ptr<Intersection> intersections[NUM_INTERSECTIONS];

    TurnSource random_turn_number = random_turn_from_rand;
};

// The twenty cars at their starting places and the nine intersections.
void create_traffic(Traffic& traffic);
// One step of every car, in index order.
void traffic_step(Traffic& traffic);
