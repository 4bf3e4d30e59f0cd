// Landing dragged things on the grid. The drag itself moves freely (its
// steps are smaller than a grid cell); the grid is met at the release.
#include "snapping.h"

#include <cmath>

#include "command_steps.h"
#include "input_codes.h"
#include "town.h"

namespace {

float on_grid(float value, float step) { return std::round(value / step) * step; }

Vec3 grid_step(Vec3 p) {
    return Vec3{on_grid(p.x, SNAP_GRID), on_grid(p.y, SNAP_HEIGHT), on_grid(p.z, SNAP_GRID)} - p;
}

bool anything_selected(const Town& town) {
    return town.sel_point != -1 || town.sel_orient_point != -1 || town.selected_object != -1;
}

}  // namespace

void snap_selection(Town& town) {
    if (town.sel_point >= 0 && town.sel_point < town.track.num_points &&
        town.track.points[town.sel_point]) {
        town.move_selected_point(grid_step(town.track.points[town.sel_point]->position()));
    }
    if (town.sel_orient_point >= 0 && town.sel_orient_point < town.track.num_points &&
        town.track.orient_points[town.sel_orient_point]) {
        town.move_selected_orient_point(
            grid_step(town.track.orient_points[town.sel_orient_point]->position()));
    }
    if (town.selected_object >= 0 && town.selected_object < town.town_objects.object_count &&
        town.town_objects.objects[town.selected_object]) {
        ControlPoint& object = *town.town_objects.objects[town.selected_object];
        const Vec3 d = move_within_town(object.position(), grid_step(object.position()));
        object.set_position(object.x + d.x, object.y + d.y, object.z + d.z);
        object.set_height(object.height + step_within_town(object.height,
                                                           on_grid(object.height, SNAP_HEIGHT) - object.height));
    }
}

void switch_snapping(Town& town) {
    toggle(town.snapping);
    town.overlays.messages.post(town.snapping == 1 ? "Snapping on: drags land on a 0.5 grid, heights on 0.25"
                                                   : "Snapping off",
                                GetTickCount());
    town.redraw();
}

void run_snapping(Town& town, int event) {
    if (event == EVENT_PUSH) town.dragged_since_push = 0;
    if (event == EVENT_DRAG && anything_selected(town)) town.dragged_since_push = 1;
    if (event != EVENT_RELEASE) return;
    if (town.snapping == 1 && town.dragged_since_push == 1) {
        snap_selection(town);
        town.redraw();
    }
    town.dragged_since_push = 0;
}
