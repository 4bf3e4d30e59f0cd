// Measuring a track from its points alone, with the same sampling and tie
// walk a rebuild uses, so the check and the tables can never disagree.
#include "track_measure.h"

#include <cmath>
#include <cstdio>

#include "curves.h"
#include "town_bounds.h"
#include "track_walk.h"

namespace {

float fractional_part(double s) { return static_cast<float>(s - std::floor(s)); }

}  // namespace

float sampled_segment_length(const TrackSegment& seg, int n, float& summit) {
    float sampled = 0;
    // A single-precision t in steps of 0.001: exactly 1000 steps.
    float t = 0;
    while (t < 0.999) {
        const Vec3 p1 = seg.evaluate(fractional_part(static_cast<double>(n) * t));
        if (p1.y > summit) summit = p1.y;
        const Vec3 p2 = seg.evaluate(fractional_part(static_cast<double>(n) * (t + 0.001)));
        sampled += length(p2 - p1);
        t = static_cast<float>(t + 0.001);
    }
    return sampled;
}

float sampled_track_length(const std::vector<Vec3>& points, int bspline) {
    const int n = static_cast<int>(points.size());
    if (n < 3) return 0;
    float summit = 0;
    float total = 0;
    for (int i = 0; i < n; ++i) {
        TrackSegment seg;
        set_segment_coefficients(seg, points[(i + n - 1) % n], points[i], points[(i + 1) % n],
                                 points[(i + 2) % n], bspline);
        total += sampled_segment_length(seg, n, summit);
    }
    return total;
}

int ties_at_closest_spacing(float track_length, int most) {
    if (!(track_length > 0)) return 0;
    int ties = 0;
    for (TrackWalk walk(1 / track_length, track_length, 1); walk.running() && ties <= most; walk.advance()) {
        if (walk.take_tie()) ++ties;
    }
    return ties;
}

std::string track_work_refusal(const std::vector<Vec3>& points, int bspline) {
    const float length = sampled_track_length(points, bspline);
    if (ties_at_closest_spacing(length, TRACK_MAX_TIES) <= TRACK_MAX_TIES) return "";
    char reason[128];
    std::snprintf(reason, sizeof reason, "the track would need more than %d ties (it is %.0f long)", TRACK_MAX_TIES,
                  static_cast<double>(length));
    return reason;
}
