// The key command table against a scripted key map: latches, shared pairs,
// bounds, the selection states and the scene-file commands.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "edit/command_fixture.h"

namespace {

TEST(KeyCommands, HeldKeysActOncePerPress) {
    CommandTown town;
    town.train.train_speed = 7.5f;
    town.train.gravity = -30.0f;
    town.hold_keys({'D'});
    EXPECT_FLOAT_EQ(town.train.train_speed, 3.0f);
    EXPECT_FLOAT_EQ(town.train.gravity, -20.8f);
    town.train.train_speed = 7.5f;
    town.hold_keys({'D'}, 3);  // still held: nothing more
    EXPECT_FLOAT_EQ(town.train.train_speed, 7.5f);
    town.hold_keys({});
    town.hold_keys({'D'});
    EXPECT_FLOAT_EQ(town.train.train_speed, 3.0f);

    town.hold_keys({'4', KEY_F3, 'B'}, 4);
    EXPECT_EQ(town.sky.lighting, 0);
    EXPECT_EQ(town.train.physics, 0);
    EXPECT_EQ(town.track.bspline, 0);
    town.hold_keys({});
    town.hold_keys({'4'}, 2);
    EXPECT_EQ(town.sky.lighting, 1);
}

TEST(KeyCommands, PointAndTieSwitchesActOncePerPress) {
    CommandTown town;
    // A tap spans two events, its press and its release: one switch each.
    for (int tap = 1; tap <= 3; ++tap) {
        town.hold_keys({'3'}, 2);
        town.hold_keys({}, 2);
        EXPECT_EQ(town.track.show_ties, tap % 2) << "tap " << tap;
    }
    town.hold_keys({'2'}, 3);
    EXPECT_EQ(town.track.show_points, 0);
    town.hold_keys({});
    // Held together, '2' acts once and '3' waits for '2' to be released.
    town.hold_keys({'2', '3'}, 3);
    EXPECT_EQ(town.track.show_points, 1);
    EXPECT_EQ(town.track.show_ties, 1);
    town.hold_keys({'3'}, 2);
    EXPECT_EQ(town.track.show_ties, 0);
    EXPECT_EQ(town.track.show_points, 1);
}

TEST(KeyCommands, SharedPairsRepeatAloneAndActOnceTogether) {
    CommandTown town;
    // '0' alone raises the day's pace at every poll; with '9' held as well
    // the pair acts once more, and '9' is the one that waits.
    town.sky.time_step = 0.001f;
    town.hold_keys({'0'}, 4);
    EXPECT_NEAR(town.sky.time_step, 0.0014f, 1e-7f);
    town.hold_keys({'0', '9'}, 4);
    EXPECT_NEAR(town.sky.time_step, 0.0015f, 1e-7f);
}

TEST(KeyCommands, TieSpacingAndPostKeysUseInvertedLatches) {
    CommandTown town;
    town.add_points(4);
    town.hold_keys({});  // a poll with both keys up arms the inverted latches

    town.hold_keys({'-'}, 3);
    EXPECT_EQ(town.track.tie_spacing, 8);
    // '+' tests the latch but never disarms it: it acts at every poll.
    town.hold_keys({'+'}, 5);
    EXPECT_EQ(town.track.tie_spacing, 3);
    // Both held: '-' fires and disarms, '+' then finds the latch fired.
    town.hold_keys({'+', '-'}, 3);
    EXPECT_EQ(town.track.tie_spacing, 4);

    town.track.tie_spacing = 1;
    town.hold_keys({'+'}, 2);
    EXPECT_EQ(town.track.tie_spacing, 1);
    town.track.tie_spacing = 500;
    town.hold_keys({'-'}, 2);
    EXPECT_EQ(town.track.tie_spacing, 500);

    town.track.post_interval = 48;
    town.hold_keys({']'}, 4);
    EXPECT_EQ(town.track.post_interval, 50);
    town.track.post_interval = 3;
    town.hold_keys({'['}, 4);
    EXPECT_EQ(town.track.post_interval, 1);
}

TEST(KeyCommands, RepeatingKeysStopAtTheirBounds) {
    CommandTown town;
    town.add_points(3);
    town.editor.sel_point = -1;

    town.train.gravity = -98.5f;
    town.hold_keys({KEY_PAGE_UP}, 2);
    EXPECT_FLOAT_EQ(town.train.gravity, -99.5f);
    town.hold_keys({KEY_PAGE_UP}, 3);
    EXPECT_FLOAT_EQ(town.train.gravity, -100.0f);
    town.train.gravity = -6.0f;
    town.hold_keys({KEY_PAGE_DOWN}, 5);
    EXPECT_FLOAT_EQ(town.train.gravity, -5.0f);
    // The energy follows the gravity (the track is rebuilt).
    EXPECT_NEAR(town.train.total_energy,
                -town.train.train_mass * -5.0f * town.track.max_height + 800.0f, 0.5f);

    town.train.total_energy = 199000.0f;
    town.hold_keys({KEY_UP}, 4);
    EXPECT_FLOAT_EQ(town.train.total_energy, 200000.0f);
    EXPECT_FLOAT_EQ(town.train.train_speed, 3.0f);  // physics mode: the speed is not set by hand
    town.train.physics = 0;
    town.train.total_energy = 5000.0f;
    town.hold_keys({KEY_DOWN}, 6);
    EXPECT_FLOAT_EQ(town.train.train_speed, 1.0f);
    EXPECT_FLOAT_EQ(town.train.total_energy, 5000.0f);
}

TEST(KeyCommands, TimeStepNeverGoesNegativeAndNineRestartsTheTimings) {
    CommandTown town;
    town.sky.time_step = 0.00005f;
    town.clock.move_clocks = 40;
    town.clock.move_count = 3;
    town.clock.draw_clocks = 90;
    town.clock.draw_count = 5;
    town.hold_keys({'9'});
    EXPECT_EQ(town.sky.time_step, 0.0f);
    EXPECT_EQ(town.clock.move_clocks + town.clock.move_count + town.clock.draw_clocks +
                  town.clock.draw_count,
              0);
    town.press('9');
    EXPECT_EQ(town.sky.time_step, 0.0f);

    town.sky.time_step = 0.1f;
    town.hold_keys({'0'});
    EXPECT_FLOAT_EQ(town.sky.time_step, 0.1f);
}

TEST(KeyCommands, PointSelectionLocksTheSceneCommands) {
    CommandTown town;
    town.add_points(3);
    town.train.train_running = 0;
    town.prompt_confirms = true;
    town.prompt_answer = "never";
    ASSERT_EQ(town.editor.sel_point, 2);

    // F1, F2, 'C', the space bar and '2' do nothing; '1' switches the drag
    // plane instead of the camera.
    town.hold_keys({KEY_F1, KEY_F2, 'C', KEY_SPACE, '2', '1'}, 2);
    EXPECT_TRUE(town.prompt_labels.empty());
    EXPECT_EQ(town.track.num_points, 3);
    EXPECT_EQ(town.train.train_running, 0);
    EXPECT_EQ(town.track.show_points, 1);
    EXPECT_EQ(town.editor.ground_drag, 0);
    EXPECT_EQ(town.editor.camera_mode, 0);

    // The same with an orientation point selected.
    town.press('W');
    ASSERT_EQ(town.editor.sel_orient_point, 0);
    ASSERT_EQ(town.editor.sel_point, -1);
    town.hold_keys({'C'});
    EXPECT_EQ(town.track.num_points, 3);

    // 'R' deselects; then the space bar starts the train.
    town.hold_keys({'R'});
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    town.hold_keys({KEY_SPACE}, 3);
    EXPECT_EQ(town.train.train_running, 1);
}

TEST(KeyCommands, SelectionKeysStepThroughPointsAndObjects) {
    CommandTown town;
    town.add_points(3);
    town.editor.sel_point = -1;

    for (int expected : {0, 1, 2, -1, 0}) {
        town.press('Q');
        EXPECT_EQ(town.editor.sel_point, expected);
    }
    town.press('W');
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.sel_orient_point, 0);

    create_object(town, town.editor);
    town.press('E');  // steps on from the selected object
    EXPECT_EQ(town.editor.selected_object, -1);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    town.press('E');
    EXPECT_EQ(town.editor.selected_object, 0);
    town.press('W');
    EXPECT_EQ(town.editor.selected_object, -1);
}

TEST(KeyCommands, AppendAndCreateStopAtTheirLimits) {
    CommandTown town;
    town.editor.camera_mode = 1;
    town.press('M');
    EXPECT_EQ(town.track.num_points, 0);
    town.editor.camera_mode = 0;
    town.press('M');
    town.press('M');
    EXPECT_EQ(town.track.num_points, 2);
    EXPECT_EQ(town.train.train_running, 0);
    town.press('M');
    EXPECT_EQ(town.track.num_points, 3);
    EXPECT_EQ(town.editor.sel_point, 2);
    EXPECT_EQ(town.train.train_running, 1);  // the third point starts the train

    for (int i = 3; i < MAX_POINTS; ++i) append_point(town, town.editor);
    town.press('M');
    EXPECT_EQ(town.track.num_points, MAX_POINTS);

    town.town_objects.new_object_type = 11;
    for (int i = 0; i < MAX_OBJECTS - 1; ++i) create_object(town, town.editor);
    town.press('N');
    EXPECT_EQ(town.town_objects.object_count, MAX_OBJECTS);
    EXPECT_EQ(town.editor.selected_object, MAX_OBJECTS - 1);
    EXPECT_EQ(town.town_objects.object_type[MAX_OBJECTS - 1], 11);
    town.press('N');
    EXPECT_EQ(town.town_objects.object_count, MAX_OBJECTS);
}

TEST(KeyCommands, TypeKeyCyclesTheSelectedObjectOncePerPress) {
    CommandTown town;
    create_object(town, town.editor);
    town.town_objects.object_type[0] = 17;
    town.hold_keys({'T'}, 3);
    EXPECT_EQ(town.town_objects.object_type[0], 18);
    town.hold_keys({});
    town.hold_keys({'T'});
    EXPECT_EQ(town.town_objects.object_type[0], 0);  // 18 wraps to 0
    EXPECT_EQ(town.town_objects.new_object_type, 0);

    // With no object selected 'T' neither acts nor re-arms.
    town.editor.selected_object = -1;
    town.hold_keys({});
    town.editor.selected_object = 0;
    town.hold_keys({'T'});
    EXPECT_EQ(town.town_objects.object_type[0], 0);
}

TEST(KeyCommands, CameraAndCarKeysCycleOnlyWhileTheTrainRuns) {
    CommandTown town;
    town.press('1');
    town.press('V');
    EXPECT_EQ(town.editor.camera_mode, 0);
    EXPECT_EQ(town.editor.vehicle_view, 0);

    town.add_points(3);
    town.editor.sel_point = -1;
    ASSERT_EQ(town.train.train_running, 1);
    town.editor.camera_mode = 11;
    town.editor.vehicle_view = 18;
    town.press('1');
    town.press('V');
    EXPECT_EQ(town.editor.camera_mode, 12);
    EXPECT_EQ(town.editor.vehicle_view, 19);
    town.press('1');
    town.press('V');
    EXPECT_EQ(town.editor.camera_mode, 0);
    EXPECT_EQ(town.editor.vehicle_view, 0);
}

TEST(KeyCommands, EyeKeysMoveTheFreeCameraOrTheFollowDistance) {
    CommandTown town;
    const Vec3 eye = town.editor.camera->eye;
    const Vec3 look = town.editor.camera->look;
    town.hold_keys({'A'}, 2);  // repeating: half a unit per poll
    EXPECT_NEAR(town.editor.camera->eye.y, eye.y + look.y, 1e-5f);
    EXPECT_NEAR(town.editor.camera->eye.z, eye.z + look.z, 1e-5f);
    town.hold_keys({'Z'});
    EXPECT_NEAR(town.editor.camera->eye.z, eye.z + 0.5f * look.z, 1e-5f);

    // With a point selected and the ground drag on, the view follows the
    // point and the keys change its distance within 2..50.
    town.add_points(3);
    town.follow_distance = 2.05f;
    town.hold_keys({'A'}, 3);
    EXPECT_NEAR(town.follow_distance, 1.95f, 1e-5f);
    town.follow_distance = 49.95f;
    town.hold_keys({'Z'}, 3);
    EXPECT_NEAR(town.follow_distance, 50.05f, 1e-5f);
}

TEST(KeyCommands, RedrawsAreRequestedOnlyWhileTheTrainStands) {
    CommandTown town;
    town.press('L');
    EXPECT_EQ(town.editor.light_edit, 1);
    EXPECT_GT(town.redraws, 0);
    town.add_points(3);
    ASSERT_EQ(town.train.train_running, 1);
    town.redraws = 0;
    ScriptedKeys keys;
    keys.hold('L');
    keys.hold('4');
    town.poll(keys, EVENT_PUSH, 5, 6, BUTTON_LEFT);
    EXPECT_EQ(town.editor.light_edit, 0);
    EXPECT_EQ(town.redraws, 0);
}

TEST(KeyCommands, LoadAndSaveGoThroughThePrompt) {
    const char* name = "commands_test_scene.bin";
    std::remove(name);
    CommandTown town;
    town.add_points(4);
    town.editor.sel_point = -1;
    create_object(town, town.editor);
    town.editor.selected_object = -1;
    town.track.tie_spacing = 9;

    // A cancelled prompt saves nothing; the prompt opens once per press.
    town.hold_keys({KEY_F2}, 3);
    ASSERT_EQ(town.prompt_labels.size(), 1u);
    EXPECT_EQ(town.prompt_labels[0], "Save scene file:");
    EXPECT_FALSE(std::ifstream(name).good());

    town.hold_keys({});
    town.prompt_confirms = true;
    town.prompt_answer = name;
    town.hold_keys({KEY_F2});
    EXPECT_EQ(std::ifstream(name, std::ios::binary | std::ios::ate).tellg(), 68 + 24 * 4 + 24 * 1);

    town.hold_keys({'C'});
    ASSERT_EQ(town.track.num_points, 0);
    town.hold_keys({KEY_F1});
    EXPECT_EQ(town.prompt_labels.back(), "Load scene file:");
    EXPECT_EQ(town.track.num_points, 4);
    EXPECT_EQ(town.town_objects.object_count, 1);
    EXPECT_EQ(town.track.tie_spacing, 9);
    EXPECT_TRUE(town.buffer_was_zeroed);
    std::remove(name);
}

TEST(KeyCommands, AnOverlongNameFromThePromptIsRefusedNotCut) {
    // Cut to 63 characters, the name would be another file's, overwritten.
    const std::string long_name(80, 'q');
    const std::string cut = long_name.substr(0, 63);
    std::remove(cut.c_str());
    CommandTown town;
    town.prompt_confirms = true;
    town.prompt_answer = long_name;  // the fake fills all 64 bytes, no terminator
    testing::internal::CaptureStdout();
    town.press(KEY_F2);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("File name too long"), std::string::npos) << said;
    std::ifstream saved(cut, std::ios::binary);
    EXPECT_FALSE(saved.good());
    std::remove(cut.c_str());

    // 63 characters fit whole.
    town.prompt_answer = cut;
    town.press(KEY_F2);
    std::ifstream fits(cut, std::ios::binary | std::ios::ate);
    EXPECT_EQ(fits.tellg(), 68);
    std::remove(cut.c_str());
}

}  // namespace
