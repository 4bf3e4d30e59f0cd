// The key commands of the town view as rows of one table: what each key
// does, when it may, and in which order the keys of a step act.
#include "key_command_table.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "camera_gestures.h"
#include "clear_and_report.h"
#include "command_steps.h"
#include "input_codes.h"
#include "point_edits.h"
#include "snapping.h"
#include "typed_numbers.h"
#include "scene_file_commands.h"
#include "selection.h"
#include "editor.h"
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

void set_tie_spacing(Town& town, Editor& editor, int spacing) {
    town.track.tie_spacing = spacing;
    town.rebuild_track();
    town.rebuild_orientation();
    editor.redraw(town);
}

// The prompt asks for a name; a cancelled prompt does nothing, and neither
// does a name that filled the whole buffer: cut short, it would name
// another file.
bool ask_scene_name(Editor& editor, const char* label, char (&name)[FILE_NAME_BYTES]) {
    std::memset(name, 0, sizeof name);
    if (editor.seams->ask_file_name(name, label) == 0) return false;
    if (std::memchr(name, '\0', sizeof name) != nullptr) return true;
    editor.tell_user("File name too long: at most " + std::to_string(FILE_NAME_BYTES - 1) +
                   " bytes fit; nothing loaded or saved");
    return false;
}

bool anything_point_selected(const Editor& editor) {
    return editor.sel_point != -1 || editor.sel_orient_point != -1;
}

// The eye moves half a unit along the look-at vector, or the follow view
// comes closer, when the view follows a selected point.
void move_eye_or_follow(Town& town, Editor& editor, float direction) {
    const bool follows = editor.ground_drag == 1 && anything_point_selected(editor);
    if (!follows) {
        Camera& camera = *editor.camera;
        camera.eye = eye_within_reach(camera.eye, camera.look / (2.0f * length(camera.look)) * direction);
    } else if (direction > 0 && town.follow_distance > MIN_FOLLOW_DISTANCE) {
        town.follow_distance -= FOLLOW_STEP;
    } else if (direction < 0 && town.follow_distance < MAX_FOLLOW_DISTANCE) {
        town.follow_distance += FOLLOW_STEP;
    }
    editor.redraw(town);
}

void next_camera_mode(Town&, Editor& editor) {
    editor.camera_mode = editor.camera_mode >= LAST_CAMERA_MODE ? 0 : editor.camera_mode + 1;
}

void next_vehicle_view(Town&, Editor& editor) {
    editor.vehicle_view = editor.vehicle_view >= LAST_VEHICLE_VIEW ? 0 : editor.vehicle_view + 1;
}

void switch_ties(Town& town, Editor& editor) {
    if (town.track.show_ties == 1) {
        town.track.show_ties = 0;
    } else {
        town.track.show_ties = 1;
        town.rebuild_track();
        town.rebuild_orientation();
    }
    editor.redraw(town);
}

void slower_day(Town& town, Editor&) {
    // A slower day restarts the timing figures, so they measure the new pace.
    town.clock.move_clocks = town.clock.move_count = town.clock.draw_clocks =
        town.clock.draw_count = 0;
    if (town.sky.time_step > 0) {
        town.sky.time_step -= TIME_STEP_STEP;
        if (town.sky.time_step < 0) town.sky.time_step = 0;
    }
}

void load_scene_asked(Town& town, Editor& editor) {
    char name[FILE_NAME_BYTES];
    if (ask_scene_name(editor, "Load scene file:", name)) load_scene_and_tell(town, editor, name);
}

void save_scene_asked(Town& town, Editor& editor) {
    char name[FILE_NAME_BYTES];
    if (ask_scene_name(editor, "Save scene file:", name)) save_scene_and_tell(town, editor, name);
}

void toggle_and_redraw(Town& town, Editor& editor, int& flag) {
    toggle(flag);
    editor.redraw(town);
}

Refusal camera_needs_train(const Town& town, const Editor&) {
    return town.train.train_running == 1 ? Refusal::None : Refusal::CameraNeedsTrain;
}

// Both locks may hold; the limit is the one noted.
Refusal point_refusal(const Town& town, const Editor& editor) {
    if (town.track.num_points >= MAX_POINTS) return Refusal::PointLimit;
    return editor.camera_mode == 0 ? Refusal::None : Refusal::PointNeedsFreeCamera;
}

constexpr auto ONCE = LatchRule::once_per_press;
constexpr auto REPEATING = LatchRule::repeating;
constexpr auto INVERTED = LatchRule::inverted;
constexpr auto INVERTED_UNFIRED = LatchRule::inverted_unfired;
constexpr auto NEVER_DISARMED = LatchRule::never_disarmed;
constexpr auto ANY = PollStep::any_selection;
constexpr auto FREE = PollStep::without_point;
constexpr auto AFTER = PollStep::after_gestures;
using L = KeyLatches;
using T = const Town&;
using E = const Editor&;
using K = const KeyPoll&;

}  // namespace

// key, latch rule, latch, step, condition, refusal, action, re-arms in every state.
// A new key is a latch in KeyLatches (unless it repeats), a row at its place
// in its step, whose action may call a function of its own, and a line in
// the help table and in README's key table.
const KeyCommand KEY_COMMANDS[] = {
    {'1', ONCE, &L::ground_drag_1, ANY, [](T, E e, K) { return anything_point_selected(e); }, nullptr,
     [](Town&, Editor& e) { toggle(e.ground_drag); }},
    {'D', ONCE, &L::reset_physics_d, ANY, nullptr, nullptr, [](Town& t, Editor&) { t.reset_physics(); }},
    {KEY_F4, ONCE, &L::recompute_f4, ANY, nullptr, nullptr, [](Town& t, Editor&) { t.recompute_energy(); }},
    {KEY_F3, ONCE, &L::physics_f3, ANY, nullptr, nullptr, [](Town& t, Editor&) { t.toggle_physics(); }},
    {'4', ONCE, &L::lighting_4, ANY, nullptr, nullptr,
     [](Town& t, Editor& e) { toggle_and_redraw(t, e, t.sky.lighting); }},
    // '-' spaces the ties wider, '+' closer. '+' only tests the shared latch,
    // so held alone it acts at every poll.
    {'-', INVERTED, &L::tie_spacing_minus_plus, ANY,
     [](T t, E, K) { return t.track.tie_spacing < MAX_TIE_SPACING; }, nullptr,
     [](Town& t, Editor& e) { set_tie_spacing(t, e, t.track.tie_spacing + 1); }},
    {'+', INVERTED_UNFIRED, &L::tie_spacing_minus_plus, ANY,
     [](T t, E, K) { return t.track.tie_spacing != MIN_TIE_SPACING; }, nullptr,
     [](Town& t, Editor& e) { set_tie_spacing(t, e, t.track.tie_spacing - 1); }},
    {'[', INVERTED, &L::post_interval_brackets, ANY,
     [](T t, E, K) { return t.track.post_interval > MIN_POST_INTERVAL; }, nullptr,
     [](Town& t, Editor& e) {
         t.track.post_interval -= 1;
         e.redraw(t);
     }},
    {']', INVERTED, &L::post_interval_brackets, ANY,
     [](T t, E, K) { return t.track.post_interval < MAX_POST_INTERVAL; }, nullptr,
     [](Town& t, Editor& e) {
         t.track.post_interval += 1;
         e.redraw(t);
     }},
    // Gravity keys never disarm their latch: they act at every poll while held.
    {KEY_PAGE_UP, NEVER_DISARMED, &L::gravity_page, ANY, nullptr, nullptr,
     [](Town& t, Editor&) { t.stronger_gravity(); }},
    {KEY_PAGE_DOWN, NEVER_DISARMED, &L::gravity_page, ANY, nullptr, nullptr,
     [](Town& t, Editor&) { t.weaker_gravity(); }},
    {'0', ONCE, &L::time_step_0_9, ANY, [](T t, E, K) { return t.sky.time_step < MAX_TIME_STEP; },
     nullptr, [](Town& t, Editor&) { t.sky.time_step += TIME_STEP_STEP; }},
    {'9', ONCE, &L::time_step_0_9, ANY, nullptr, nullptr, slower_day},
    {KEY_F5, ONCE, &L::report_f5, ANY, nullptr, nullptr, [](Town& t, Editor& e) { print_report(t, e); }},
    {KEY_UP, REPEATING, nullptr, ANY, nullptr, nullptr, [](Town& t, Editor&) { t.raise_energy(); }},
    {KEY_DOWN, REPEATING, nullptr, ANY, nullptr, nullptr, [](Town& t, Editor&) { t.lower_energy(); }},

    // The latch is down before the prompt opens: the nested event loop
    // must not open a second prompt while F1 is still held.
    {KEY_F1, ONCE, &L::load_f1, FREE, nullptr, nullptr, load_scene_asked},
    {KEY_F2, ONCE, &L::save_f2, FREE, nullptr, nullptr, save_scene_asked},
    {'C', REPEATING, nullptr, FREE, nullptr, nullptr, [](Town& t, Editor& e) { clear_scene(t, e); }},
    {KEY_DOWN, REPEATING, nullptr, FREE, nullptr, nullptr, [](Town& t, Editor&) { t.slow_down(); }},
    {KEY_UP, REPEATING, nullptr, FREE, nullptr, nullptr, [](Town& t, Editor&) { t.speed_up(); }},
    // The camera and car keys re-arm in every selection state.
    {'1', ONCE, &L::camera_mode_1, FREE, nullptr, camera_needs_train, next_camera_mode, true},
    {'V', ONCE, &L::vehicle_view_v, FREE, nullptr, camera_needs_train, next_vehicle_view, true},
    // Each switch acts once per press. Held together, '2' acts and '3'
    // waits until '2' is released.
    {'2', ONCE, &L::points_2, FREE, nullptr, nullptr,
     [](Town& t, Editor& e) { toggle_and_redraw(t, e, t.track.show_points); }},
    {'3', ONCE, &L::ties_3, FREE, [](T, E, K keys) { return !keys.key_down('2'); }, nullptr,
     switch_ties},
    {'B', ONCE, &L::basis_b, FREE, nullptr, nullptr,
     [](Town& t, Editor& e) {
         switch_basis(t, e);
         e.redraw(t);
     }},
    {KEY_SPACE, ONCE, &L::train_space, FREE, nullptr,
     [](T t, E) { return t.track.num_points > 2 ? Refusal::None : Refusal::TrainNeedsPoints; },
     [](Town& t, Editor&) { t.toggle_train(); }},

    {'M', ONCE, &L::append_m, AFTER, nullptr, point_refusal,
     [](Town& t, Editor& e) {
         append_point(t, e);
         e.redraw(t);
     }},
    {'N', ONCE, &L::new_object_n, AFTER, nullptr,
     [](T t, E) {
         return t.town_objects.object_count < MAX_OBJECTS ? Refusal::None : Refusal::ObjectLimit;
     },
     [](Town& t, Editor& e) {
         create_object(t, e);
         e.redraw(t);
     }},
    {'Q', ONCE, &L::next_point_q, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) {
         select_next_point(t, e);
         e.redraw(t);
     }},
    {'W', ONCE, &L::next_orient_w, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) {
         select_next_orient_point(t, e);
         e.redraw(t);
     }},
    {'E', ONCE, &L::next_object_e, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) {
         select_next_object(t, e);  // lets go of the points too
         e.redraw(t);
     }},
    {'L', ONCE, &L::light_edit_l, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) { toggle_and_redraw(t, e, e.light_edit); }},
    {'R', REPEATING, nullptr, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) {
         e.light_edit = 0;
         e.redraw(t);
     }},
    {'A', REPEATING, nullptr, AFTER, nullptr, nullptr, [](Town& t, Editor& e) { move_eye_or_follow(t, e, 1.0f); }},
    {'Z', REPEATING, nullptr, AFTER, nullptr, nullptr, [](Town& t, Editor& e) { move_eye_or_follow(t, e, -1.0f); }},
    {KEY_INSERT, ONCE, &L::insert_key, AFTER, nullptr, nullptr, [](Town& t, Editor& e) {
         if (insert_beside_selection(t, e)) e.redraw(t);
     }},
    {KEY_DELETE, ONCE, &L::delete_key, AFTER, nullptr, nullptr, [](Town& t, Editor& e) {
         if (delete_selection(t, e)) e.redraw(t);
     }},
    {'S', ONCE, &L::snapping_s, AFTER, nullptr, nullptr, switch_snapping},
    // The latch is down before the dialog opens: its nested events must not open another.
    {'P', ONCE, &L::numbers_p, AFTER, nullptr, nullptr, ask_typed_numbers},
    {KEY_END, ONCE, &L::overview_end, AFTER, nullptr, nullptr,
     [](Town& t, Editor& e) { frame_whole_town(t, e, static_cast<float>(e.fov)); }},
};

const std::size_t KEY_COMMAND_COUNT = sizeof KEY_COMMANDS / sizeof KEY_COMMANDS[0];
