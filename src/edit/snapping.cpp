// Landing dragged things on the grid. The drag itself moves freely (its
// steps are smaller than a grid cell); the grid is met at the release.
#include "snapping.h"

#include <cmath>

#include "command_steps.h"
#include "input_codes.h"
#include "editor.h"
#include "selection.h"
#include "town.h"

namespace {

float on_grid(float value, float step) { return std::round(value / step) * step; }

Vec3 grid_step(Vec3 p) {
    return Vec3{on_grid(p.x, SNAP_GRID), on_grid(p.y, SNAP_HEIGHT), on_grid(p.z, SNAP_GRID)} - p;
}

bool anything_selected(const Editor& editor) {
    return editor.sel_point != -1 || editor.sel_orient_point != -1 || editor.selected_object != -1;
}

}  // namespace

void snap_selection(Town& town, Editor& editor) {
    if (editor.sel_point >= 0 && editor.sel_point < town.track.num_points &&
        town.track.points[editor.sel_point]) {
        move_selected_point(town, editor, grid_step(town.track.points[editor.sel_point]->position()));
    }
    if (editor.sel_orient_point >= 0 && editor.sel_orient_point < town.track.num_points &&
        town.track.orient_points[editor.sel_orient_point]) {
        move_selected_orient_point(town, editor, 
            grid_step(town.track.orient_points[editor.sel_orient_point]->position()));
    }
    if (editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count &&
        town.town_objects.objects[editor.selected_object]) {
        ControlPoint& object = *town.town_objects.objects[editor.selected_object];
        const Vec3 d = move_within_town(object.position(), grid_step(object.position()));
        object.set_position(object.x + d.x, object.y + d.y, object.z + d.z);
        object.set_height(object.height + step_within_town(object.height,
                                                           on_grid(object.height, SNAP_HEIGHT) - object.height));
    }
}

void switch_snapping(Town& town, Editor& editor) {
    toggle(editor.snapping);
    editor.overlays.messages.post(editor.snapping == 1 ? "Snapping on: drags land on a 0.5 grid, heights on 0.25"
                                                   : "Snapping off",
                                GetTickCount());
    editor.redraw(town);
}

void run_snapping(Town& town, Editor& editor, int event) {
    if (event == EVENT_PUSH) editor.dragged_since_push = 0;
    if (event == EVENT_DRAG && anything_selected(editor)) editor.dragged_since_push = 1;
    if (event != EVENT_RELEASE) return;
    if (editor.snapping == 1 && editor.dragged_since_push == 1) {
        snap_selection(town, editor);
        editor.redraw(town);
    }
    editor.dragged_since_push = 0;
}
