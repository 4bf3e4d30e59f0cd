// Typed numbers for the selected point or object: what the dialog offers,
// what it accepts, and how the town takes them.
#include "typed_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "command_steps.h"
#include "track_measure.h"
#include "editor.h"
#include "town.h"

namespace {

enum class Typed { Nothing, ControlPoint, OrientPoint, Object };

Typed what_is_selected(const Town& town, const Editor& editor) {
    if (editor.sel_point >= 0 && editor.sel_point < town.track.num_points &&
        town.track.points[editor.sel_point] && town.track.orient_points[editor.sel_point]) {
        return Typed::ControlPoint;
    }
    if (editor.sel_orient_point >= 0 && editor.sel_orient_point < town.track.num_points &&
        town.track.orient_points[editor.sel_orient_point]) {
        return Typed::OrientPoint;
    }
    if (editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count &&
        town.town_objects.objects[editor.selected_object]) {
        return Typed::Object;
    }
    return Typed::Nothing;
}

// The control point goes exactly where typed; its orientation point rides
// along by the same step, as in a drag, so the banking stays.
bool place_control_point(Town& town, Editor& editor, Vec3 at) {
    const int i = editor.sel_point;
    std::vector<Vec3> moved = town.control_positions();
    moved[i] = at;
    const std::string heavy = track_work_refusal(moved, town.track.bspline);
    if (!heavy.empty()) {
        editor.tell_user("Point not moved: " + heavy);
        return false;
    }
    ControlPoint& orient = *town.track.orient_points[i];
    const Vec3 d = at - town.track.points[i]->position();
    const Vec3 orient_at = orient.position() + move_within_town(orient.position(), d);
    town.track.points[i]->set_position(at.x, at.y, at.z);
    orient.set_position(orient_at.x, orient_at.y, orient_at.z);
    town.rebuild_track();
    town.rebuild_orientation();
    town.track.track_edited = 1;
    return true;
}

}  // namespace

std::string typed_number_refusal(const std::string& field, const std::string& text, float& value) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(start, &end);
    while (end != nullptr && (*end == ' ' || *end == '\t')) ++end;
    if (end == start || end == nullptr || *end != '\0') return field + ": \"" + text + "\" is not a number";
    if (!std::isfinite(read) || std::fabs(read) > TOWN_MAX_COORDINATE) {
        return field + ": " + text + " lies beyond " + std::to_string(static_cast<int>(TOWN_MAX_COORDINATE));
    }
    value = static_cast<float>(read);
    return "";
}

std::string number_text(float value) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return text;
}

bool apply_typed_numbers(Town& town, Editor& editor, const std::vector<float>& values) {
    if (values.size() < 3) return false;
    const Vec3 at{values[0], values[1], values[2]};
    if (!within_town(at)) return false;
    switch (what_is_selected(town, editor)) {
        case Typed::ControlPoint:
            return place_control_point(town, editor, at);
        case Typed::OrientPoint:
            town.track.orient_points[editor.sel_orient_point]->set_position(at.x, at.y, at.z);
            town.rebuild_orientation();
            town.track.track_edited = 1;
            return true;
        case Typed::Object: {
            if (values.size() < 5 || !within_town(values[3]) || !within_town(values[4])) return false;
            ControlPoint& object = *town.town_objects.objects[editor.selected_object];
            object.set_position(at.x, at.y, at.z);
            object.set_size(values[3]);
            object.set_height(values[4]);
            return true;
        }
        case Typed::Nothing:
            break;
    }
    return false;
}

void ask_typed_numbers(Town& town, Editor& editor) {
    const Typed typed = what_is_selected(town, editor);
    if (typed == Typed::Nothing) {
        editor.overlays.messages.post("P types the numbers of a selected point or object: select one first",
                                    GetTickCount());
        return;
    }
    const ControlPoint& record = typed == Typed::ControlPoint ? *town.track.points[editor.sel_point]
                                 : typed == Typed::OrientPoint
                                     ? *town.track.orient_points[editor.sel_orient_point]
                                     : *town.town_objects.objects[editor.selected_object];
    std::vector<std::string> names = {"x", "y", "z"};
    std::vector<float> values = {record.x, record.y, record.z};
    if (typed == Typed::Object) {
        names.insert(names.end(), {"size", "height"});
        values.insert(values.end(), {record.size, record.height});
    }
    const std::string title = "Numbers of " + selection_name(town, editor);
    if (editor.seams->ask_numbers(title, names, values) && apply_typed_numbers(town, editor, values)) editor.redraw(town);
}
