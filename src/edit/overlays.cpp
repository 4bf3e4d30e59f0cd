// The state and the text of the displays laid over the picture.
#include "overlays.h"

#include <cstdio>

#include "scene_text.h"
#include "command_steps.h"
#include "hud_numbers.h"
#include "input_codes.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr int MINUTES_PER_DAY = 24 * 60;

bool point_selected(const Editor& editor) { return editor.sel_point != -1 || editor.sel_orient_point != -1; }

bool refusal_holds(const Town& town, const Editor& editor, Refusal why) {
    switch (why) {
        case Refusal::None: return false;
        case Refusal::CameraNeedsTrain:
            return town.train.train_running == 0 && !point_selected(editor);
        case Refusal::PointNeedsFreeCamera: return editor.camera_mode != 0;
        case Refusal::PointSelected: return point_selected(editor);
        case Refusal::PointLimit:
            return town.track.num_points >= MAX_POINTS;
        case Refusal::ObjectLimit:
            return town.town_objects.object_count >= MAX_OBJECTS;
        case Refusal::TrainNeedsPoints:
            return town.track.num_points < 3 && !point_selected(editor);
    }
    return false;
}

// A toggle key with its own latch: one switch per press.
void toggle_on_press(bool down, int& latch, int& flag) {
    if (fire_once(down, latch, true)) toggle(flag);
    rearm_when_up(down, latch);
}

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char line[128];
    std::snprintf(line, sizeof line, pattern, a, b, c);
    return line;
}

}  // namespace

// The HUD explains the lock while it holds; the strip at the bottom says it
// too, so the refusal is seen with the HUD off.
void note_refusal(Town& town, Editor& editor, Refusal why) {
    editor.overlays.refusal = why;
    editor.overlays.messages.post(refusal_text(town, editor), GetTickCount());
}

void refuse_unless(Town& town, Editor& editor, bool down, int latch, bool condition, Refusal why) {
    if (down && latch == 1 && !condition) note_refusal(town, editor, why);
}

void refuse_locked_free_keys(Town& town, Editor& editor, const KeyPoll& keys) {
    const int free_keys[] = {KEY_F1, KEY_F2, 'C', 'V', '2', '3', 'B', KEY_SPACE};
    bool any = false;
    for (int key : free_keys) any = any || keys.key_down(key);
    // By hand, Up and Down set the speed, which is a free command too.
    if (town.train.physics == 0) any = any || keys.key_down(KEY_UP) || keys.key_down(KEY_DOWN);
    if (any) note_refusal(town, editor, Refusal::PointSelected);
}

void run_display_keys(Town& town, Editor& editor, const KeyPoll& keys) {
    KeyLatches& latch = editor.latches;
    OverlayState& shown = editor.overlays;
    const int before = shown.show_help + 2 * shown.show_hud + 4 * shown.show_profile;
    toggle_on_press(keys.key_down('H'), latch.help_h, shown.show_help);
    toggle_on_press(keys.key_down('I'), latch.hud_i, shown.show_hud);
    toggle_on_press(keys.key_down('G'), latch.profile_g, shown.show_profile);

    const bool f12 = keys.key_down(KEY_F12);
    if (fire_once(f12, latch.screenshot_f12, true)) shown.screenshot_wanted = 1;
    rearm_when_up(f12, latch.screenshot_f12);

    const bool home = keys.key_down(KEY_HOME);
    if (fire_once(home, latch.free_camera_home, true)) editor.camera_mode = 0;
    rearm_when_up(home, latch.free_camera_home);

    if (!refusal_holds(town, editor, shown.refusal)) shown.refusal = Refusal::None;
    const int after = shown.show_help + 2 * shown.show_hud + 4 * shown.show_profile;
    if (after != before || shown.screenshot_wanted == 1 || home) editor.redraw(town);
}

std::string camera_name(const Town& town, const Editor& editor) {
    const int car = editor.vehicle_view;
    const int mode = editor.camera_mode;
    if (town.train.train_running == 0 || mode == 0) {
        std::string name = "free camera";
        if (editor.ground_drag == 1 && editor.sel_point != -1) name = format("following point %.0f", editor.sel_point);
        if (editor.ground_drag == 1 && editor.sel_orient_point != -1) {
            name = format("following orientation point %.0f", editor.sel_orient_point);
        }
        if (mode != 0) name += format(" (mode %.0f waits for the train)", mode);
        return name;
    }
    switch (mode) {
        case 1: return "on the train";
        case 2: return "behind the train";
        case 3: return "in front of the train";
        case 4: return "above the train";
        case 5: return format("in car %.0f", car);
        case 6: return format("behind car %.0f", car);
        case 7: return format("in front of car %.0f", car);
        case 8: return format("from car %.0f, free view", car);
        case 9: return format("from car %.0f to the train", car);
        default: return format("viewpoint %.0f", mode - 9);
    }
}

std::string selection_name(const Town& town, const Editor& editor) {
    if (editor.sel_point != -1) return format("point %.0f", editor.sel_point);
    if (editor.sel_orient_point != -1) return format("orientation point %.0f", editor.sel_orient_point);
    if (editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count) {
        return format("object %.0f, ", editor.selected_object) +
               object_type_name(town.town_objects.object_type[editor.selected_object]);
    }
    if (editor.light_edit == 1) return "the light";
    return "nothing";
}

std::string refusal_text(const Town& town, const Editor& editor) {
    if (!refusal_holds(town, editor, editor.overlays.refusal)) return "";
    switch (editor.overlays.refusal) {
        case Refusal::CameraNeedsTrain: return "camera modes show only while the train runs: press space";
        case Refusal::PointNeedsFreeCamera: return "new points only in the free camera: press Home";
        case Refusal::PointSelected: return "locked while a point is selected: press R";
        case Refusal::PointLimit: return "100 control points reached: no more fit";
        case Refusal::ObjectLimit: return "200 town objects reached: no more fit";
        case Refusal::TrainNeedsPoints: return "the train needs 3 control points: press M";
        case Refusal::None: break;
    }
    return "";
}

std::vector<std::string> hud_lines(const Town& town, const Editor& editor) {
    std::vector<std::string> lines;
    lines.push_back(format("camera %.0f: ", editor.camera_mode) + camera_name(town, editor));
    lines.push_back("selected: " + selection_name(town, editor));
    for (const std::string& numbers : hud_number_lines(town, editor)) lines.push_back(numbers);
    const char* mode = town.train.physics == 1 ? "energy" : "by hand";
    if (town.train.train_running == 1) {
        lines.push_back(format("train speed %.1f  height %.1f  ", town.train.train_speed,
                               town.train.train_pos.y) +
                        mode);
    } else {
        lines.push_back(std::string("train stopped, speed ") + mode);
    }
    const int minutes = static_cast<int>(town.sky.time_of_day * MINUTES_PER_DAY) % MINUTES_PER_DAY;
    char clock[64];
    std::snprintf(clock, sizeof clock, "time %02d:%02d  fps %.1f  drawn %d", minutes / 60,
                  minutes % 60, town.clock.fps, editor.drawn_frames.shown);
    lines.push_back(clock);
    const RideTelemetry& ride = town.telemetry;
    if (town.train.train_running == 1 && ride.ready()) {
        lines.push_back(format("vertical %.2f g  (lap %.2f to %.2f)", ride.vertical, ride.lap_min_vertical,
                               ride.lap_max_vertical));
        lines.push_back(format("lateral %.2f g  (lap %.2f to %.2f)", ride.lateral, ride.lap_min_lateral,
                               ride.lap_max_lateral));
    }
    const std::string refused = refusal_text(town, editor);
    if (!refused.empty()) lines.push_back(refused);
    return lines;
}

namespace {

bool shown_since_start(const Editor& editor, uint32_t ms) {
    return editor.overlays.show_help == 0 && GetTickCount() - editor.overlays.start_tick < ms;
}

}  // namespace

std::string start_hint(const Editor& editor) {
    return shown_since_start(editor, START_HINT_MS) ? "press H for help" : "";
}

std::vector<std::string> start_notice(const Editor& editor) {
    if (!shown_since_start(editor, START_NOTICE_MS)) return {};
    return editor.overlays.start_notice;
}
