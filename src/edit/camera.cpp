// The free camera's construction and turns, and the eye, centre and up of
// every camera mode: on the train, on a car, fixed, free or following the
// selected point.
#include "camera.h"

#include "editor.h"
#include "town.h"

namespace {

constexpr Vec3 WORLD_UP{0, 1, 0};
constexpr Vec3 NORTH{0, 0, -1};

// Two directions closer than this sine of their angle give a cross product
// whose direction is mostly rounding, so it is treated as having none.
constexpr float MIN_SINE = 1e-4f;

// v at unit length into out; false, with out untouched, when v is zero or
// not finite and so has no direction.
bool unit_into(Vec3 v, Vec3& out) {
    const float len = length(v);
    if (!(len > 0.0f) || !std::isfinite(len)) return false;
    const Vec3 u = v / len;
    if (!is_finite(u)) return false;
    out = u;
    return true;
}

// a x b at unit length into out; false when a and b are (nearly) parallel.
bool unit_cross_into(Vec3 a, Vec3 b, Vec3& out) {
    const Vec3 c = cross(a, b);
    if (!(length(c) >= MIN_SINE * length(a) * length(b))) return false;
    return unit_into(c, out);
}

// A unit vector square to the unit vector v: level and pointing north or
// west, so a view straight up or down still has a sensible top.
Vec3 any_square_to(Vec3 v) {
    Vec3 out{1, 0, 0};
    if (!unit_cross_into(v, NORTH, out)) unit_cross_into(v, Vec3{1, 0, 0}, out);
    return out;
}

// v turned by a radians about the unit axis k, right-hand rule.
Vec3 turned(Vec3 v, Vec3 k, float a) {
    const float c = cosine(a);
    const float s = sine(a);
    return v * c + cross(k, v) * s + k * (dot(k, v) * (1.0f - c));
}

}  // namespace

Camera::Camera(Vec3 eye_, Vec3 target_, Vec3 up_hint) : eye(eye_), target(target_) {
    const Vec3 view = target - eye;
    if (!unit_into(view, look)) look = NORTH;  // a target on the eye gives no direction
    if (!unit_cross_into(view, up_hint, right)) right = any_square_to(look);
    if (!unit_cross_into(right, look, up)) up = WORLD_UP;
}

void Camera::rotate_about_right(float a) {
    Vec3 new_look, new_up, new_right;
    if (!unit_into(turned(look, right, a), new_look)) return;
    if (!unit_cross_into(right, new_look, new_up)) return;
    if (!unit_cross_into(new_look, new_up, new_right)) return;
    look = new_look;
    up = new_up;
    right = new_right;
}

void Camera::rotate_about_world_up(float a) {
    Vec3 new_look, new_up, new_right;
    if (!unit_into(turned(look, WORLD_UP, a), new_look)) return;
    if (!unit_cross_into(new_look, WORLD_UP, new_right)) {
        // Looking straight up or down the level right vector has no direction
        // of its own: turn the current one with the view and keep it level.
        Vec3 r = turned(right, WORLD_UP, a);
        r.y = 0;
        if (!unit_into(r, new_right)) return;
        if (!unit_cross_into(new_right, new_look, new_up)) return;
        if (!unit_cross_into(new_look, new_up, new_right)) return;
    } else if (!unit_cross_into(new_right, new_look, new_up)) {
        return;
    }
    look = new_look;
    up = new_up;
    right = new_right;
}

void Camera::rotate_about_up(float a) {
    Vec3 new_look, new_up, new_right;
    if (!unit_into(turned(look, up, a), new_look)) return;
    if (!unit_cross_into(new_look, up, new_right)) return;
    if (!unit_cross_into(new_right, new_look, new_up)) return;
    look = new_look;
    up = new_up;
    right = new_right;
}

namespace {

// The train's forward direction F and its up V, square to each other.
struct TrainFrame {
    Vec3 forward, up;
};

TrainFrame train_frame(const Town& town) {
    TrainFrame f{{1, 0, 0}, WORLD_UP};
    // A train that has not moved yet has no direction: it faces east, as its
    // headlight does.
    unit_into(town.train.train_dir, f.forward);
    Vec3 hint = WORLD_UP;
    unit_into(town.train.train_up, hint);
    // An up hint along the track (or none) cannot tell the train's right; the
    // world's up can, unless the train climbs straight up, and then north can.
    Vec3 side{1, 0, 0};
    if (!unit_cross_into(f.forward, hint, side) && !unit_cross_into(f.forward, WORLD_UP, side)) {
        unit_cross_into(f.forward, NORTH, side);
    }
    unit_cross_into(side, f.forward, f.up);
    return f;
}

// The car the car views ride on, or null when there is no such car.
const Car* viewed_car(const Town& town, const Editor& editor) {
    const int i = editor.vehicle_view;
    if (i < 0 || i >= town.traffic.num_cars || i >= MAX_CARS) return nullptr;
    return town.traffic.cars[i].get();
}

// The selected track point (or orientation point) the view follows while
// points are dragged in the ground plane; null when the free camera applies.
const ControlPoint* followed_point(const Town& town, const Editor& editor) {
    if (editor.ground_drag != 1) return nullptr;
    const int p = editor.sel_point;
    if (p >= 0 && p < town.track.num_points && p < MAX_POINTS) return town.track.points[p].get();
    const int o = editor.sel_orient_point;
    if (o >= 0 && o < town.track.num_orient_points && o < MAX_POINTS)
        return town.track.orient_points[o].get();
    return nullptr;
}

CameraView free_or_follow_view(const Town& town, const Editor& editor) {
    const Camera& cam = *editor.camera;
    const ControlPoint* q = followed_point(town, editor);
    if (q == nullptr) return {cam.eye, cam.eye + cam.look, cam.up, cam.eye};
    // The point seen from above and from the south at 45 degrees.
    const float d = town.follow_distance;
    const Vec3 at = q->position();
    return {{at.x, at.y + d, at.z + d}, at, WORLD_UP, cam.eye};
}

// Views riding on the train, a car or a fixed viewpoint; false when the mode
// names none or its car does not exist.
bool vehicle_view(const Town& town, const Editor& editor, CameraView& v) {
    const Vec3 p = town.train.train_pos;
    const int mode = editor.camera_mode;
    if (mode >= CAMERA_ON_TRAIN && mode <= CAMERA_ABOVE_TRAIN) {
        const TrainFrame t = train_frame(town);
        const Vec3 f = t.forward;
        const Vec3 u = t.up;
        switch (mode) {
            case CAMERA_ON_TRAIN: v = {p + u, p + 2 * f + 0.75f * u, u, p}; break;
            case CAMERA_BEHIND_TRAIN: v = {p + 1.5f * u - 2 * f, p + 2 * f + 0.75f * u, u, p}; break;
            case CAMERA_TRAIN_LOOKING_BACK: v = {p + u + 2 * f, p - 2 * f + 0.5f * u, u, p}; break;
            default: v = {p + Vec3{4, 4, 4}, p, u, p}; break;
        }
        return true;
    }
    if (mode >= CAMERA_CAR_DRIVER && mode <= CAMERA_CAR_TO_TRAIN) {
        const Car* c = viewed_car(town, editor);
        if (c == nullptr) return false;
        const Vec3 seat{c->x, 0.8f, c->z};
        const Vec3 dir{c->dir_x, 0, c->dir_z};
        const Camera& cam = *editor.camera;
        switch (mode) {
            case CAMERA_CAR_DRIVER: v = {seat, seat + dir, WORLD_UP, seat}; break;
            case CAMERA_BEHIND_CAR:
                v = {Vec3{c->x - 2.5f * c->dir_x, 1, c->z - 2.5f * c->dir_z}, seat + dir, WORLD_UP, seat};
                break;
            case CAMERA_CAR_LOOKING_BACK:
                v = {Vec3{c->x + 2.5f * c->dir_x, 1, c->z + 2.5f * c->dir_z}, seat - dir, WORLD_UP, seat};
                break;
            case CAMERA_CAR_FREE_LOOK: v = {seat, seat + cam.look, cam.up, seat}; break;
            default: v = {seat, p, WORLD_UP, seat}; break;
        }
        return true;
    }
    switch (mode) {
        case CAMERA_FIXED_SOUTH_WEST:
            v.eye = {-21.109f, 29.176f, 31.33f};
            v.center = {-20.617f, 28.559f, 30.716f};
            break;
        case CAMERA_FIXED_SOUTH_EAST:
            v.eye = {7.65f, 5.515f, 4.66f};
            v.center = {6.813f, 5.172f, 4.234f};
            break;
        case CAMERA_FIXED_NORTH:
            v.eye = {2.955f, 3.65f, -7.705f};
            v.center = {3.766f, 3.749f, -7.129f};
            break;
        default: return false;
    }
    v.up = WORLD_UP;
    v.sky_center = v.eye;
    return true;
}

// gluLookAt draws nothing when the centre sits on the eye or the up vector
// runs along the line of sight (a car's view straight up at the train over
// it, the train tipped towards the camera above it). Keep such a view defined.
CameraView keep_defined(CameraView v, const Town& town, const Editor& editor) {
    Vec3 sight;
    if (!is_finite(v.eye) || !unit_into(v.center - v.eye, sight)) return free_or_follow_view(town, editor);
    Vec3 side;
    if (!is_finite(v.up) || !unit_cross_into(sight, v.up, side)) v.up = any_square_to(sight);
    return v;
}

}  // namespace

CameraView choose_camera_view(const Town& town, const Editor& editor) {
    CameraView v;
    if (town.train.train_running != 0 && editor.camera_mode != CAMERA_FREE && vehicle_view(town, editor, v)) {
        return keep_defined(v, town, editor);
    }
    return free_or_follow_view(town, editor);
}
