// Stepping the selections and the edits that go by them.
#include "selection.h"

#include <string>

#include "editor.h"
#include "town.h"

namespace {

// Steps a selection through -1, 0, 1, ..., count-1 and back to -1.
int next_selection(int current, int count) {
    const int next = current + 1;
    return next >= count || next < 0 ? -1 : next;
}

}  // namespace

void select_next_point(const Town& town, Editor& editor) {
    editor.sel_orient_point = -1;
    editor.sel_point = next_selection(editor.sel_point, town.track.num_points);
}

void select_next_orient_point(const Town& town, Editor& editor) {
    editor.sel_point = -1;
    editor.selected_object = -1;
    editor.sel_orient_point = next_selection(editor.sel_orient_point, town.track.num_points);
}

void select_next_object(const Town& town, Editor& editor) {
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
    editor.selected_object = next_selection(editor.selected_object, town.town_objects.object_count);
    editor.redraw(town);
}

void move_selected_point(Town& town, const Editor& editor, Vec3 d) { town.move_point(editor.sel_point, d); }

void move_selected_orient_point(Town& town, const Editor& editor, Vec3 d) {
    town.move_orient_point(editor.sel_orient_point, d);
}

void deselect_points(Town& town, Editor& editor) {
    if (editor.sel_point != -1) {
        town.rebuild_track();
        town.rebuild_orientation();
    }
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
}

void clear_points(Town& town, Editor& editor) {
    town.clear_points();
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
}

void append_point(Town& town, Editor& editor) {
    const int count = town.track.num_points;
    const std::string refused = town.append_point();
    if (!refused.empty()) return editor.tell_user(refused);
    if (town.track.num_points == count) return;
    editor.sel_point = count;
    editor.sel_orient_point = -1;
    editor.redraw(town);
}

void create_object(Town& town, Editor& editor) {
    const int count = town.town_objects.object_count;
    town.create_object();
    if (town.town_objects.object_count == count) return;
    editor.selected_object = count;
    editor.redraw(town);
}

void cycle_object_type(Town& town, Editor& editor) {
    if (editor.selected_object < 0 || editor.selected_object >= town.town_objects.object_count) return;
    town.cycle_object_type(editor.selected_object);
    editor.redraw(town);
}

void switch_basis(Town& town, Editor& editor) {
    const std::string refused = town.switch_basis();
    if (!refused.empty()) editor.tell_user(refused);
}
