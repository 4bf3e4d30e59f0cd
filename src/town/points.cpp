// Editing the track's point set: appending a control point with its
// orientation point, stepping the selections, moving points and clearing.
#include <string>

#include "track_measure.h"
#include "town.h"

namespace {

// New points appear at the town centre, the orientation point 4 units above
// its control point so the fresh track is level.
constexpr Vec3 NEW_CONTROL_POINT{0.0f, 0.125f, 0.0f};
constexpr Vec3 NEW_ORIENT_POINT{0.0f, 4.125f, 0.0f};

std::unique_ptr<ControlPoint> make_point(Vec3 at, const int (&rgba)[4]) {
    return std::make_unique<ControlPoint>(at.x, at.y, at.z, 1.0f, 1.0f, 1.0f, rgba[0], rgba[1],
                                          rgba[2], rgba[3]);
}

// Steps a selection through -1, 0, 1, ..., count-1 and back to -1.
int next_selection(int current, int count) {
    const int next = current + 1;
    return next >= count || next < 0 ? -1 : next;
}

void shift(ControlPoint& p, Vec3 d) { p.set_position(p.x + d.x, p.y + d.y, p.z + d.z); }

// Says why an edit of the track was not made, where the user started it.
void refuse_track_edit(Town& town, const char* what, const std::string& reason) {
    town.tell_user(std::string(what) + ": " + reason);
}

}  // namespace

std::vector<Vec3> Town::control_positions() const {
    std::vector<Vec3> positions;
    for (int i = 0; i < track.num_points; ++i)
        positions.push_back(track.points[i] ? track.points[i]->position() : Vec3{});
    return positions;
}

void Town::append_point() {
    if (track.num_points >= MAX_POINTS) return;
    std::vector<Vec3> grown = control_positions();
    grown.push_back(NEW_CONTROL_POINT);
    const std::string heavy = track_work_refusal(grown, track.bspline);
    if (!heavy.empty()) return refuse_track_edit(*this, "No point added", heavy);
    const int i = track.num_points;
    track.segments[i] = std::make_unique<TrackSegment>();
    track.points[i] = make_point(NEW_CONTROL_POINT, CONTROL_POINT_RGBA);
    sel_point = i;
    sel_orient_point = -1;
    ++track.num_points;
    rebuild_track();

    track.orient_segments[i] = std::make_unique<TrackSegment>();
    track.orient_points[i] = make_point(NEW_ORIENT_POINT, ORIENT_POINT_RGBA);
    track.num_orient_points = track.num_points;
    rebuild_orientation();

    if (track.num_points > 2) start_train();
    redraw();
}

void Town::select_next_point() {
    sel_orient_point = -1;
    sel_point = next_selection(sel_point, track.num_points);
}

void Town::select_next_orient_point() {
    sel_point = -1;
    selected_object = -1;
    sel_orient_point = next_selection(sel_orient_point, track.num_points);
}

void Town::move_selected_point(Vec3 d) {
    if (sel_point < 0 || sel_point >= track.num_points) return;
    if (!track.points[sel_point] || !track.orient_points[sel_point]) return;
    // The orientation point rides along, so the track keeps its banking;
    // the two stop together where the first meets the town's bound.
    const Vec3 step = move_within_town(track.points[sel_point]->position(),
                                       track.orient_points[sel_point]->position(), d);
    std::vector<Vec3> moved = control_positions();
    moved[sel_point] = moved[sel_point] + step;
    // A drag that would stretch the track past the ties it may have stops.
    if (!track_work_refusal(moved, track.bspline).empty()) return;
    shift(*track.points[sel_point], step);
    shift(*track.orient_points[sel_point], step);
    rebuild_track();
    rebuild_orientation();
    track.track_edited = 1;
}

void Town::move_selected_orient_point(Vec3 d) {
    if (sel_orient_point < 0 || sel_orient_point >= track.num_points) return;
    if (!track.orient_points[sel_orient_point]) return;
    ControlPoint& point = *track.orient_points[sel_orient_point];
    shift(point, move_within_town(point.position(), d));
    rebuild_orientation();
    track.track_edited = 1;
}

void Town::switch_basis() {
    // Any basis code but 1 draws Catmull-Rom, so the switch goes by that.
    const int other = track.bspline == 1 ? 0 : 1;
    const std::string heavy = track_work_refusal(control_positions(), other);
    if (!heavy.empty()) {
        return refuse_track_edit(*this, other == 1 ? "The track stays Catmull-Rom" : "The track stays a B-spline", heavy);
    }
    track.bspline = other;
    rebuild_track();
    rebuild_orientation();
}

void Town::deselect_points() {
    if (sel_point != -1) {
        rebuild_track();
        rebuild_orientation();
    }
    sel_point = -1;
    sel_orient_point = -1;
}

void Town::clear_points() {
    for (int i = 0; i < MAX_POINTS; ++i) {
        track.points[i].reset();
        track.orient_points[i].reset();
        track.segments[i].reset();
        track.orient_segments[i].reset();
    }
    // The capacity is kept: until a rebuild changes it, ties are computed
    // in every pass without a table.
    release_tie_table();
    track.realtime_ties = 1;
    track.num_points = 0;
    track.num_orient_points = 0;
    sel_point = -1;
    sel_orient_point = -1;
}
