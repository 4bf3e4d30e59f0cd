// The two whole-scene commands: clearing the town back to an empty scene
// with fresh settings, and the statistics report on standard output.
#include <cstdio>

#include "stored_settings.h"
#include "town.h"

void Town::clear_scene() {
    clear_points();  // control and orientation points, their segments, the tie table
    for (int i = 0; i < object_count; ++i) objects[i].reset();
    release_tie_table();
    realtime_ties = 1;

    num_points = 0;
    num_orient_points = 0;
    object_count = 0;
    sel_point = -1;
    sel_orient_point = -1;
    selected_object = -1;
    mouse_x = mouse_y = mouse_prev_x = mouse_prev_y = 0;
    train_running = 0;
    camera_mode = 0;
    reset_settings(*this, CLEAR_RESETS);
    light_edit = 0;
    beacon_level = 0.0f;
    beacon_falling = 0;
    train_mass = 100.0f;
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
    std::printf("train position: (%f,%f,%f)\n", train_pos.x, train_pos.y, train_pos.z);
    std::printf("train speed: %f\n", train_speed);
    std::printf("gravitational acceleration constant: %f\n", gravity);
    std::printf("maximum track height: %f\n", max_height);
    std::printf("train's total energy: %f\n", total_energy);
    std::printf("train's kinetic energy: %f\n", train_mass * train_speed * train_speed * 0.5);
    std::printf("train's potential energy: %f\n", -1 * gravity * train_mass * train_pos.y);
    std::printf("camera position: <%f,%f,%f>\n", c.eye.x, c.eye.y, c.eye.z);
    std::printf("camera look-at vector: <%f,%f,%f>\n", c.look.x, c.look.y, c.look.z);
    std::printf("camera right vector: <%f,%f,%f>\n", c.right.x, c.right.y, c.right.z);
    std::printf("camera up vector: <%f,%f,%f>\n", c.up.x, c.up.y, c.up.z);
    std::printf("current vehicle view: %d\n", vehicle_view);
    std::printf("number of ties on track: %d\n", num_ties);
    std::printf("time: %f\n", time_of_day * 24);
    std::printf("fps: %f\n", fps);
    std::printf("redraw speed: %d\n", redraw_speed);
    std::printf("average clocks per move: %f\n", avg_move_clocks);
    std::printf("average clocks per draw: %f\n", avg_draw_clocks);
    std::printf("\n");
    std::fflush(stdout);
}
