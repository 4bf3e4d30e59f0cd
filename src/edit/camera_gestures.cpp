// The wheel, the middle-button orbit and pan, and End's overview of the town,
// all on the free camera and all within its reach of the town square.
#include "camera_gestures.h"

#include <algorithm>
#include <cmath>

#include "camera.h"
#include "command_steps.h"
#include "input_codes.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr float PI = 3.14159265f;
// One notch covers this share of the way to the focus, and never less than
// the smallest step, so a camera near the ground can still back away.
constexpr float WHEEL_SHARE = 0.15f;
constexpr float WHEEL_MIN_STEP = 0.5f;
// A notch forward stops this far short of the focus: the eye never reaches
// the ground it looks at.
constexpr float FOCUS_GAP = 0.5f;
// A look this close to level meets the ground too far off to orbit around.
constexpr float MIN_GROUND_SLOPE = 0.08f;
// Orbiting stops short of looking straight down, where turning about the
// world's up spins the view on the spot.
constexpr float MAX_GROUND_SLOPE = 0.995f;
// The ground point orbits and pans are measured from, at most this far.
constexpr float MAX_FOCUS_DISTANCE = 2.0f * FREE_CAMERA_REACH;
constexpr float ORBIT_RADIANS_PER_PIXEL = 0.005f;
// Of the focus distance per pixel, so the ground follows the pointer in a
// window 600 pixels high with a 45 degree field of view.
constexpr float PAN_SHARE_PER_PIXEL = 0.0014f;
constexpr float MIN_FOLLOW_DISTANCE = 2.0f;
constexpr float MAX_FOLLOW_DISTANCE = 50.0f;
constexpr float FOLLOW_SHARE = 0.1f;
// The street grid's outer edge, on either side of the town square.
constexpr float STREETS_HALF = 15.0f;
// What lies further out than this (a stray object) is not framed: the camera
// would have to leave its reach to show it.
constexpr float FRAME_LIMIT = 50.0f;
constexpr float MIN_FRAME_RADIUS = 5.0f;

bool nothing_selected(const Editor& editor) {
    return editor.sel_point == -1 && editor.sel_orient_point == -1 && editor.selected_object == -1 &&
           editor.light_edit == 0;
}

bool follows_point(const Editor& editor) {
    return editor.ground_drag == 1 && (editor.sel_point != -1 || editor.sel_orient_point != -1);
}

bool shift_down(const KeyPoll& keys) { return keys.key_down(KEY_SHIFT_L) || keys.key_down(KEY_SHIFT_R); }

// The box around the street grid, the track and the town objects.
struct Bounds {
    Vec3 lo{-STREETS_HALF, 0, -STREETS_HALF};
    Vec3 hi{STREETS_HALF, 0, STREETS_HALF};
    void add(Vec3 p) {
        if (!is_finite(p)) return;
        const auto inside = [](float v) { return std::clamp(v, -FRAME_LIMIT, FRAME_LIMIT); };
        lo = {std::min(lo.x, inside(p.x)), std::min(lo.y, inside(p.y)), std::min(lo.z, inside(p.z))};
        hi = {std::max(hi.x, inside(p.x)), std::max(hi.y, inside(p.y)), std::max(hi.z, inside(p.z))};
    }
};

Bounds town_and_track_bounds(const Town& town) {
    Bounds box;
    for (int i = 0; i < town.track.num_points && i < MAX_POINTS; ++i) {
        if (town.track.points[i]) box.add(town.track.points[i]->position());
    }
    if (town.track.num_points > 2) {
        for (int k = 0; k < NUM_SAMPLES; ++k)
            box.add({town.track.sample_x[k], town.track.sample_y[k], town.track.sample_z[k]});
    }
    for (int i = 0; i < town.town_objects.object_count && i < MAX_OBJECTS; ++i) {
        if (!town.town_objects.objects[i]) continue;
        const ControlPoint& o = *town.town_objects.objects[i];
        box.add(o.position());
        box.add(o.position() + Vec3{0, o.get_height(), 0});
    }
    return box;
}

}  // namespace

Vec3 eye_within_reach(Vec3 eye, Vec3 step) {
    const Vec3 to = eye + step;
    const float reach = FREE_CAMERA_REACH;
    if (!is_finite(to)) return eye;
    if (length(to) <= reach || length(to) <= length(eye)) return to;
    if (length(eye) >= reach) return eye;
    // |eye + t step| = reach for the t in (0, 1) where the step leaves the reach.
    const float a = dot(step, step);
    const float b = 2.0f * dot(eye, step);
    const float c = dot(eye, eye) - reach * reach;
    const float t = (-b + square_root(b * b - 4.0f * a * c)) / (2.0f * a);
    return eye + step * std::clamp(t, 0.0f, 1.0f);
}

ViewFocus view_focus(const Camera& camera) {
    ViewFocus focus;
    if (camera.eye.y > 0 && camera.look.y < -MIN_GROUND_SLOPE) {
        focus.distance = -camera.eye.y / camera.look.y;
        focus.on_ground = focus.distance <= MAX_FOCUS_DISTANCE;
    }
    if (!focus.on_ground) focus.distance = std::clamp(length(camera.eye), 1.0f, MAX_FOCUS_DISTANCE);
    focus.point = camera.eye + camera.look * focus.distance;
    if (focus.on_ground) focus.point.y = 0;
    return focus;
}

void wheel_free_camera(Camera& camera, int notches) {
    if (notches == 0) return;
    const float to_focus = view_focus(camera).distance;
    const float way = std::max(WHEEL_MIN_STEP, WHEEL_SHARE * to_focus) * static_cast<float>(std::abs(notches));
    if (notches > 0) {
        camera.eye = eye_within_reach(camera.eye, camera.look * -way);
        return;
    }
    const float forward = std::min(way, to_focus - FOCUS_GAP);
    if (forward > 0) camera.eye = eye_within_reach(camera.eye, camera.look * forward);
}

float wheel_follow_distance(float distance, int notches) {
    const float step = std::max(WHEEL_MIN_STEP, FOLLOW_SHARE * distance) * static_cast<float>(notches);
    return std::clamp(distance + step, MIN_FOLLOW_DISTANCE, MAX_FOLLOW_DISTANCE);
}

void orbit_free_camera(Camera& camera, float turn, float tilt) {
    const ViewFocus focus = view_focus(camera);
    Camera orbited = camera;
    orbited.rotate_about_world_up(turn);
    const Camera turned_only = orbited;
    orbited.rotate_about_right(tilt);
    const float slope = -orbited.look.y;
    if (slope > MAX_GROUND_SLOPE || (focus.on_ground && slope < MIN_GROUND_SLOPE)) orbited = turned_only;
    orbited.eye = focus.point - orbited.look * focus.distance;
    if (!is_finite(orbited.eye) || length(orbited.eye) > FREE_CAMERA_REACH) return;
    camera = orbited;
}

void pan_free_camera(Camera& camera, int dx, int dy) {
    const float k = PAN_SHARE_PER_PIXEL * view_focus(camera).distance;
    const Vec3 step = camera.right * (-k * static_cast<float>(dx)) + camera.up * (k * static_cast<float>(dy));
    camera.eye = eye_within_reach(camera.eye, step);
}

void frame_whole_town(Town& town, Editor& editor, float fov_degrees) {
    const Bounds box = town_and_track_bounds(town);
    const Vec3 centre = (box.lo + box.hi) * 0.5f;
    const float radius = std::max(MIN_FRAME_RADIUS, 0.5f * length(box.hi - box.lo));
    const float half_fov = std::clamp(fov_degrees, 10.0f, 170.0f) * PI / 360.0f;
    const Vec3 back{0, 0.70710678f, 0.70710678f};  // from the south, 45 degrees up
    float distance = radius / std::sin(half_fov);
    // Where the line back from the centre leaves the reach: |centre + back d| = reach.
    const float along = dot(centre, back);
    const float reach_left = along * along - dot(centre, centre) + FREE_CAMERA_REACH * FREE_CAMERA_REACH;
    distance = std::min(distance, -along + square_root(std::max(0.0f, reach_left)));
    *editor.camera = Camera(centre + back * distance, centre, Vec3{0, 1, 0});
    editor.camera_mode = CAMERA_FREE;
    editor.redraw(town);
}

bool run_camera_gestures(Town& town, Editor& editor, int event, int button, const KeyPoll& keys) {
    if (event == EVENT_MOUSEWHEEL) {
        const int notches = keys.wheel_notches();
        if (follows_point(editor)) {
            town.follow_distance = wheel_follow_distance(town.follow_distance, notches);
        } else if (editor.camera_mode == CAMERA_FREE && nothing_selected(editor)) {
            wheel_free_camera(*editor.camera, notches);
        }
        editor.redraw(town);
        return true;
    }
    if (event != EVENT_DRAG || button != BUTTON_MIDDLE) return false;
    if (editor.camera_mode != CAMERA_FREE || !nothing_selected(editor)) return true;
    const int dx = editor.drag_x - editor.drag_prev_x;
    const int dy = editor.drag_y - editor.drag_prev_y;
    if (shift_down(keys)) {
        pan_free_camera(*editor.camera, dx, dy);
    } else {
        orbit_free_camera(*editor.camera, -ORBIT_RADIANS_PER_PIXEL * dx, ORBIT_RADIANS_PER_PIXEL * -dy);
    }
    editor.redraw(town);
    return true;
}
