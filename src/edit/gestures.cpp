// The mouse gestures on what is selected: dragging the selected point, the
// selected town object or the light, each stopping at the town's bound.
#include <cstdlib>

#include "command_steps.h"
#include "input_codes.h"
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

PointerStep track_pointer(Town& town, int x, int y) {
    town.mouse_prev_x = town.mouse_x;
    town.mouse_prev_y = town.mouse_y;
    town.mouse_x = x;
    town.mouse_y = y;
    return {town.mouse_x - town.mouse_prev_x, town.mouse_y - town.mouse_prev_y,
            town.mouse_prev_y - town.mouse_y};
}

// A move across the screen: sideways along the camera's right vector and
// "up the screen" along its look-at vector, both flattened onto the ground.
Vec3 along_camera(const Camera& camera, const PointerStep& step, float k) {
    return {k * step.dx * camera.right.x + k * step.up * camera.look.x, 0.0f,
            k * step.dx * camera.right.z + k * step.up * camera.look.z};
}

// The pointer's move as a displacement of a dragged point, or false when the
// button moves nothing.
bool point_displacement(const Town& town, const PointerStep& step, int button, Vec3& d) {
    if (button == BUTTON_LEFT && town.ground_drag == 1) {
        d = {DRAG_UNITS_PER_PIXEL * step.dx, 0.0f, DRAG_UNITS_PER_PIXEL * step.dy};
        return true;
    }
    if (button == BUTTON_LEFT) {
        d = along_camera(*town.camera, step, DRAG_UNITS_PER_PIXEL);
        return true;
    }
    if (button == BUTTON_RIGHT) {
        d = {0.0f, DRAG_UNITS_PER_PIXEL * step.up, 0.0f};
        return true;
    }
    return false;
}

void deselect_everything(Town& town) {
    town.sel_point = -1;
    town.sel_orient_point = -1;
    town.selected_object = -1;
    town.light_edit = 0;
}

void drag_control_point(Town& town, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(town, x, y);
    if (event == EVENT_RELEASE) {
        town.rebuild_track();
        town.redraw();
    }
    Vec3 d;
    if (event == EVENT_DRAG && !step.jump() && point_displacement(town, step, button, d)) {
        town.move_selected_point(d);  // its orientation point rides along
        town.redraw();
    }
    town.track.track_edited = 1;
    if (keys.key_down('R')) {
        town.deselect_points();  // rebuilds the track the point was dragged on
        deselect_everything(town);
        town.redraw();
    }
}

void drag_orient_point(Town& town, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(town, x, y);
    if (event == EVENT_RELEASE) {
        town.rebuild_orientation();
        town.redraw();
    }
    Vec3 d;
    if (event == EVENT_DRAG && !step.jump() && point_displacement(town, step, button, d)) {
        town.move_selected_orient_point(d);
        town.redraw();
    }
    if (keys.key_down('R')) {
        deselect_everything(town);
        town.redraw();
    }
}

void drag_object(Town& town, int event, int x, int y, int button, const KeyPoll& keys) {
    const PointerStep step = track_pointer(town, x, y);
    ControlPoint& object = *town.town_objects.objects[town.selected_object];
    if (event == EVENT_RELEASE) town.redraw();

    KeyLatches& latch = town.latches;
    const bool t = keys.key_down('T');
    if (fire_once(t, latch.object_type_t, true)) {
        town.cycle_object_type();
        town.redraw();
    }
    rearm_when_up(t, latch.object_type_t);

    if (event == EVENT_DRAG && !step.jump()) {
        const float k = step.coarse() ? DRAG_UNITS_PER_PIXEL : FINE_UNITS_PER_PIXEL;
        if (button == BUTTON_LEFT) {
            const Vec3 d = move_within_town(object.position(), along_camera(*town.camera, step, k));
            object.set_position(object.x + d.x, object.y, object.z + d.z);
            town.redraw();
        } else if (button == BUTTON_RIGHT) {
            const float size_rate = step.coarse() ? OBJECT_SIZE_PER_PIXEL : FINE_SIZE_PER_PIXEL;
            const float height_rate = step.coarse() ? OBJECT_HEIGHT_PER_PIXEL : FINE_HEIGHT_PER_PIXEL;
            const float size = object.get_size();
            const float height = object.get_height();
            object.set_size(size + step_within_town(size, size_rate * step.up));
            object.set_height(height + step_within_town(height, height_rate * step.up));
            town.redraw();
        }
    }
    if (keys.key_down('R')) {
        deselect_everything(town);
        town.redraw();
    }
}

void drag_light(Town& town, int event, int x, int y, int button) {
    const PointerStep step = track_pointer(town, x, y);
    if (event == EVENT_RELEASE) town.redraw();
    if (event != EVENT_DRAG || step.jump()) return;
    if (button == BUTTON_LEFT) {
        const Vec3 d = along_camera(*town.camera, step, DRAG_UNITS_PER_PIXEL);
        town.sky.light_pos = town.sky.light_pos + move_within_town(town.sky.light_pos, d);
        town.redraw();
    } else if (button == BUTTON_RIGHT) {
        town.sky.light_pos.y +=
            step_within_town(town.sky.light_pos.y, DRAG_UNITS_PER_PIXEL * step.up);
        town.redraw();
    }
}

}  // namespace

void run_selection_gestures(Town& town, int event, int x, int y, int button, const KeyPoll& keys) {
    if (town.sel_point != -1) drag_control_point(town, event, x, y, button, keys);
    if (town.sel_orient_point != -1) drag_orient_point(town, event, x, y, button, keys);
    if (town.selected_object != -1) drag_object(town, event, x, y, button, keys);
    if (town.light_edit == 1) drag_light(town, event, x, y, button);
}
