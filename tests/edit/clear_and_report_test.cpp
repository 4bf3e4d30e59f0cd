// The clear command (what it resets and what it keeps) and the statistics
// report's exact text.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "edit/command_fixture.h"

namespace {

// The settings C puts back: those of a fresh town.
auto settings_of(const CommandTown& t) {
    return std::make_tuple(t.sky.light_pos.x, t.sky.light_pos.y, t.sky.light_pos.z, t.track.bspline,
                           t.editor.light_edit, t.train.train_speed, t.track.show_points,
                           t.track.show_ties, t.track.post_interval, t.sky.lighting,
                           t.track.tie_spacing, t.train.gravity, t.train.train_mass,
                           t.train.physics, t.editor.ground_drag, t.follow_distance, t.spare_scalar, t.editor.fov,
                           t.editor.camera_mode, t.train.train_running);
}

TEST(ClearCommand, ResetsTheSceneAndItsSettings) {
    CommandTown town;
    town.add_points(5);
    create_object(town, town.editor);
    create_object(town, town.editor);
    town.editor.sel_point = -1;
    town.editor.mouse_x = 11, town.editor.mouse_y = 12, town.editor.mouse_prev_x = 13, town.editor.mouse_prev_y = 14;
    town.editor.camera_mode = 7;
    town.sky.light_pos = {3, 4, 5};
    town.track.bspline = 0;
    town.editor.light_edit = 1;
    town.train.train_speed = 9;
    town.track.show_points = 0;
    town.track.show_ties = 1;
    town.track.post_interval = 6;
    town.sky.lighting = 0;
    town.track.tie_spacing = 17;
    town.train.gravity = -33;
    town.train.train_mass = 70;
    town.train.physics = 0;
    town.editor.ground_drag = 0;
    town.follow_distance = 22;
    town.spare_scalar = 2.5f;
    town.editor.fov = 60;
    ASSERT_EQ(town.train.train_running, 1);

    town.hold_keys({'C'});
    const CommandTown fresh;
    EXPECT_EQ(settings_of(town), settings_of(fresh));
    EXPECT_EQ(town.scene_clears, 1u) << "the beacon starts over at the next frame";
    EXPECT_EQ(town.track.num_points + town.track.num_orient_points + town.town_objects.object_count,
              0);
    EXPECT_EQ(town.track.points[0], nullptr);
    EXPECT_EQ(town.town_objects.objects[1], nullptr);
    EXPECT_EQ(town.track.tie_data, nullptr);
    EXPECT_EQ(town.track.realtime_ties, 1);
    EXPECT_EQ(town.editor.selected_object, -1);
    EXPECT_EQ(town.editor.mouse_x + town.editor.mouse_y + town.editor.mouse_prev_x + town.editor.mouse_prev_y, 0);

    // Held, it clears again at every event: harmless on an empty scene.
    town.hold_keys({'C'}, 3);
    EXPECT_EQ(town.track.num_points, 0);
}

TEST(ClearCommand, KeepsTheClockTheCarsTheCameraAndFourLatches) {
    CommandTown town;
    town.add_points(3);
    town.sky.time_of_day = 0.61f;
    town.sky.time_step = 0.0003f;
    town.editor.vehicle_view = 4;
    town.town_objects.new_object_type = 12;
    town.train.total_energy = 4321.0f;
    town.editor.camera->eye = {1, 2, 3};
    const Car* first_car = town.traffic.cars[0].get();
    const Intersection* first_corner = town.traffic.intersections[0].get();
    town.editor.latches.reset_physics_d = 0;
    town.editor.latches.new_object_n = 0;
    town.editor.latches.object_type_t = 0;
    town.editor.latches.vehicle_view_v = 0;
    town.editor.latches.append_m = 0;
    town.editor.latches.report_f5 = 0;
    town.editor.latches.tie_spacing_minus_plus = 0;

    // Called directly: a poll would re-arm the latches of the keys that are up.
    clear_scene(town, town.editor);
    EXPECT_EQ(town.track.num_points, 0);
    EXPECT_FLOAT_EQ(town.sky.time_of_day, 0.61f);
    EXPECT_FLOAT_EQ(town.sky.time_step, 0.0003f);
    EXPECT_EQ(town.editor.vehicle_view, 4);
    EXPECT_EQ(town.town_objects.new_object_type, 12);
    EXPECT_FLOAT_EQ(town.train.total_energy, 4321.0f);
    EXPECT_FLOAT_EQ(town.editor.camera->eye.z, 3.0f);
    EXPECT_EQ(town.traffic.cars[0].get(), first_car);
    EXPECT_EQ(town.traffic.num_cars, NUM_CARS);
    EXPECT_EQ(town.traffic.intersections[0].get(), first_corner);

    EXPECT_EQ(town.editor.latches.reset_physics_d, 0);
    EXPECT_EQ(town.editor.latches.new_object_n, 0);
    EXPECT_EQ(town.editor.latches.object_type_t, 0);
    EXPECT_EQ(town.editor.latches.vehicle_view_v, 0);
    EXPECT_EQ(town.editor.latches.append_m, 1);
    EXPECT_EQ(town.editor.latches.report_f5, 1);
    // The inverted pair goes back to its start value too, which is "fired".
    EXPECT_EQ(town.editor.latches.tie_spacing_minus_plus, 1);
}

TEST(StatisticsReport, PrintsTwentyLinesOnceForEachPressOfF5) {
    CommandTown town;
    town.train.train_pos = {1.5f, 2.25f, -3.0f};
    town.train.train_speed = 4.0f;
    town.train.gravity = -20.5f;
    town.track.max_height = 6.75f;
    town.train.total_energy = 12345.5f;
    town.train.train_mass = 100.0f;
    town.editor.camera->eye = {0.5f, 10.0f, -2.0f};
    town.editor.camera->look = {0.0f, -0.6f, -0.8f};
    town.editor.camera->right = {1.0f, 0.0f, 0.0f};
    town.editor.camera->up = {0.0f, 0.8f, -0.6f};
    town.editor.vehicle_view = 7;
    town.track.num_ties = 431;
    town.sky.time_of_day = 0.5f;
    town.clock.fps = 58.25f;
    town.clock.redraw_speed = 24;
    town.clock.avg_move_clocks = 1.5f;
    town.clock.avg_draw_clocks = 9.75f;

    testing::internal::CaptureStdout();
    town.hold_keys({KEY_F5}, 3);
    town.hold_keys({});
    town.hold_keys({KEY_F5});
    const std::string out = testing::internal::GetCapturedStdout();

    const std::string report =
        "\n"
        "train position: (1.500000,2.250000,-3.000000)\n"
        "train speed: 4.000000\n"
        "gravitational acceleration constant: -20.500000\n"
        "maximum track height: 6.750000\n"
        "train's total energy: 12345.500000\n"
        "train's kinetic energy: 800.000000\n"
        "train's potential energy: 4612.500000\n"
        "camera position: <0.500000,10.000000,-2.000000>\n"
        "camera look-at vector: <0.000000,-0.600000,-0.800000>\n"
        "camera right vector: <1.000000,0.000000,0.000000>\n"
        "camera up vector: <0.000000,0.800000,-0.600000>\n"
        "current vehicle view: 7\n"
        "number of ties on track: 431\n"
        "time: 12.000000\n"
        "fps: 58.250000\n"
        "redraw speed: 24\n"
        "average clocks per move: 1.500000\n"
        "average clocks per draw: 9.750000\n"
        "\n";
    EXPECT_EQ(out, report + report);
}

}  // namespace
