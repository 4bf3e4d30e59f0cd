// One step of the town's traffic: cars drive their lanes, stop at the stop
// sign, wait for a free intersection, then cross it one at a time.
#include <algorithm>
#include <cmath>

#include "traffic.h"

int inside(const Intersection& isect, float x, float z) {
    // Strict bounds: a car exactly on the square's edge has not arrived yet.
    const bool in_x = x > isect.center_x - INTERSECTION_HALF && x < isect.center_x + INTERSECTION_HALF;
    const bool in_z = z > isect.center_z - INTERSECTION_HALF && z < isect.center_z + INTERSECTION_HALF;
    return in_x && in_z ? 1 : 0;
}

int near_point(const Car& car, float px, float pz) {
    const double dx = static_cast<double>(car.x) - px;
    const double dz = static_cast<double>(car.z) - pz;
    return std::sqrt(dx * dx + dz * dz) < NEAR_DISTANCE ? 1 : 0;
}

void car_advance(Car& car) {
    car.x += car.speed * car.dir_x;
    car.z += car.speed * car.dir_z;
}

namespace {

// How many cars other than `self` stand near (px, pz).
int cars_near(const Traffic& traffic, int self, float px, float pz) {
    int count = 0;
    for (int j = 0; j < traffic.num_cars; ++j) {
        if (j != self && near_point(*traffic.cars[j], px, pz) == 1) ++count;
    }
    return count;
}

// The heading a car enters with. Its direction is an exact axis vector when
// it starts crossing; reading the larger component keeps a slightly bent
// direction from ever selecting a movement outside the intersection's table.
int entry_of(const Car& car) {
    if (std::fabs(car.dir_z) >= std::fabs(car.dir_x)) {
        return car.dir_z < 0 ? ENTRY_NORTH : ENTRY_SOUTH;
    }
    return car.dir_x < 0 ? ENTRY_WEST : ENTRY_EAST;
}

// Where a turning car is put when it leaves, by exit direction: on its exit
// lane 1.5 from the centre, heading straight out.
struct ExitPlacement {
    float dx, dz;
    float dir_x, dir_z;
    float side_x, side_z;
};

constexpr ExitPlacement EXIT_PLACEMENTS[] = {
    {-1.5f, -0.5f, -1, 0, 0, -1},  // west
    {0.5f, -1.5f, 0, -1, 1, 0},    // north
    {1.5f, 0.5f, 1, 0, 0, 1},      // east
    {-0.5f, 1.5f, 0, 1, -1, 0},    // south
};
static_assert(sizeof(EXIT_PLACEMENTS) / sizeof(EXIT_PLACEMENTS[0]) == 4, "one per exit direction");

void drive(Traffic& traffic, int i) {
    Car& car = *traffic.cars[i];
    if (inside(*traffic.intersections[car.next_isect], car.x, car.z) == 1) {
        car.state = STOPPED;
        car.cur_isect = car.next_isect;
        car.wait = STOP_STEPS;
        return;
    }
    const float ahead_x = car.x + DRIVE_LOOK_AHEAD * car.dir_x;
    const float ahead_z = car.z + DRIVE_LOOK_AHEAD * car.dir_z;
    if (cars_near(traffic, i, ahead_x, ahead_z) == 0) car_advance(car);
}

void count_down(Car& car) {
    car.wait -= 1;
    if (car.wait <= 0) car.state = WAITING;
}

void take_intersection(Traffic& traffic, int i) {
    Car& car = *traffic.cars[i];
    Intersection& isect = *traffic.intersections[car.cur_isect];
    if (isect.occupant != -1) return;

    isect.occupant = i;
    car.state = CROSSING;
    car.progress = 0;
    const int r = traffic.random_turn_number();
    // The seam promises 0..32767; a number outside it still gives a turn.
    car.turn = std::clamp(static_cast<int>(r / 32768.0 * 3), 0, 2);

    const int entry = entry_of(car);
    const int* exits = isect.exits + 3 * entry;
    if (exits[car.turn] == 0) {
        // Where the chosen street does not exist, prefer left, then straight.
        car.turn = exits[TURN_LEFT] == 1 ? TURN_LEFT : exits[TURN_STRAIGHT] == 1 ? TURN_STRAIGHT
                                                                                    : TURN_RIGHT;
    }
    isect.movement = 3 * entry + car.turn;
}

void leave_intersection(Car& car, Intersection& isect) {
    car.state = DRIVING;
    car.progress = 0;
    car.next_isect = isect.next[isect.movement];
    isect.occupant = -1;
    if (isect.movement % 3 == TURN_STRAIGHT) return;  // already on its lane
    const ExitPlacement& p = EXIT_PLACEMENTS[isect.movement % 4];
    car.x = isect.center_x + p.dx;
    car.z = isect.center_z + p.dz;
    car.dir_x = p.dir_x;
    car.dir_z = p.dir_z;
    car.side_x = p.side_x;
    car.side_z = p.side_z;
}

void cross(Traffic& traffic, int i) {
    Car& car = *traffic.cars[i];
    Intersection& isect = *traffic.intersections[car.cur_isect];
    if (car.progress > CROSS_DONE) {
        leave_intersection(car, isect);
        return;
    }
    int blocking = cars_near(traffic, i, car.x + CROSS_LOOK_AHEAD * car.dir_x,
                             car.z + CROSS_LOOK_AHEAD * car.dir_z);
    if (car.turn == TURN_RIGHT) {
        // A right turn cuts into the lane to its right: look there too.
        blocking += cars_near(traffic, i,
                              car.x + RIGHT_TURN_AHEAD * car.dir_x + RIGHT_TURN_SIDE * car.side_x,
                              car.z + RIGHT_TURN_AHEAD * car.dir_z + RIGHT_TURN_SIDE * car.side_z);
    }
    if (blocking != 0) return;
    car.progress += CROSS_STEP;
    turn_through(isect, car);
}

}  // namespace

void traffic_step(Traffic& traffic) {
    // In index order and in place: a car sees the cars before it already
    // moved, and an intersection freed by one car goes to the first car
    // after it that waits there.
    for (int i = 0; i < traffic.num_cars; ++i) {
        switch (traffic.cars[i]->state) {
            case DRIVING:
                drive(traffic, i);
                break;
            case STOPPED:
                count_down(*traffic.cars[i]);
                break;
            case WAITING:
                take_intersection(traffic, i);
                break;
            case CROSSING:
                cross(traffic, i);
                break;
            default: break;
        }
    }
}
