// The free camera as a desktop 3D editor moves it: the wheel brings it closer
// or takes it back, a middle drag orbits it around what it looks at, Shift
// with a middle drag pans it, End frames the whole town. Every move keeps the
// eye within reach of the town square, so the town stays inside the far plane.
#pragma once

#include "vec3.h"

struct Camera;
struct KeyPoll;
struct Town;
struct Editor;

// The eye never goes further than this from the town square: the view
// reaches 100 units, and from here the town is still inside it.
constexpr float FREE_CAMERA_REACH = 90.0f;

// eye + step, stopped where it meets the reach. An eye already beyond it
// may come back in, never go further out.
Vec3 eye_within_reach(Vec3 eye, Vec3 step);

// What the middle of the view looks at: where the look meets the ground, or,
// looking level or up, a point as far ahead as the town square is away.
struct ViewFocus {
    Vec3 point;
    float distance = 0;    // from the eye
    bool on_ground = false;
};
ViewFocus view_focus(const Camera& camera);

// The wheel's notches (positive towards the user) move the eye along the
// look by a share of the distance to the focus: fine near it, fast far off.
void wheel_free_camera(Camera& camera, int notches);
// The same notches take the view that follows a selected point further off
// or closer, within the follow distance's bounds.
float wheel_follow_distance(float distance, int notches);
// Turns the camera about the world's up and its right axis through the focus,
// keeping its distance; a tilt that would lose the ground from the middle of
// the view, or a turn that would leave the reach, is not made.
void orbit_free_camera(Camera& camera, float turn, float tilt);
// Slides the eye across the view by a pointer step in pixels (x right, y
// down the screen), so that the ground at the focus follows the pointer.
void pan_free_camera(Camera& camera, int dx, int dy);
// The free camera from the south, 45 degrees down, with the street grid,
// the track and the town objects inside the vertical field of view (degrees).
void frame_whole_town(Town& town, Editor& editor, float fov_degrees);

// Runs the wheel and the middle-button drags for one toolkit event,
// after the event's own handling has stored the drag positions; true when
// the event was one of these and the view takes it.
bool run_camera_gestures(Town& town, Editor& editor, int event, int button, const KeyPoll& keys);
