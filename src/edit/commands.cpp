// The order in which one toolkit event runs through the town view's
// commands, and the event itself: pushes, releases and the camera drags.
#include "camera_gestures.h"
#include "command_steps.h"
#include "input_codes.h"
#include "point_edits.h"
#include "snapping.h"
#include "typed_numbers.h"
#include "town.h"

namespace {

constexpr float CAMERA_RADIANS_PER_PIXEL = 0.005f;
constexpr float CAMERA_DOLLY_PER_PIXEL = 0.07f;

bool nothing_selected(const Town& town) {
    return town.sel_point == -1 && town.sel_orient_point == -1 && town.selected_object == -1 &&
           town.light_edit == 0;
}

// A selection can outlive what it points at (a scene loaded over it); it is
// dropped before any command or gesture uses it.
void forget_stale_selection(Town& town) {
    if (town.sel_point < -1 || town.sel_point >= town.track.num_points) town.sel_point = -1;
    if (town.sel_orient_point < -1 || town.sel_orient_point >= town.track.num_orient_points) {
        town.sel_orient_point = -1;
    }
    if (town.selected_object < -1 || town.selected_object >= town.town_objects.object_count) {
        town.selected_object = -1;
    }
}

}  // namespace

int run_event(Town& town, int event, int x, int y, int button) {
    switch (event) {
        case EVENT_PUSH:
            town.drag_x = x;
            town.drag_y = y;
            town.redraw();
            return 1;
        case EVENT_RELEASE:
            town.redraw();
            return 1;
        case EVENT_DRAG: {
            town.drag_prev_x = town.drag_x;
            town.drag_prev_y = town.drag_y;
            town.drag_x = x;
            town.drag_y = y;
            const int up = town.drag_prev_y - town.drag_y;
            const int left = town.drag_prev_x - town.drag_x;
            Camera& camera = *town.camera;
            // Mode 8 looks from a car along the free camera's look, so turning
            // the free camera turns that view too.
            if (button == BUTTON_LEFT && (town.camera_mode == 0 || town.camera_mode == 8) &&
                nothing_selected(town)) {
                camera.rotate_about_right(CAMERA_RADIANS_PER_PIXEL * up);
                camera.rotate_about_world_up(CAMERA_RADIANS_PER_PIXEL * left);
                town.redraw();
            } else if (button == BUTTON_RIGHT && (town.camera_mode == 0 || town.camera_mode == 6) &&
                       nothing_selected(town)) {
                camera.eye = eye_within_reach(camera.eye, camera.look * (length(camera.look) * CAMERA_DOLLY_PER_PIXEL * up));
                town.redraw();
            }
            return 1;
        }
        case EVENT_SHOW:
            return 1;
        default:
            return 0;
    }
}

int Town::handle_event(int event, int event_x, int event_y, int button, const KeyPoll& keys) {
    picture_wanted = true;
    forget_stale_selection(*this);
    edits_before_event(*this, event, keys);
    run_keys_any_selection(*this, keys);
    run_keys_without_point(*this, keys);
    forget_stale_selection(*this);  // F1 may have loaded a smaller scene
    run_selection_gestures(*this, event, event_x, event_y, button, keys);
    run_keys_after_gestures(*this, keys);
    run_snapping(*this, event);
    run_display_keys(*this, keys);
    int result = run_event(*this, event, event_x, event_y, button);
    if (run_camera_gestures(*this, event, button, keys)) result = 1;
    edits_after_event(*this, event, keys);
    return result;
}

// Without a toolkit there is nobody to ask: the prompt counts as cancelled.
int Town::ask_file_name(char*, const char*) { return 0; }

AutosavePlaces Town::autosave_places() const { return default_autosave_places(); }
