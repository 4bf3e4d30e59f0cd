// The track's point set: appending a control point with its orientation
// point, moving points, switching the basis and clearing.
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

void shift(ControlPoint& p, Vec3 d) { p.set_position(p.x + d.x, p.y + d.y, p.z + d.z); }

// Why an edit of the track was not made, for the user who started it.
std::string track_edit_refusal(const char* what, const std::string& reason) {
    return std::string(what) + ": " + reason;
}

}  // namespace

std::vector<Vec3> Town::control_positions() const {
    std::vector<Vec3> positions;
    for (int i = 0; i < track.num_points; ++i)
        positions.push_back(track.points[i] ? track.points[i]->position() : Vec3{});
    return positions;
}

std::string Town::append_point() {
    if (track.num_points >= MAX_POINTS) return "";
    std::vector<Vec3> grown = control_positions();
    grown.push_back(NEW_CONTROL_POINT);
    const std::string heavy = track_work_refusal(grown, track.bspline);
    if (!heavy.empty()) return track_edit_refusal("No point added", heavy);
    const int i = track.num_points;
    track.segments[i] = std::make_unique<TrackSegment>();
    track.points[i] = make_point(NEW_CONTROL_POINT, CONTROL_POINT_RGBA);
    ++track.num_points;
    rebuild_track();

    track.orient_segments[i] = std::make_unique<TrackSegment>();
    track.orient_points[i] = make_point(NEW_ORIENT_POINT, ORIENT_POINT_RGBA);
    track.num_orient_points = track.num_points;
    rebuild_orientation();

    if (track.num_points > 2) start_train();
    return "";
}

void Town::move_point(int i, Vec3 d) {
    if (i < 0 || i >= track.num_points) return;
    if (!track.points[i] || !track.orient_points[i]) return;
    // The orientation point rides along, so the track keeps its banking;
    // the two stop together where the first meets the town's bound.
    const Vec3 step = move_within_town(track.points[i]->position(), track.orient_points[i]->position(), d);
    std::vector<Vec3> moved = control_positions();
    moved[i] = moved[i] + step;
    // A drag that would stretch the track past the ties it may have stops.
    if (!track_work_refusal(moved, track.bspline).empty()) return;
    shift(*track.points[i], step);
    shift(*track.orient_points[i], step);
    rebuild_track();
    rebuild_orientation();
    track.track_edited = 1;
}

void Town::move_orient_point(int i, Vec3 d) {
    if (i < 0 || i >= track.num_points) return;
    if (!track.orient_points[i]) return;
    ControlPoint& point = *track.orient_points[i];
    shift(point, move_within_town(point.position(), d));
    rebuild_orientation();
    track.track_edited = 1;
}

std::string Town::switch_basis() {
    // Any basis code but 1 draws Catmull-Rom, so the switch goes by that.
    const int other = track.bspline == 1 ? 0 : 1;
    const std::string heavy = track_work_refusal(control_positions(), other);
    if (!heavy.empty()) {
        return track_edit_refusal(other == 1 ? "The track stays Catmull-Rom" : "The track stays a B-spline", heavy);
    }
    track.bspline = other;
    rebuild_track();
    rebuild_orientation();
    return "";
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
}
