// Inserting and deleting by hand: the point arrays and the object list are
// shifted one place, and the track is rebuilt as any edit rebuilds it.
#include "point_edits.h"

#include <memory>
#include <string>
#include <vector>

#include "command_steps.h"
#include "input_codes.h"
#include "track_measure.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr float COPY_OFFSET = 1.0f;  // a copied object stands this far to the side

Vec3 halfway(Vec3 a, Vec3 b) { return (a + b) * 0.5f; }

// Where the new control point and its orientation point go after point i:
// halfway along each curve's segment from i to i + 1. Without a curve yet
// (under 3 points), halfway along the straight line, and beside a lone point.
void new_point_places(const Town& town, int i, Vec3& point, Vec3& orient) {
    const int n = town.track.num_points;
    if (n >= 3 && town.track.segments[i] && town.track.orient_segments[i]) {
        point = town.track.segments[i]->evaluate(0.5f);
        orient = town.track.orient_segments[i]->evaluate(0.5f);
        return;
    }
    const int next = (i + 1) % n;
    point = halfway(town.track.points[i]->position(), town.track.points[next]->position());
    orient = halfway(town.track.orient_points[i]->position(),
                     town.track.orient_points[next]->position());
    if (next == i) {
        point.x += COPY_OFFSET;
        orient.x += COPY_OFFSET;
    }
}

std::unique_ptr<ControlPoint> new_point(Vec3 at, const int (&rgba)[4]) {
    return std::make_unique<ControlPoint>(at.x, at.y, at.z, 1.0f, 1.0f, 1.0f, rgba[0], rgba[1], rgba[2], rgba[3]);
}

bool insert_point_after(Town& town, Editor& editor, int i) {
    const int n = town.track.num_points;
    if (n >= MAX_POINTS) {
        editor.tell_user("No point added: 100 control points reached, no more fit");
        return false;
    }
    Vec3 at, orient_at;
    new_point_places(town, i, at, orient_at);
    if (!within_town(at) || !within_town(orient_at)) {
        editor.tell_user("No point added: halfway to the next one lies beyond the town's bound");
        return false;
    }
    std::vector<Vec3> grown = town.control_positions();
    grown.insert(grown.begin() + i + 1, at);
    const std::string heavy = track_work_refusal(grown, town.track.bspline);
    if (!heavy.empty()) {
        editor.tell_user("No point added: " + heavy);
        return false;
    }
    for (int k = n; k > i + 1; --k) {
        town.track.points[k] = std::move(town.track.points[k - 1]);
        town.track.orient_points[k] = std::move(town.track.orient_points[k - 1]);
        town.track.segments[k] = std::move(town.track.segments[k - 1]);
        town.track.orient_segments[k] = std::move(town.track.orient_segments[k - 1]);
    }
    town.track.points[i + 1] = new_point(at, CONTROL_POINT_RGBA);
    town.track.orient_points[i + 1] = new_point(orient_at, ORIENT_POINT_RGBA);
    town.track.segments[i + 1] = std::make_unique<TrackSegment>();
    town.track.orient_segments[i + 1] = std::make_unique<TrackSegment>();
    town.track.num_points = town.track.num_orient_points = n + 1;
    editor.sel_point = i + 1;
    editor.sel_orient_point = -1;
    town.rebuild_track();
    town.rebuild_orientation();
    town.track.track_edited = 1;
    if (n == 2) town.start_train();  // the third point starts the train, as an appended one does
    return true;
}

bool delete_point(Town& town, Editor& editor, int i) {
    const int n = town.track.num_points;
    std::vector<Vec3> shrunk = town.control_positions();
    shrunk.erase(shrunk.begin() + i);
    const std::string heavy = track_work_refusal(shrunk, town.track.bspline);
    if (!heavy.empty()) {
        editor.tell_user("No point deleted: " + heavy);
        return false;
    }
    for (int k = i; k + 1 < n; ++k) {
        town.track.points[k] = std::move(town.track.points[k + 1]);
        town.track.orient_points[k] = std::move(town.track.orient_points[k + 1]);
        town.track.segments[k] = std::move(town.track.segments[k + 1]);
        town.track.orient_segments[k] = std::move(town.track.orient_segments[k + 1]);
    }
    town.track.points[n - 1].reset();
    town.track.orient_points[n - 1].reset();
    town.track.segments[n - 1].reset();
    town.track.orient_segments[n - 1].reset();
    town.track.num_points = town.track.num_orient_points = n - 1;
    editor.sel_point = -1;
    editor.sel_orient_point = -1;
    town.track.track_edited = 1;
    // Under 3 points there is no track to ride: the train stands, as after a clear.
    if (town.track.num_points < 3) {
        town.train.train_running = 0;
        return true;
    }
    town.rebuild_track();
    town.rebuild_orientation();
    return true;
}

// To the camera's right on the ground, so the copy shows beside the object.
Vec3 side_step(const Camera& camera) {
    const Vec3 flat{camera.right.x, 0.0f, camera.right.z};
    const float len = length(flat);
    return len > 1e-6f ? flat * (COPY_OFFSET / len) : Vec3{COPY_OFFSET, 0.0f, 0.0f};
}

bool copy_object(Town& town, Editor& editor, int j) {
    const int n = town.town_objects.object_count;
    if (n >= MAX_OBJECTS) {
        editor.tell_user("No object added: 200 town objects reached, no more fit");
        return false;
    }
    const ControlPoint& original = *town.town_objects.objects[j];
    const Vec3 d = move_within_town(original.position(), side_step(*editor.camera));
    town.town_objects.objects[n] = std::make_unique<ControlPoint>(original);
    town.town_objects.objects[n]->set_position(original.x + d.x, original.y + d.y,
                                               original.z + d.z);
    town.town_objects.object_type[n] = town.town_objects.object_type[j];
    town.town_objects.object_count = n + 1;
    editor.selected_object = n;
    return true;
}

bool delete_object(Town& town, Editor& editor, int j) {
    const int n = town.town_objects.object_count;
    for (int k = j; k + 1 < n; ++k) {
        town.town_objects.objects[k] = std::move(town.town_objects.objects[k + 1]);
        town.town_objects.object_type[k] = town.town_objects.object_type[k + 1];
    }
    town.town_objects.objects[n - 1].reset();
    town.town_objects.object_type[n - 1] = 0;
    town.town_objects.object_count = n - 1;
    editor.selected_object = -1;
    return true;
}

bool point_selected(const Town& town, const Editor& editor) {
    return editor.sel_point >= 0 && editor.sel_point < town.track.num_points &&
           town.track.points[editor.sel_point] && town.track.orient_points[editor.sel_point];
}

bool object_selected(const Town& town, const Editor& editor) {
    return editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count &&
           town.town_objects.objects[editor.selected_object];
}

constexpr const char* NOTHING_TO_EDIT = "Insert and Delete act on a selected control point or town object";

}  // namespace

bool insert_beside_selection(Town& town, Editor& editor) {
    if (point_selected(town, editor)) return insert_point_after(town, editor, editor.sel_point);
    if (object_selected(town, editor)) return copy_object(town, editor, editor.selected_object);
    editor.overlays.messages.post(NOTHING_TO_EDIT, GetTickCount());
    return false;
}

bool delete_selection(Town& town, Editor& editor) {
    if (point_selected(town, editor)) return delete_point(town, editor, editor.sel_point);
    if (object_selected(town, editor)) return delete_object(town, editor, editor.selected_object);
    editor.overlays.messages.post(NOTHING_TO_EDIT, GetTickCount());
    return false;
}
