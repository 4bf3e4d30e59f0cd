// The two whole-scene commands: clearing the town back to an empty scene
// with fresh settings, and the statistics report on standard output.
#include "clear_and_report.h"

#include <cstdio>

#include "editor.h"
#include "selection.h"
#include "stored_settings.h"
#include "town.h"

void clear_scene(Town& town, Editor& editor) {
    clear_points(town, editor);  // control and orientation points, their segments, the tie table
    for (int i = 0; i < town.town_objects.object_count; ++i) town.town_objects.objects[i].reset();
    town.release_tie_table();
    town.track.realtime_ties = 1;

    town.track.num_points = 0;
    town.track.num_orient_points = 0;
    town.town_objects.object_count = 0;
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
    editor.selected_object = -1;
    editor.mouse_x = editor.mouse_y = editor.mouse_prev_x = editor.mouse_prev_y = 0;
    town.train.train_running = 0;
    editor.camera_mode = 0;
    reset_settings(town, CLEAR_RESETS);
    editor.light_edit = 0;
    ++town.scene_clears;
    town.train.train_mass = 100.0f;
    editor.ground_drag = 1;
    editor.fov = 45.0;

    // 'D', 'N', 'T' and 'V' keep their latches: a key held through the clear
    // must not act again on the empty scene.
    const KeyLatches kept = editor.latches;
    editor.latches = KeyLatches{};
    editor.latches.reset_physics_d = kept.reset_physics_d;
    editor.latches.new_object_n = kept.new_object_n;
    editor.latches.object_type_t = kept.object_type_t;
    editor.latches.vehicle_view_v = kept.vehicle_view_v;

    editor.redraw(town);
}

void print_report(const Town& town, const Editor& editor) {
    const Camera& c = *editor.camera;
    std::printf("\n");
    std::printf("train position: (%f,%f,%f)\n", town.train.train_pos.x, town.train.train_pos.y,
                town.train.train_pos.z);
    std::printf("train speed: %f\n", town.train.train_speed);
    std::printf("gravitational acceleration constant: %f\n", town.train.gravity);
    std::printf("maximum track height: %f\n", town.track.max_height);
    std::printf("train's total energy: %f\n", town.train.total_energy);
    std::printf("train's kinetic energy: %f\n",
                town.train.train_mass * town.train.train_speed * town.train.train_speed * 0.5);
    std::printf("train's potential energy: %f\n",
                -1 * town.train.gravity * town.train.train_mass * town.train.train_pos.y);
    std::printf("camera position: <%f,%f,%f>\n", c.eye.x, c.eye.y, c.eye.z);
    std::printf("camera look-at vector: <%f,%f,%f>\n", c.look.x, c.look.y, c.look.z);
    std::printf("camera right vector: <%f,%f,%f>\n", c.right.x, c.right.y, c.right.z);
    std::printf("camera up vector: <%f,%f,%f>\n", c.up.x, c.up.y, c.up.z);
    std::printf("current vehicle view: %d\n", editor.vehicle_view);
    std::printf("number of ties on track: %d\n", town.track.num_ties);
    std::printf("time: %f\n", town.sky.time_of_day * 24);
    std::printf("fps: %f\n", town.clock.fps);
    std::printf("redraw speed: %d\n", town.clock.redraw_speed);
    std::printf("average clocks per move: %f\n", town.clock.avg_move_clocks);
    std::printf("average clocks per draw: %f\n", town.clock.avg_draw_clocks);
    std::printf("\n");
    std::fflush(stdout);
}
