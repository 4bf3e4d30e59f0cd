// The two whole-scene commands: clearing the town back to an empty scene
// with fresh settings, and the statistics report on standard output.
#include <cstdio>

#include "stored_settings.h"
#include "town.h"

void Town::clear_scene() {
    clear_points();  // control and orientation points, their segments, the tie table
    for (int i = 0; i < town_objects.object_count; ++i) town_objects.objects[i].reset();
    release_tie_table();
    track.realtime_ties = 1;

    track.num_points = 0;
    track.num_orient_points = 0;
    town_objects.object_count = 0;
    sel_point = -1;
    sel_orient_point = -1;
    selected_object = -1;
    mouse_x = mouse_y = mouse_prev_x = mouse_prev_y = 0;
    train.train_running = 0;
    camera_mode = 0;
    reset_settings(*this, CLEAR_RESETS);
    light_edit = 0;
    ++scene_clears;
    train.train_mass = 100.0f;
    ground_drag = 1;
    fov = 45.0;

    // 'D', 'N', 'T' and 'V' keep their latches: a key held through the clear
    // must not act again on the empty scene.
    const KeyLatches kept = latches;
    latches = KeyLatches{};
    latches.reset_physics_d = kept.reset_physics_d;
    latches.new_object_n = kept.new_object_n;
    latches.object_type_t = kept.object_type_t;
    latches.vehicle_view_v = kept.vehicle_view_v;

    redraw();
}

void Town::print_report() const {
    const Camera& c = *camera;
    std::printf("\n");
    std::printf("train position: (%f,%f,%f)\n", train.train_pos.x, train.train_pos.y,
                train.train_pos.z);
    std::printf("train speed: %f\n", train.train_speed);
    std::printf("gravitational acceleration constant: %f\n", train.gravity);
    std::printf("maximum track height: %f\n", track.max_height);
    std::printf("train's total energy: %f\n", train.total_energy);
    std::printf("train's kinetic energy: %f\n",
                train.train_mass * train.train_speed * train.train_speed * 0.5);
    std::printf("train's potential energy: %f\n",
                -1 * train.gravity * train.train_mass * train.train_pos.y);
    std::printf("camera position: <%f,%f,%f>\n", c.eye.x, c.eye.y, c.eye.z);
    std::printf("camera look-at vector: <%f,%f,%f>\n", c.look.x, c.look.y, c.look.z);
    std::printf("camera right vector: <%f,%f,%f>\n", c.right.x, c.right.y, c.right.z);
    std::printf("camera up vector: <%f,%f,%f>\n", c.up.x, c.up.y, c.up.z);
    std::printf("current vehicle view: %d\n", vehicle_view);
    std::printf("number of ties on track: %d\n", track.num_ties);
    std::printf("time: %f\n", sky.time_of_day * 24);
    std::printf("fps: %f\n", clock.fps);
    std::printf("redraw speed: %d\n", clock.redraw_speed);
    std::printf("average clocks per move: %f\n", clock.avg_move_clocks);
    std::printf("average clocks per draw: %f\n", clock.avg_draw_clocks);
    std::printf("\n");
    std::fflush(stdout);
}
