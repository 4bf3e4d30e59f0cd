// The key commands of the town view: the keyboard is polled at every event
// and every command whose key is down runs, in a fixed order.
#include <cstdio>
#include <cstring>

#include "command_steps.h"
#include "input_codes.h"
#include "scene_file_commands.h"
#include "town.h"

namespace {

constexpr int MIN_TIE_SPACING = 1;
constexpr int MAX_TIE_SPACING = 500;
constexpr int MIN_POST_INTERVAL = 1;
constexpr int MAX_POST_INTERVAL = 50;
constexpr float MAX_TIME_STEP = 0.1f;
constexpr float TIME_STEP_STEP = 0.0001f;
constexpr int LAST_CAMERA_MODE = 12;
constexpr int LAST_VEHICLE_VIEW = 19;
constexpr float MIN_FOLLOW_DISTANCE = 2.0f;
constexpr float MAX_FOLLOW_DISTANCE = 50.0f;
constexpr float FOLLOW_STEP = 0.1f;

// The name buffer the file-name prompt fills.
constexpr std::size_t FILE_NAME_BYTES = 64;

// An inverted latch (0 = armed): firing sets it to 1.
bool fire_inverted(bool down, int& latch, bool condition) {
    if (!down || latch != 0 || !condition) return false;
    latch = 1;
    return true;
}

void rearm_inverted_when_up(bool down, int& latch) {
    if (!down) latch = 0;
}

void set_tie_spacing(Town& town, int spacing) {
    town.tie_spacing = spacing;
    town.rebuild_track();
    town.rebuild_orientation();
    town.redraw();
}

// The prompt asks for a name; a cancelled prompt does nothing, and neither
// does a name that filled the whole buffer: cut short, it would name
// another file.
bool ask_scene_name(Town& town, const char* label, char (&name)[FILE_NAME_BYTES]) {
    std::memset(name, 0, sizeof name);
    if (town.ask_file_name(name, label) == 0) return false;
    if (std::memchr(name, '\0', sizeof name) != nullptr) return true;
    town.tell_user("File name too long: at most " + std::to_string(FILE_NAME_BYTES - 1) +
                   " bytes fit; nothing loaded or saved");
    return false;
}

bool anything_point_selected(const Town& town) {
    return town.sel_point != -1 || town.sel_orient_point != -1;
}

// The eye moves half a unit along the look-at vector, or the follow view
// comes closer, when the view follows a selected point.
void move_eye_or_follow(Town& town, float direction) {
    const bool follows = town.ground_drag == 1 && anything_point_selected(town);
    if (!follows) {
        Camera& camera = *town.camera;
        camera.eye = camera.eye + camera.look / (2.0f * length(camera.look)) * direction;
    } else if (direction > 0 && town.follow_distance > MIN_FOLLOW_DISTANCE) {
        town.follow_distance -= FOLLOW_STEP;
    } else if (direction < 0 && town.follow_distance < MAX_FOLLOW_DISTANCE) {
        town.follow_distance += FOLLOW_STEP;
    }
    town.redraw();
}

}  // namespace

void run_keys_any_selection(Town& town, const KeyPoll& keys) {
    KeyLatches& latch = town.latches;

    const bool one = keys.key_down('1');
    if (fire_once(one, latch.ground_drag_1, anything_point_selected(town))) toggle(town.ground_drag);
    rearm_when_up(one, latch.ground_drag_1);

    const bool d = keys.key_down('D');
    if (fire_once(d, latch.reset_physics_d, true)) town.reset_physics();
    rearm_when_up(d, latch.reset_physics_d);

    const bool f4 = keys.key_down(KEY_F4);
    if (fire_once(f4, latch.recompute_f4, true)) town.recompute_energy();
    rearm_when_up(f4, latch.recompute_f4);

    const bool f3 = keys.key_down(KEY_F3);
    if (fire_once(f3, latch.physics_f3, true)) town.toggle_physics();
    rearm_when_up(f3, latch.physics_f3);

    const bool four = keys.key_down('4');
    if (fire_once(four, latch.lighting_4, true)) {
        toggle(town.lighting);
        town.redraw();
    }
    rearm_when_up(four, latch.lighting_4);

    // '-' spaces the ties wider, '+' closer. '+' only tests the shared latch,
    // so held alone it acts at every poll.
    const bool minus = keys.key_down('-');
    if (fire_inverted(minus, latch.tie_spacing_minus_plus, town.tie_spacing < MAX_TIE_SPACING)) {
        set_tie_spacing(town, town.tie_spacing + 1);
    }
    rearm_inverted_when_up(minus, latch.tie_spacing_minus_plus);
    const bool plus = keys.key_down('+');
    if (plus && latch.tie_spacing_minus_plus == 0 && town.tie_spacing != MIN_TIE_SPACING) {
        set_tie_spacing(town, town.tie_spacing - 1);
    }
    rearm_inverted_when_up(plus, latch.tie_spacing_minus_plus);

    const bool open = keys.key_down('[');
    if (fire_inverted(open, latch.post_interval_brackets, town.post_interval > MIN_POST_INTERVAL)) {
        town.post_interval -= 1;
        town.redraw();
    }
    rearm_inverted_when_up(open, latch.post_interval_brackets);
    const bool close = keys.key_down(']');
    if (fire_inverted(close, latch.post_interval_brackets, town.post_interval < MAX_POST_INTERVAL)) {
        town.post_interval += 1;
        town.redraw();
    }
    rearm_inverted_when_up(close, latch.post_interval_brackets);

    // Gravity keys never disarm their latch: they act at every poll while held.
    const bool page_up = keys.key_down(KEY_PAGE_UP);
    if (page_up && latch.gravity_page == 1) town.stronger_gravity();
    rearm_when_up(page_up, latch.gravity_page);
    const bool page_down = keys.key_down(KEY_PAGE_DOWN);
    if (page_down && latch.gravity_page == 1) town.weaker_gravity();
    rearm_when_up(page_down, latch.gravity_page);

    const bool zero = keys.key_down('0');
    if (fire_once(zero, latch.time_step_0_9, town.time_step < MAX_TIME_STEP)) {
        town.time_step += TIME_STEP_STEP;
    }
    rearm_when_up(zero, latch.time_step_0_9);
    const bool nine = keys.key_down('9');
    if (fire_once(nine, latch.time_step_0_9, true)) {
        // A slower day restarts the timing figures, so they measure the new pace.
        town.move_clocks = town.move_count = town.draw_clocks = town.draw_count = 0;
        if (town.time_step > 0) {
            town.time_step -= TIME_STEP_STEP;
            if (town.time_step < 0) town.time_step = 0;
        }
    }
    rearm_when_up(nine, latch.time_step_0_9);

    const bool f5 = keys.key_down(KEY_F5);
    if (fire_once(f5, latch.report_f5, true)) town.print_report();
    rearm_when_up(f5, latch.report_f5);

    if (keys.key_down(KEY_UP)) town.raise_energy();
    if (keys.key_down(KEY_DOWN)) town.lower_energy();
}

void run_keys_without_point(Town& town, const KeyPoll& keys) {
    KeyLatches& latch = town.latches;
    const bool one = keys.key_down('1');
    const bool v = keys.key_down('V');

    if (!anything_point_selected(town)) {
        char name[FILE_NAME_BYTES];

        // The latch is down before the prompt opens: the nested event loop
        // must not open a second prompt while F1 is still held.
        const bool f1 = keys.key_down(KEY_F1);
        if (fire_once(f1, latch.load_f1, true) && ask_scene_name(town, "Load scene file:", name)) {
            load_scene_and_tell(town, name);
        }
        rearm_when_up(f1, latch.load_f1);

        const bool f2 = keys.key_down(KEY_F2);
        if (fire_once(f2, latch.save_f2, true) && ask_scene_name(town, "Save scene file:", name)) {
            save_scene_and_tell(town, name);
        }
        rearm_when_up(f2, latch.save_f2);

        if (keys.key_down('C')) town.clear_scene();
        if (keys.key_down(KEY_DOWN)) town.slow_down();
        if (keys.key_down(KEY_UP)) town.speed_up();

        refuse_unless(town, one, latch.camera_mode_1, town.train_running == 1, Refusal::CameraNeedsTrain);
        refuse_unless(town, v, latch.vehicle_view_v, town.train_running == 1, Refusal::CameraNeedsTrain);
        if (fire_once(one, latch.camera_mode_1, town.train_running == 1)) {
            town.camera_mode = town.camera_mode >= LAST_CAMERA_MODE ? 0 : town.camera_mode + 1;
        }
        if (fire_once(v, latch.vehicle_view_v, town.train_running == 1)) {
            town.vehicle_view = town.vehicle_view >= LAST_VEHICLE_VIEW ? 0 : town.vehicle_view + 1;
        }

        // Each switch acts once per press. Held together, '2' acts and '3'
        // waits until '2' is released.
        const bool two = keys.key_down('2');
        if (fire_once(two, latch.points_2, true)) {
            toggle(town.show_points);
            town.redraw();
        }
        rearm_when_up(two, latch.points_2);
        const bool three = keys.key_down('3');
        if (fire_once(three, latch.ties_3, !two)) {
            if (town.show_ties == 1) {
                town.show_ties = 0;
            } else {
                town.show_ties = 1;
                town.rebuild_track();
                town.rebuild_orientation();
            }
            town.redraw();
        }
        rearm_when_up(three, latch.ties_3);

        const bool b = keys.key_down('B');
        if (fire_once(b, latch.basis_b, true)) {
            town.switch_basis();
            town.redraw();
        }
        rearm_when_up(b, latch.basis_b);

        const bool space = keys.key_down(KEY_SPACE);
        refuse_unless(town, space, latch.train_space, town.num_points > 2, Refusal::TrainNeedsPoints);
        if (fire_once(space, latch.train_space, town.num_points > 2)) town.toggle_train();
        rearm_when_up(space, latch.train_space);
    } else {
        refuse_locked_free_keys(town, keys);
    }

    // The camera and car keys re-arm in every selection state.
    rearm_when_up(one, latch.camera_mode_1);
    rearm_when_up(v, latch.vehicle_view_v);
}

void run_keys_after_gestures(Town& town, const KeyPoll& keys) {
    KeyLatches& latch = town.latches;

    const bool m = keys.key_down('M');
    refuse_unless(town, m, latch.append_m, town.camera_mode == 0, Refusal::PointNeedsFreeCamera);
    refuse_unless(town, m, latch.append_m, town.num_points < MAX_POINTS, Refusal::PointLimit);
    if (fire_once(m, latch.append_m, town.camera_mode == 0 && town.num_points < MAX_POINTS)) {
        town.append_point();
        town.redraw();
    }
    rearm_when_up(m, latch.append_m);

    const bool n = keys.key_down('N');
    refuse_unless(town, n, latch.new_object_n, town.object_count < MAX_OBJECTS, Refusal::ObjectLimit);
    if (fire_once(n, latch.new_object_n, town.object_count < MAX_OBJECTS)) {
        town.create_object();
        town.redraw();
    }
    rearm_when_up(n, latch.new_object_n);

    const bool q = keys.key_down('Q');
    if (fire_once(q, latch.next_point_q, true)) {
        town.select_next_point();
        town.redraw();
    }
    rearm_when_up(q, latch.next_point_q);

    const bool w = keys.key_down('W');
    if (fire_once(w, latch.next_orient_w, true)) {
        town.select_next_orient_point();
        town.redraw();
    }
    rearm_when_up(w, latch.next_orient_w);

    const bool e = keys.key_down('E');
    if (fire_once(e, latch.next_object_e, true)) {
        town.select_next_object();  // lets go of the points too
        town.redraw();
    }
    rearm_when_up(e, latch.next_object_e);

    const bool l = keys.key_down('L');
    if (fire_once(l, latch.light_edit_l, true)) {
        toggle(town.light_edit);
        town.redraw();
    }
    rearm_when_up(l, latch.light_edit_l);

    if (keys.key_down('R')) {
        town.light_edit = 0;
        town.redraw();
    }
    if (keys.key_down('A')) move_eye_or_follow(town, 1.0f);
    if (keys.key_down('Z')) move_eye_or_follow(town, -1.0f);
}
