// The paths of cars through an intersection: straight on, or a turn made of a
// straight approach in the entry lane, a quarter circle and a straight exit.
#include <cmath>
#include <iterator>

#include "traffic.h"

namespace {

// A quarter turn, as the turn paths have always written it.
constexpr double QUARTER = 1.57075;
// Approach and exit legs run for 0.3 of the progress each: 1 unit long for
// left turns, 0.5 for right turns.
constexpr double K = 3.3333333333333335;  // 1 / 0.3
constexpr double M = 1.6666666666666667;  // 0.5 / 0.3
constexpr double ARC_START = 0.3;
constexpr double ARC_END = 0.7;
constexpr double ARC_SPAN = 0.4;

enum Axis { AXIS_X, AXIS_Z };

// One turning movement. Approach: the coordinate along the entry direction
// is centre + approach_offset + approach_rate q. Exit: the coordinate along
// the exit direction is centre + exit_offset + exit_rate (q - 0.7).
struct TurnPath {
    int code;
    bool left;
    Axis approach_axis;
    double approach_offset, approach_rate;
    double arc_dx, arc_dz;  // arc centre relative to the intersection centre
    double angle0;          // e0 for left turns, f0 for right turns
    Axis exit_axis;
    double exit_offset, exit_rate;
};

constexpr TurnPath TURN_PATHS[] = {
    // left turns, radius 1
    {0, true, AXIS_Z, 1.5, -K, -0.5, 0.5, 0, AXIS_X, -0.5, -K},              // north to west
    {3, true, AXIS_X, 1.5, -K, 0.5, 0.5, QUARTER, AXIS_Z, 0.5, K},           // west to south
    {6, true, AXIS_Z, -1.5, K, 0.5, -0.5, 3.1415, AXIS_X, 0.5, K},           // south to east
    {9, true, AXIS_X, -1.5, K, -0.5, -0.5, 4.71225, AXIS_Z, -0.5, -K},       // east to north
    // right turns, radius 0.5
    {2, false, AXIS_Z, 1.5, -M, 1, 1, 3.1415, AXIS_X, 1, M},                 // north to east
    {5, false, AXIS_X, 1.5, -M, 1, -1, 4.71225, AXIS_Z, -1, -M},             // west to north
    {8, false, AXIS_Z, -1.5, M, -1, -1, 6.283, AXIS_X, -1, -M},              // south to west
    {11, false, AXIS_X, -1.5, M, -1, 1, QUARTER, AXIS_Z, 1, M},              // east to south
};
static_assert(std::size(TURN_PATHS) == 8, "four left and four right turns");

const TurnPath* turn_path_for(int code) {
    for (const TurnPath& path : TURN_PATHS) {
        if (path.code == code) return &path;
    }
    return nullptr;
}

void set_coordinate(Car& car, Axis axis, double center_x, double center_z, double offset) {
    if (axis == AXIS_X) {
        car.x = static_cast<float>(center_x + offset);
    } else {
        car.z = static_cast<float>(center_z + offset);
    }
}

}  // namespace

void turn_through(const Intersection& isect, Car& car) {
    const TurnPath* path = turn_path_for(isect.movement);
    if (path == nullptr) {  // straight on, in the lane it came in
        car_advance(car);
        return;
    }
    const double q = car.progress;
    const double cx = isect.center_x;
    const double cz = isect.center_z;
    if (q < ARC_START) {
        set_coordinate(car, path->approach_axis, cx, cz,
                       path->approach_offset + path->approach_rate * q);
        return;
    }
    if (q >= ARC_END) {
        // The direction keeps its last value on the arc until the car leaves.
        set_coordinate(car, path->exit_axis, cx, cz,
                       path->exit_offset + path->exit_rate * (q - ARC_END));
        return;
    }
    const double a = (q - ARC_START) / ARC_SPAN * QUARTER;
    const double ox = cx + path->arc_dx;
    const double oz = cz + path->arc_dz;
    if (path->left) {
        const double e = path->angle0 + a;
        car.x = static_cast<float>(ox + std::cos(e));
        car.z = static_cast<float>(oz - std::sin(e));
        car.dir_x = static_cast<float>(-std::sin(e));
        car.dir_z = static_cast<float>(-std::cos(e));
    } else {
        const double f = path->angle0 - a;
        car.x = static_cast<float>(ox + 0.5 * std::cos(f));
        car.z = static_cast<float>(oz - 0.5 * std::sin(f));
        car.dir_x = static_cast<float>(std::sin(f));
        car.dir_z = static_cast<float>(std::cos(f));
    }
    car.side_x = -car.dir_z;
    car.side_z = car.dir_x;
}
