// What a click selects, and telling a click from the start of a drag.
#include "click_select.h"

#include <cstdlib>

#include "input_codes.h"
#include "editor.h"
#include "selection.h"
#include "town.h"

bool ClickWatch::ends_click(const Town& town, const Editor& editor, int event, int x, int y, int button) {
    const bool near = std::abs(x - press_x_) <= CLICK_SLOP_PIXELS && std::abs(y - press_y_) <= CLICK_SLOP_PIXELS;
    if (event == EVENT_PUSH && button == BUTTON_LEFT) {
        pressed_ = true;
        strayed_ = false;
        press_x_ = x;
        press_y_ = y;
        pose_at_press_ = drag_pose(town, editor);
    } else if (event == EVENT_DRAG && pressed_ && !near) {
        strayed_ = true;  // a drag that comes back to its start is still a drag
    } else if (event == EVENT_RELEASE && button == BUTTON_LEFT && pressed_) {
        pressed_ = false;
        return !strayed_ && near && drag_pose(town, editor) == pose_at_press_;
    }
    return false;
}

std::vector<float> drag_pose(const Town& town, const Editor& editor) {
    std::vector<float> pose{town.sky.light_pos.x, town.sky.light_pos.y, town.sky.light_pos.z};
    const auto add = [&pose](const ControlPoint* p) {
        if (p == nullptr) return;
        pose.insert(pose.end(), {p->x, p->y, p->z, p->size, p->height});
    };
    if (editor.sel_point >= 0 && editor.sel_point < town.track.num_points)
        add(town.track.points[editor.sel_point].get());
    if (editor.sel_orient_point >= 0 && editor.sel_orient_point < town.track.num_orient_points) {
        add(town.track.orient_points[editor.sel_orient_point].get());
    }
    if (editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count) {
        add(town.town_objects.objects[editor.selected_object].get());
    }
    return pose;
}

namespace {

// A hit names what was drawn; a scene changed since then may hold less.
bool still_there(const Town& town, const PickHit& hit) {
    switch (hit.kind) {
        case PickHit::ControlPoint:
            return hit.index >= 0 && hit.index < town.track.num_points;
        case PickHit::OrientPoint:
            return hit.index >= 0 && hit.index < town.track.num_orient_points;
        case PickHit::Object:
            return hit.index >= 0 && hit.index < town.town_objects.object_count;
        case PickHit::Nothing: break;
    }
    return false;
}

}  // namespace

void select_clicked(Town& town, Editor& editor, PickHit hit) {
    if (!still_there(town, hit)) hit = PickHit{};
    const bool same_point = hit.kind == PickHit::ControlPoint && hit.index == editor.sel_point;
    if (!same_point) deselect_points(town, editor);  // rebuilds the track of a point let go
    editor.sel_orient_point = -1;
    editor.selected_object = -1;
    switch (hit.kind) {
        case PickHit::ControlPoint: editor.sel_point = hit.index; break;
        case PickHit::OrientPoint: editor.sel_orient_point = hit.index; break;
        case PickHit::Object: editor.selected_object = hit.index; break;
        case PickHit::Nothing: editor.light_edit = 0; break;
    }
    editor.redraw(town);
}
