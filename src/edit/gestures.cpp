// The mouse gestures on what is selected: dragging the selected point, the
// selected town object or the light, each stopping at the town's bound.
#include <cstdlib>

#include "command_steps.h"
#include "input_codes.h"
#include "editor.h"
#include "selection.h"
#include "town.h"

namespace {

// A pointer step this long or longer is a jump (the pointer left the window
// and came back, or events were lost), not a drag.
constexpr int JUMP_PIXELS = 30;
constexpr float DRAG_UNITS_PER_PIXEL = 0.075f;
// Objects creep at single-pixel steps, so they can be placed precisely.
constexpr float FINE_UNITS_PER_PIXEL = 0.0015f;
constexpr float OBJECT_SIZE_PER_PIXEL = 0.015f;
constexpr float OBJECT_HEIGHT_PER_PIXEL = 0.065f;
constexpr float FINE_SIZE_PER_PIXEL = 0.0001f;
constexpr float FINE_HEIGHT_PER_PIXEL = 0.001f;

// The pointer's step since the previous event, in pixels; up grows as the
// pointer moves up the screen.
struct PointerStep {
    int dx = 0;
    int dy = 0;
    int up = 0;
    bool jump() const { return std::abs(dx) >= JUMP_PIXELS || std::abs(dy) >= JUMP_PIXELS; }
    bool coarse() const { return std::abs(dx) > 1 || std::abs(dy) > 1; }
};

PointerStep track_pointer(Editor& editor, int x, int y) {
    editor.mouse_prev_x = editor.mouse_x;
    editor.mouse_prev_y = editor.mouse_y;
    editor.mouse_x = x;
    editor.mouse_y = y;
    return {editor.mouse_x - editor.mouse_prev_x, editor.mouse_y - editor.mouse_prev_y,
            editor.mouse_prev_y - editor.mouse_y};
}

// A move across the screen: sideways along the camera's right vector and
// "up the screen" along its look-at vector, both flattened onto the ground.
Vec3 along_camera(const Camera& camera, const PointerStep& step, float k) {
    return {k * step.dx * camera.right.x + k * step.up * camera.look.x, 0.0f,
            k * step.dx * camera.right.z + k * step.up * camera.look.z};
}

// The pointer's move as a displacement of a dragged point, or false when the
// button moves nothing.
bool point_displacement(const Editor& editor, const PointerStep& step, int button, Vec3& d) {
    if (button == BUTTON_LEFT && editor.ground_drag == 1) {
        d = {DRAG_UNITS_PER_PIXEL * step.dx, 0.0f, DRAG_UNITS_PER_PIXEL * step.dy};
        return true;
    }
    if (button == BUTTON_LEFT) {
        d = along_camera(*editor.camera, step, DRAG_UNITS_PER_PIXEL);
        return true;
    }
    if (button == BUTTON_RIGHT) {
        d = {0.0f, DRAG_UNITS_PER_PIXEL * step.up, 0.0f};
        return true;
    }
    return false;
}

void deselect_everything(Editor& editor) {
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
    editor.selected_object = -1;
    editor.light_edit = 0;
}

void drag_control_point(Town& town, Editor& editor, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(editor, x, y);
    if (event == EVENT_RELEASE) {
        town.rebuild_track();
        editor.redraw(town);
    }
    Vec3 d;
    if (event == EVENT_DRAG && !step.jump() && point_displacement(editor, step, button, d)) {
        move_selected_point(town, editor, d);  // its orientation point rides along
        editor.redraw(town);
    }
    town.track.track_edited = 1;
    if (keys.key_down('R')) {
        deselect_points(town, editor);  // rebuilds the track the point was dragged on
        deselect_everything(editor);
        editor.redraw(town);
    }
}

void drag_orient_point(Town& town, Editor& editor, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(editor, x, y);
    if (event == EVENT_RELEASE) {
        town.rebuild_orientation();
        editor.redraw(town);
    }
    Vec3 d;
    if (event == EVENT_DRAG && !step.jump() && point_displacement(editor, step, button, d)) {
        move_selected_orient_point(town, editor, d);
        editor.redraw(town);
    }
    if (keys.key_down('R')) {
        deselect_everything(editor);
        editor.redraw(town);
    }
}

void drag_object(Town& town, Editor& editor, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(editor, x, y);
    ControlPoint& object = *town.town_objects.objects[editor.selected_object];
    if (event == EVENT_RELEASE) editor.redraw(town);

    KeyLatches& latch = editor.latches;
    const bool t = keys.key_down('T');
    if (fire_once(t, latch.object_type_t, true)) {
        cycle_object_type(town, editor);
        editor.redraw(town);
    }
    rearm_when_up(t, latch.object_type_t);

    if (event == EVENT_DRAG && !step.jump()) {
        const float k = step.coarse() ? DRAG_UNITS_PER_PIXEL : FINE_UNITS_PER_PIXEL;
        if (button == BUTTON_LEFT) {
            const Vec3 d = move_within_town(object.position(), along_camera(*editor.camera, step, k));
            object.set_position(object.x + d.x, object.y, object.z + d.z);
            editor.redraw(town);
        } else if (button == BUTTON_RIGHT) {
            const float size_rate = step.coarse() ? OBJECT_SIZE_PER_PIXEL : FINE_SIZE_PER_PIXEL;
            const float height_rate = step.coarse() ? OBJECT_HEIGHT_PER_PIXEL : FINE_HEIGHT_PER_PIXEL;
            const float size = object.get_size();
            const float height = object.get_height();
            object.set_size(size + step_within_town(size, size_rate * step.up));
            object.set_height(height + step_within_town(height, height_rate * step.up));
            editor.redraw(town);
        }
    }
    if (keys.key_down('R')) {
        deselect_everything(editor);
        editor.redraw(town);
    }
}

void drag_light(Town& town, Editor& editor, int event, int x, int y, int button) {
    const PointerStep step = track_pointer(editor, x, y);
    if (event == EVENT_RELEASE) editor.redraw(town);
    if (event != EVENT_DRAG || step.jump()) return;
    if (button == BUTTON_LEFT) {
        const Vec3 d = along_camera(*editor.camera, step, DRAG_UNITS_PER_PIXEL);
        town.sky.light_pos = town.sky.light_pos + move_within_town(town.sky.light_pos, d);
        editor.redraw(town);
    } else if (button == BUTTON_RIGHT) {
        town.sky.light_pos.y +=
            step_within_town(town.sky.light_pos.y, DRAG_UNITS_PER_PIXEL * step.up);
        editor.redraw(town);
    }
}

}  // namespace

void run_selection_gestures(Town& town, Editor& editor, int event, int x, int y, int button, const KeyPoll& keys) {
    if (editor.sel_point != -1) drag_control_point(town, editor, event, x, y, button, keys);
    if (editor.sel_orient_point != -1) drag_orient_point(town, editor, event, x, y, button, keys);
    if (editor.selected_object != -1) drag_object(town, editor, event, x, y, button, keys);
    if (editor.light_edit == 1) drag_light(town, editor, event, x, y, button);
}
