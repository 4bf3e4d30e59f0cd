// The two closed cubic curves of the track: the basis coefficients of one
// segment, building a whole closed curve from its points, and mapping a
// global track parameter to a segment and a local parameter.
#pragma once

#include <memory>

#include "control_point.h"
#include "track_segment.h"
#include "vec3.h"

// The four coefficients of one axis of one segment: a u^3 + b u^2 + c u + d.
struct AxisCoefficients {
    float a = 0, b = 0, c = 0, d = 0;
};

// Coefficients of one axis from the four control values around a segment.
// bspline 1 gives the uniform cubic B-spline (smooth, passes near the
// points); anything else the Catmull-Rom spline of tension 0.5 (passes
// through them).
AxisCoefficients segment_coefficients(float p0, float p1, float p2, float p3, int bspline);

// Sets the coefficients of a segment from the four points around it (its
// sampled length is left alone).
void set_segment_coefficients(TrackSegment& seg, Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int bspline);

// Fills segment i of a closed curve over n points from points i-1, i, i+1,
// i+2 (modulo n). Does nothing with fewer than 3 points or a missing record.
void build_closed_curve(const std::unique_ptr<ControlPoint>* points,
                        const std::unique_ptr<TrackSegment>* segments, int n, int bspline);

// Where a global parameter t in [0, 1) falls on a closed curve of n segments.
struct CurvePlace {
    int segment = 0;
    float u = 0;
};
CurvePlace curve_place(int n, float t);

// The curve (or its derivative along u) at global parameter t; the origin
// when the curve has no segments yet.
Vec3 curve_point(const std::unique_ptr<TrackSegment>* segments, int n, float t);
Vec3 curve_derivative(const std::unique_ptr<TrackSegment>* segments, int n, float t);
