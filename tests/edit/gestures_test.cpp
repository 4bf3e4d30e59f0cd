// Mouse gestures: dragging the selected point, orientation point, town
// object and light, the jump filter, and the free camera's drags.
#include <gtest/gtest.h>

#include "scene_file.h"
#include "track_measure.h"
#include "edit/command_fixture.h"

namespace {

// Moves the pointer to (x, y) without a button, then drags by (dx, dy).
void drag(CommandTown& town, const ScriptedKeys& keys, int button, int x, int y, int dx, int dy) {
    town.poll(keys, EVENT_MOVE, x, y);
    town.poll(keys, EVENT_DRAG, x + dx, y + dy, button);
}

TEST(Gestures, GroundDragMovesAControlPointWithItsOrientationPoint) {
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(3);
    town.editor.sel_point = 1;
    const Vec3 p = town.track.points[1]->position();
    const Vec3 o = town.track.orient_points[1]->position();

    drag(town, keys, BUTTON_LEFT, 100, 200, 8, -3);
    EXPECT_NEAR(town.track.points[1]->x, p.x + 0.075f * 8, 1e-5f);
    EXPECT_NEAR(town.track.points[1]->y, p.y, 1e-6f);
    EXPECT_NEAR(town.track.points[1]->z, p.z - 0.075f * 3, 1e-5f);
    EXPECT_NEAR(town.track.orient_points[1]->x, o.x + 0.075f * 8, 1e-5f);
    EXPECT_NEAR(town.track.orient_points[1]->z, o.z - 0.075f * 3, 1e-5f);
    EXPECT_EQ(town.track.track_edited, 1);
    // Right button: up the screen raises both points.
    drag(town, keys, BUTTON_RIGHT, 100, 200, 2, -6);
    EXPECT_NEAR(town.track.points[1]->y, p.y + 0.075f * 6, 1e-5f);
    EXPECT_NEAR(town.track.orient_points[1]->y, o.y + 0.075f * 6, 1e-5f);

    // Off the ground plane ('1'), a left drag follows the camera's axes.
    const Vec3 q = town.track.points[1]->position();
    const Vec3 right = town.editor.camera->right;
    const Vec3 look = town.editor.camera->look;
    town.editor.ground_drag = 0;
    drag(town, keys, BUTTON_LEFT, 10, 20, 5, -7);  // 7 pixels up the screen
    EXPECT_NEAR(town.track.points[1]->x, q.x + 0.075f * 5 * right.x + 0.075f * 7 * look.x, 1e-5f);
    EXPECT_NEAR(town.track.points[1]->y, q.y, 1e-6f);
    EXPECT_NEAR(town.track.points[1]->z, q.z + 0.075f * 5 * right.z + 0.075f * 7 * look.z, 1e-5f);
}

TEST(Gestures, AJumpOfThirtyPixelsMovesNothing) {
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(3);
    town.editor.sel_point = 0;
    const Vec3 p = town.track.points[0]->position();

    drag(town, keys, BUTTON_LEFT, 50, 60, 30, 0);
    drag(town, keys, BUTTON_LEFT, 50, 60, 0, -30);
    drag(town, keys, BUTTON_RIGHT, 50, 60, 1, 45);
    EXPECT_FLOAT_EQ(town.track.points[0]->x, p.x);
    EXPECT_FLOAT_EQ(town.track.points[0]->y, p.y);
    EXPECT_FLOAT_EQ(town.track.points[0]->z, p.z);
    drag(town, keys, BUTTON_LEFT, 50, 60, 29, -29);
    EXPECT_NEAR(town.track.points[0]->x, p.x + 0.075f * 29, 1e-5f);
}

TEST(Gestures, OrientationPointDragsAlone) {
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(3);
    town.editor.sel_point = -1;
    town.editor.sel_orient_point = 1;
    const Vec3 p = town.track.points[1]->position();
    const Vec3 o = town.track.orient_points[1]->position();

    drag(town, keys, BUTTON_RIGHT, 300, 300, 0, -4);
    EXPECT_NEAR(town.track.orient_points[1]->y, o.y + 0.3f, 1e-5f);
    EXPECT_FLOAT_EQ(town.track.points[1]->y, p.y);
    drag(town, keys, BUTTON_LEFT, 300, 300, 6, 2);
    EXPECT_NEAR(town.track.orient_points[1]->x, o.x + 0.45f, 1e-5f);
    EXPECT_FLOAT_EQ(town.track.points[1]->x, p.x);
}

TEST(Gestures, ObjectsMoveFinelyAtSinglePixelSteps) {
    CommandTown town;
    ScriptedKeys keys;
    create_object(town, town.editor);
    ControlPoint& object = *town.town_objects.objects[0];
    const Vec3 right = town.editor.camera->right;
    const Vec3 look = town.editor.camera->look;

    drag(town, keys, BUTTON_LEFT, 100, 100, 1, -1);
    EXPECT_NEAR(object.x, 0.0015f * right.x + 0.0015f * look.x, 1e-6f);
    EXPECT_NEAR(object.z, 0.0015f * right.z + 0.0015f * look.z, 1e-6f);
    EXPECT_EQ(object.y, 0.0f);

    object.set_position(0, 0, 0);
    drag(town, keys, BUTTON_LEFT, 100, 100, 4, 0);
    EXPECT_NEAR(object.x, 0.075f * 4 * right.x, 1e-5f);

    drag(town, keys, BUTTON_RIGHT, 100, 100, 0, -1);
    EXPECT_NEAR(object.size, 1.0001f, 1e-6f);
    EXPECT_NEAR(object.height, 4.501f, 1e-5f);
    drag(town, keys, BUTTON_RIGHT, 100, 100, 0, -3);
    EXPECT_NEAR(object.size, 1.0001f + 0.045f, 1e-5f);
    EXPECT_NEAR(object.height, 4.501f + 0.195f, 1e-5f);

    town.hold_keys({'R'});  // lets go of the object
    EXPECT_EQ(town.editor.selected_object, -1);
}

TEST(Gestures, LightDragsAlongTheCameraAndUp) {
    CommandTown town;
    ScriptedKeys keys;
    town.editor.light_edit = 1;
    const Vec3 right = town.editor.camera->right;
    const Vec3 look = town.editor.camera->look;

    drag(town, keys, BUTTON_LEFT, 40, 40, -6, -2);
    EXPECT_NEAR(town.sky.light_pos.x, 0.075f * -6 * right.x + 0.075f * 2 * look.x, 1e-5f);
    EXPECT_NEAR(town.sky.light_pos.y, 13.0f, 1e-6f);
    EXPECT_NEAR(town.sky.light_pos.z, 0.075f * -6 * right.z + 0.075f * 2 * look.z, 1e-5f);
    drag(town, keys, BUTTON_RIGHT, 40, 40, 3, 5);
    EXPECT_NEAR(town.sky.light_pos.y, 13.0f - 0.375f, 1e-5f);
    drag(town, keys, BUTTON_RIGHT, 40, 40, 0, 31);
    EXPECT_NEAR(town.sky.light_pos.y, 13.0f - 0.375f, 1e-5f);
}

TEST(Gestures, EveryDragStopsAtTheTownsBound) {
    constexpr float B = TOWN_MAX_COORDINATE;
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(3);
    // A control point a few units short of the bound, its orientation point
    // beside it: the pair stops where the orientation point meets the bound,
    // keeping their offset.
    town.editor.sel_point = 2;
    town.track.points[2]->set_position(B - 2, B - 3, 0);
    town.track.orient_points[2]->set_position(B - 1, B - 1, 0);
    town.rebuild_track();
    for (int i = 0; i < 10; ++i) drag(town, keys, BUTTON_LEFT, 100, 100, 20, 0);
    for (int i = 0; i < 10; ++i) drag(town, keys, BUTTON_RIGHT, 100, 100, 0, -20);
    EXPECT_EQ(town.track.orient_points[2]->x, B);
    EXPECT_EQ(town.track.points[2]->x, B - 1);
    EXPECT_EQ(town.track.orient_points[2]->y, B);
    EXPECT_EQ(town.track.points[2]->y, B - 2);
    // Back inward it moves again.
    drag(town, keys, BUTTON_LEFT, 100, 100, -20, 0);
    EXPECT_NEAR(town.track.points[2]->x, B - 1 - 1.5f, 1e-3f);
    town.editor.sel_point = -1;

    // An orientation point alone.
    town.editor.sel_orient_point = 0;
    town.track.orient_points[0]->set_position(0, -B + 1, 0);
    for (int i = 0; i < 5; ++i) drag(town, keys, BUTTON_RIGHT, 100, 100, 0, 20);
    EXPECT_EQ(town.track.orient_points[0]->y, -B);
    town.editor.sel_orient_point = -1;

    // A town object, its size and its height.
    create_object(town, town.editor);
    ControlPoint& object = *town.town_objects.objects[0];
    object.set_position(B - 0.5f, 0, -B + 0.5f);
    object.set_size(B - 0.5f);
    object.set_height(B - 0.5f);
    town.editor.camera->right = {1, 0, 0};
    town.editor.camera->look = {0, 0, 1};  // so a drag down the screen moves toward -z
    for (int i = 0; i < 5; ++i) drag(town, keys, BUTTON_LEFT, 100, 100, 20, 20);
    for (int i = 0; i < 5; ++i) drag(town, keys, BUTTON_RIGHT, 100, 100, 0, -20);
    EXPECT_EQ(object.x, B);
    EXPECT_EQ(object.z, -B);
    EXPECT_EQ(object.size, B);
    EXPECT_EQ(object.height, B);
    town.editor.selected_object = -1;

    // The light.
    town.editor.light_edit = 1;
    town.sky.light_pos = {B - 1, B - 1, 0};
    for (int i = 0; i < 5; ++i) drag(town, keys, BUTTON_LEFT, 100, 100, 20, 0);
    for (int i = 0; i < 5; ++i) drag(town, keys, BUTTON_RIGHT, 100, 100, 0, -20);
    EXPECT_EQ(town.sky.light_pos.x, B);
    EXPECT_EQ(town.sky.light_pos.y, B);
    EXPECT_TRUE(check_scene(scene_of_town(town)).empty()) << check_scene(scene_of_town(town));
}

TEST(Gestures, ATrackNeverGrowsPastTheTiesItMayHave) {
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(40);
    // Dragged far out, the point stops where the next step would need too
    // many ties; the track it leaves can be loaded back.
    town.editor.sel_point = 5;
    float stopped = town.track.points[5]->x;
    for (int i = 0; i < 1000; ++i) {
        drag(town, keys, BUTTON_LEFT, 100, 100, 25, 0);
        if (town.track.points[5]->x == stopped) break;
        stopped = town.track.points[5]->x;
    }
    EXPECT_LT(stopped, TOWN_MAX_COORDINATE);
    EXPECT_GT(stopped, 100.0f);
    EXPECT_TRUE(check_scene(scene_of_town(town)).empty()) << check_scene(scene_of_town(town));
    EXPECT_LE(ties_at_closest_spacing(town.track.track_length, TRACK_MAX_TIES), TRACK_MAX_TIES);
    town.hold_keys({'R'});

    // So near the cap, a new point or the other basis is refused with a word.
    const int points = town.track.num_points;
    const int basis = town.track.bspline;
    testing::internal::CaptureStdout();
    town.press('M');
    town.press('B');
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(town.track.num_points, points);
    EXPECT_EQ(town.track.bspline, basis);
    EXPECT_NE(said.find("No point added: the track would need more than 40000 ties"), std::string::npos) << said;
    EXPECT_NE(said.find("The track stays a B-spline: the track would need more than"), std::string::npos) << said;
}

// A left drag from (200, 200) by (dx, dy) with nothing pressed but the button.
void camera_drag(CommandTown& town, int button, int dx, int dy) {
    ScriptedKeys keys;
    town.poll(keys, EVENT_PUSH, 200, 200, button);
    town.poll(keys, EVENT_DRAG, 200 + dx, 200 + dy, button);
    town.poll(keys, EVENT_RELEASE, 200 + dx, 200 + dy, button);
}

bool same(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

TEST(Gestures, LeftDragTurnsTheFreeCameraOnlyInModesZeroAndEight) {
    for (int mode = 0; mode <= 12; ++mode) {
        CommandTown town;
        town.editor.camera_mode = mode;
        const Vec3 look = town.editor.camera->look;
        camera_drag(town, BUTTON_LEFT, 9, -5);
        EXPECT_EQ(!same(town.editor.camera->look, look), mode == 0 || mode == 8) << "mode " << mode;
    }

    // Turning right by 9 pixels and up by 5: about world up by -0.045, about
    // the right axis by 0.025, so the camera looks a little east and higher.
    CommandTown town;
    const Vec3 look = town.editor.camera->look;
    camera_drag(town, BUTTON_LEFT, 9, -5);
    EXPECT_GT(town.editor.camera->look.x, look.x);
    EXPECT_GT(town.editor.camera->look.y, look.y);

    // Anything selected, or the light in hand, keeps the camera still.
    CommandTown held;
    held.add_points(3);
    const Vec3 held_look = held.editor.camera->look;
    camera_drag(held, BUTTON_LEFT, 9, -5);
    EXPECT_TRUE(same(held.editor.camera->look, held_look));
    CommandTown lit;
    lit.editor.light_edit = 1;
    camera_drag(lit, BUTTON_LEFT, 9, -5);
    EXPECT_TRUE(same(lit.editor.camera->look, look));
}

TEST(Gestures, RightDragMovesTheEyeAlongTheLookInModesZeroAndSix) {
    CommandTown town;
    const Vec3 eye = town.editor.camera->eye;
    const Vec3 look = town.editor.camera->look;
    camera_drag(town, BUTTON_RIGHT, 3, -10);
    EXPECT_NEAR(town.editor.camera->eye.y, eye.y + look.y * 0.7f, 1e-5f);
    EXPECT_NEAR(town.editor.camera->eye.z, eye.z + look.z * 0.7f, 1e-5f);

    CommandTown six;
    six.editor.camera_mode = 6;
    camera_drag(six, BUTTON_RIGHT, 0, 10);
    EXPECT_NEAR(six.editor.camera->eye.z, eye.z - look.z * 0.7f, 1e-5f);
    CommandTown eight;
    eight.editor.camera_mode = 8;
    camera_drag(eight, BUTTON_RIGHT, 0, 10);
    EXPECT_TRUE(same(eight.editor.camera->eye, eye));
}

TEST(Gestures, EventsAreAnsweredAsTheToolkitExpects) {
    CommandTown town;
    ScriptedKeys keys;
    EXPECT_EQ(town.poll(keys, EVENT_PUSH, 1, 2, BUTTON_LEFT), 1);
    EXPECT_EQ(town.poll(keys, EVENT_DRAG, 3, 2, 2), 1);  // middle button: taken, no effect
    EXPECT_EQ(town.poll(keys, EVENT_RELEASE, 3, 2, BUTTON_LEFT), 1);
    EXPECT_EQ(town.poll(keys, EVENT_SHOW), 1);
    EXPECT_EQ(town.poll(keys, EVENT_MOVE, 4, 4), 0);
    for (int other : {3, 4, 6, 7, 8, 9, 12}) EXPECT_EQ(town.poll(keys, other), 0) << other;
}

TEST(Gestures, AStaleSelectionIsDroppedBeforeUse) {
    CommandTown town;
    ScriptedKeys keys;
    town.add_points(3);
    create_object(town, town.editor);
    // As if a scene with fewer points and objects had been loaded over them.
    town.editor.sel_point = 7;
    town.editor.selected_object = 4;
    drag(town, keys, BUTTON_LEFT, 10, 10, 3, 3);
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.selected_object, -1);
}

}  // namespace
