// The track curve and the orientation curve: segment coefficients in either
// basis, the closed-curve build, and evaluation at a global parameter.
#include "curves.h"

#include "town.h"

AxisCoefficients segment_coefficients(float p0, float p1, float p2, float p3, int bspline) {
    // The basis weights are taken in double precision; only the finished
    // coefficients are rounded to the segment's floats.
    const double q0 = p0, q1 = p1, q2 = p2, q3 = p3;
    AxisCoefficients k;
    if (bspline == 1) {
        k.a = static_cast<float>(-q0 / 6.0 + q1 / 2.0 - q2 / 2.0 + q3 / 6.0);
        k.b = static_cast<float>(q0 / 2.0 - q1 + q2 / 2.0);
        k.c = static_cast<float>(-q0 / 2.0 + q2 / 2.0);
        k.d = static_cast<float>(q0 / 6.0 + 2.0 * q1 / 3.0 + q2 / 6.0);
    } else {
        k.a = static_cast<float>(-0.5 * q0 + 1.5 * q1 - 1.5 * q2 + 0.5 * q3);
        k.b = static_cast<float>(q0 - 2.5 * q1 + 2.0 * q2 - 0.5 * q3);
        k.c = static_cast<float>(-0.5 * q0 + 0.5 * q2);
        k.d = static_cast<float>(q1);
    }
    return k;
}

void build_closed_curve(const std::unique_ptr<ControlPoint>* points,
                        const std::unique_ptr<TrackSegment>* segments, int n, int bspline) {
    if (n < 3) return;
    for (int i = 0; i < n; ++i) {
        if (!points[i] || !segments[i]) return;
    }
    // Segment i runs from near point i to near point i+1; its neighbours on
    // both sides shape it, and the indices wrap so the loop closes.
    for (int i = 0; i < n; ++i) {
        set_segment_coefficients(*segments[i], points[(i + n - 1) % n]->position(), points[i]->position(),
                                 points[(i + 1) % n]->position(), points[(i + 2) % n]->position(), bspline);
    }
}

void set_segment_coefficients(TrackSegment& seg, Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int bspline) {
    const AxisCoefficients kx = segment_coefficients(p0.x, p1.x, p2.x, p3.x, bspline);
    const AxisCoefficients ky = segment_coefficients(p0.y, p1.y, p2.y, p3.y, bspline);
    const AxisCoefficients kz = segment_coefficients(p0.z, p1.z, p2.z, p3.z, bspline);
    seg.ax = kx.a; seg.bx = kx.b; seg.cx = kx.c; seg.dx = kx.d;
    seg.ay = ky.a; seg.by = ky.b; seg.cy = ky.c; seg.dy = ky.d;
    seg.az = kz.a; seg.bz = kz.b; seg.cz = kz.c; seg.dz = kz.d;
}

CurvePlace curve_place(int n, float t) {
    CurvePlace place;
    if (n < 1) return place;
    float s = static_cast<float>(n) * t;
    // A parameter outside the loop (or not a number) is held to its ends
    // rather than reading past the segment table.
    if (!(s > 0.0f)) s = 0.0f;
    if (s > static_cast<float>(n)) s = static_cast<float>(n);
    int i = static_cast<int>(s);
    if (i > n - 1) i = n - 1;
    place.segment = i;
    place.u = s - static_cast<float>(i);
    return place;
}

Vec3 curve_point(const std::unique_ptr<TrackSegment>* segments, int n, float t) {
    const CurvePlace place = curve_place(n, t);
    if (n < 1 || !segments[place.segment]) return {};
    return segments[place.segment]->evaluate(place.u);
}

Vec3 curve_derivative(const std::unique_ptr<TrackSegment>* segments, int n, float t) {
    const CurvePlace place = curve_place(n, t);
    if (n < 1 || !segments[place.segment]) return {};
    return segments[place.segment]->derivative(place.u);
}

void Town::rebuild_orientation() {
    if (track.num_points < 3) return;
    track.track_edited = 1;
    build_closed_curve(track.orient_points, track.orient_segments, track.num_points, track.bspline);
    fill_tie_table();
}

Vec3 Town::track_point(float t) const { return curve_point(track.segments, track.num_points, t); }
Vec3 Town::track_derivative(float t) const {
    return curve_derivative(track.segments, track.num_points, t);
}
Vec3 Town::orient_point_at(float t) const {
    return curve_point(track.orient_segments, track.num_points, t);
}
