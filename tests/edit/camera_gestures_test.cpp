// The free camera by wheel, orbit, pan and End: its steps, the focus it keeps
// and the reach it never leaves, through the events a person makes.
#include <gtest/gtest.h>

#include <cmath>

#include "camera_gestures.h"
#include "edit/command_fixture.h"

namespace {

constexpr float H = 0.70710678f;

struct WheelKeys : ScriptedKeys {
    int notches = 0;
    int wheel_notches() const override { return notches; }
};

void wheel(CommandTown& town, int notches, int times = 1) {
    WheelKeys keys;
    keys.notches = notches;
    for (int i = 0; i < times; ++i) EXPECT_EQ(town.poll(keys, EVENT_MOUSEWHEEL, 400, 300), 1);
}

void middle_drag(CommandTown& town, int dx, int dy, bool shift) {
    ScriptedKeys keys;
    if (shift) keys.hold(KEY_SHIFT_L);
    town.poll(keys, EVENT_PUSH, 400, 300, BUTTON_MIDDLE);
    town.poll(keys, EVENT_DRAG, 400 + dx, 300 + dy, BUTTON_MIDDLE);
    town.poll(keys, EVENT_RELEASE, 400 + dx, 300 + dy, BUTTON_MIDDLE);
}

// Where the middle of the view meets the ground.
Vec3 ground_ahead(const Camera& c) { return c.eye + c.look * (-c.eye.y / c.look.y); }

void expect_near(Vec3 got, Vec3 want, float tol, const char* what) {
    EXPECT_NEAR(got.x, want.x, tol) << what;
    EXPECT_NEAR(got.y, want.y, tol) << what;
    EXPECT_NEAR(got.z, want.z, tol) << what;
}

TEST(CameraGestures, TheWheelStepsAlongTheLookByAShareOfTheWayAndStopsAtTheReach) {
    CommandTown town;
    const Camera start = *town.editor.camera;
    wheel(town, -1);  // away from the user: forward, 0.15 of the 14.14 units to the ground
    expect_near(town.editor.camera->eye, start.eye + start.look * (0.15f * 14.142136f), 1e-4f, "one notch forward");
    wheel(town, -1, 200);
    EXPECT_GT(length(town.editor.camera->eye - ground_ahead(*town.editor.camera)), 0.49f) << "the eye reached the ground";
    expect_near(ground_ahead(*town.editor.camera), {0, 0, 0}, 1e-3f, "forward keeps the look");

    wheel(town, 1, 200);
    const Vec3 far = town.editor.camera->eye;
    EXPECT_NEAR(length(far), FREE_CAMERA_REACH, 1e-3f);
    EXPECT_NEAR(far.x, 0, 1e-5f);
    EXPECT_NEAR(far.y, far.z, 1e-3f) << "back along the look";

    // Z held four seconds of events, and the right drag, stop at the same reach.
    town.hold_keys({'Z'}, 400);
    EXPECT_LE(length(town.editor.camera->eye), FREE_CAMERA_REACH + 1e-3f);
    ScriptedKeys none;
    town.poll(none, EVENT_PUSH, 200, 200, BUTTON_RIGHT);
    town.poll(none, EVENT_DRAG, 200, 220, BUTTON_RIGHT);
    EXPECT_LE(length(town.editor.camera->eye), FREE_CAMERA_REACH + 1e-3f);
    // An eye beyond the reach may still come back in.
    town.editor.camera->eye = town.editor.camera->look * -95.0f;
    wheel(town, -1);
    EXPECT_LT(length(town.editor.camera->eye), 95.0f);
}

TEST(CameraGestures, TheWheelMovesTheFollowViewOrNothingWhenAnObjectIsSelected) {
    CommandTown town;
    town.add_points(3);  // the last point added is selected: the view follows it
    wheel(town, 1, 100);
    EXPECT_FLOAT_EQ(town.follow_distance, 50.0f);
    wheel(town, -1, 100);
    EXPECT_FLOAT_EQ(town.follow_distance, 2.0f);

    town.press('R');
    create_object(town, town.editor);
    const Vec3 eye = town.editor.camera->eye;
    wheel(town, -3);
    expect_near(town.editor.camera->eye, eye, 0, "an object selected");
}

TEST(CameraGestures, AMiddleDragOrbitsAroundTheGroundInTheMiddleOfTheViewAndShiftPans) {
    CommandTown town;
    town.editor.camera->eye = {4, 10, 10};  // looking (0, -H, -H): the ground ahead is (4, 0, 0)
    middle_drag(town, 60, -40, false);
    const Camera& c = *town.editor.camera;
    EXPECT_GT(std::fabs(c.look.x), 0.1f) << "no turn";
    EXPECT_GT(c.look.y, -H + 0.05f) << "no tilt";
    expect_near(ground_ahead(c), {4, 0, 0}, 1e-3f, "orbit keeps the focus");
    EXPECT_NEAR(length(c.eye - Vec3{4, 0, 0}), 14.142136f, 1e-3f);

    // A tilt that would lose the ground from the middle of the view is not made.
    middle_drag(town, 0, -400, false);
    EXPECT_LT(town.editor.camera->look.y, -0.07f);
    expect_near(ground_ahead(*town.editor.camera), {4, 0, 0}, 1e-3f, "after the refused tilt");

    const Camera before = *town.editor.camera;
    middle_drag(town, 20, 10, true);
    expect_near(town.editor.camera->look, before.look, 0, "a pan turns nothing");
    const Vec3 moved = town.editor.camera->eye - before.eye;
    EXPECT_NEAR(dot(moved, before.look), 0, 1e-4f);
    EXPECT_LT(dot(moved, before.right), 0) << "the ground follows the pointer to the right";
    EXPECT_GT(dot(moved, before.up), 0);

    town.editor.camera_mode = 5;  // another camera: the free one stays where it is
    const Vec3 eye = town.editor.camera->eye;
    middle_drag(town, 30, 30, false);
    expect_near(town.editor.camera->eye, eye, 0, "mode 5");
}

// Every corner of the box lies inside the vertical field of view.
void expect_in_view(const Camera& c, Vec3 lo, Vec3 hi, const char* what) {
    for (int i = 0; i < 8; ++i) {
        const Vec3 corner{(i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z};
        const Vec3 to = corner - c.eye;
        EXPECT_GE(dot(to, c.look) / length(to), std::cos(22.5f * 3.14159265f / 180.0f) - 1e-4f)
            << what << ", corner " << i;
    }
}

TEST(CameraGestures, EndFramesTheStreetsTheTrackAndTheObjectsFromTheSouth) {
    CommandTown town;
    town.editor.camera_mode = 5;
    town.editor.camera->rotate_about_world_up(1.0f);
    town.press(KEY_END);
    const Camera& c = *town.editor.camera;
    EXPECT_EQ(town.editor.camera_mode, 0);
    expect_near(c.look, {0, -H, -H}, 1e-5f, "from the south, 45 degrees down");
    expect_near(c.eye, Vec3{0, H, H} * (21.213203f / std::sin(22.5f * 3.14159265f / 180.0f)), 1e-3f, "eye");
    expect_in_view(c, {-15, 0, -15}, {15, 0, 15}, "streets");

    town.add_points(4);
    town.track.points[2]->set_position(22, 8, 18);
    town.rebuild_track();
    create_object(town, town.editor);
    town.town_objects.objects[0]->set_position(-20, 0, -22);
    town.town_objects.objects[0]->set_height(12);
    town.press(KEY_END);
    expect_in_view(*town.editor.camera, {-20, 0, -22}, {22, 12, 18}, "track and objects");

    town.town_objects.objects[0]->set_position(900, 0, 900);  // a stray object: the reach wins
    town.press(KEY_END);
    EXPECT_LE(length(town.editor.camera->eye), FREE_CAMERA_REACH + 1e-3f);
}

}  // namespace
