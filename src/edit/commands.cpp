// The order in which one toolkit event runs through the town view's
// commands, and the event itself: pushes, releases and the camera drags.
#include "commands.h"

#include "camera_gestures.h"
#include "command_steps.h"
#include "input_codes.h"
#include "point_edits.h"
#include "snapping.h"
#include "typed_numbers.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr float CAMERA_RADIANS_PER_PIXEL = 0.005f;
constexpr float CAMERA_DOLLY_PER_PIXEL = 0.07f;

bool nothing_selected(const Editor& editor) {
    return editor.sel_point == -1 && editor.sel_orient_point == -1 && editor.selected_object == -1 &&
           editor.light_edit == 0;
}

// A selection can outlive what it points at (a scene loaded over it); it is
// dropped before any command or gesture uses it.
void forget_stale_selection(Town& town, Editor& editor) {
    if (editor.sel_point < -1 || editor.sel_point >= town.track.num_points) editor.sel_point = -1;
    if (editor.sel_orient_point < -1 || editor.sel_orient_point >= town.track.num_orient_points) {
        editor.sel_orient_point = -1;
    }
    if (editor.selected_object < -1 || editor.selected_object >= town.town_objects.object_count) {
        editor.selected_object = -1;
    }
}

}  // namespace

int run_event(Town& town, Editor& editor, int event, int x, int y, int button) {
    switch (event) {
        case EVENT_PUSH:
            editor.drag_x = x;
            editor.drag_y = y;
            editor.redraw(town);
            return 1;
        case EVENT_RELEASE:
            editor.redraw(town);
            return 1;
        case EVENT_DRAG: {
            editor.drag_prev_x = editor.drag_x;
            editor.drag_prev_y = editor.drag_y;
            editor.drag_x = x;
            editor.drag_y = y;
            const int up = editor.drag_prev_y - editor.drag_y;
            const int left = editor.drag_prev_x - editor.drag_x;
            Camera& camera = *editor.camera;
            // Mode 8 looks from a car along the free camera's look, so turning
            // the free camera turns that view too.
            if (button == BUTTON_LEFT && (editor.camera_mode == 0 || editor.camera_mode == 8) &&
                nothing_selected(editor)) {
                camera.rotate_about_right(CAMERA_RADIANS_PER_PIXEL * up);
                camera.rotate_about_world_up(CAMERA_RADIANS_PER_PIXEL * left);
                editor.redraw(town);
            } else if (button == BUTTON_RIGHT && (editor.camera_mode == 0 || editor.camera_mode == 6) &&
                       nothing_selected(editor)) {
                camera.eye = eye_within_reach(camera.eye, camera.look * (length(camera.look) * CAMERA_DOLLY_PER_PIXEL * up));
                editor.redraw(town);
            }
            return 1;
        }
        case EVENT_SHOW:
            return 1;
        default:
            return 0;
    }
}

int handle_event(Town& town, Editor& editor, int event, int event_x, int event_y, int button,
                 const KeyPoll& keys) {
    editor.picture_wanted = true;
    forget_stale_selection(town, editor);
    edits_before_event(town, editor, event, keys);
    run_keys_any_selection(town, editor, keys);
    run_keys_without_point(town, editor, keys);
    forget_stale_selection(town, editor);  // F1 may have loaded a smaller scene
    run_selection_gestures(town, editor, event, event_x, event_y, button, keys);
    run_keys_after_gestures(town, editor, keys);
    run_snapping(town, editor, event);
    run_display_keys(town, editor, keys);
    int result = run_event(town, editor, event, event_x, event_y, button);
    if (run_camera_gestures(town, editor, event, button, keys)) result = 1;
    edits_after_event(town, editor, event, keys);
    return result;
}
