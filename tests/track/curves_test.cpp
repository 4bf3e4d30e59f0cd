// The two curve bases: where each passes, that the loop closes, that the
// indices wrap, and how a global parameter finds its segment.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "track/curves.h"
#include "track_fixture.h"

namespace {

void expect_near(Vec3 got, Vec3 want, float tol = 1e-4f) {
    EXPECT_NEAR(got.x, want.x, tol);
    EXPECT_NEAR(got.y, want.y, tol);
    EXPECT_NEAR(got.z, want.z, tol);
}

void lay_pentagon(Town& town, int bspline) {
    town.bspline = bspline;
    lay_track(town, {{-3.0f, 1.0f, -2.0f}, {4.0f, 2.0f, -6.0f}, {9.0f, 0.5f, 1.0f},
                     {2.0f, 3.5f, 7.0f}, {-6.0f, 1.5f, 4.0f}});
}

}  // namespace

TEST(TrackCurves, CatmullRomPassesThroughEveryPoint) {
    Town town(nullptr);
    lay_pentagon(town, 0);
    const int n = town.num_points;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        expect_near(town.segments[i]->evaluate(0), point_of(town, i));
        expect_near(town.segments[i]->evaluate(1), point_of(town, (i + 1) % n));
    }
}

TEST(TrackCurves, BsplineStartsAtTheWeightedNeighbours) {
    Town town(nullptr);
    lay_pentagon(town, 1);
    const int n = town.num_points;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        const Vec3 want =
            (point_of(town, (i + n - 1) % n) + 4 * point_of(town, i) + point_of(town, (i + 1) % n)) / 6;
        expect_near(town.segments[i]->evaluate(0), want);
    }
    // In general it passes near, not through, its points.
    EXPECT_GT(length(town.segments[1]->evaluate(0) - point_of(town, 1)), 0.5f);
}

TEST(TrackCurves, BothBasesCloseTheLoopSmoothly) {
    for (int basis : {0, 1}) {
        SCOPED_TRACE(basis);
        Town town(nullptr);
        lay_pentagon(town, basis);
        const int n = town.num_points;
        for (int i = 0; i < n; ++i) {  // includes the join of segment n-1 to 0
            SCOPED_TRACE(i);
            const TrackSegment& here = *town.segments[i];
            const TrackSegment& next = *town.segments[(i + 1) % n];
            expect_near(here.evaluate(1), next.evaluate(0));
            expect_near(here.derivative(1), next.derivative(0), 1e-3f);
        }
        // The orientation curve is built the same way over its own points.
        for (int i = 0; i < n; ++i) {
            expect_near(town.orient_segments[i]->evaluate(1),
                        town.orient_segments[(i + 1) % n]->evaluate(0));
        }
    }
}

TEST(TrackCurves, ThreePointsWrapTheirIndices) {
    // With three points every segment borrows wrapped neighbours: segment 0
    // is shaped by (2, 0, 1, 2), segment 1 by (0, 1, 2, 0), 2 by (1, 2, 0, 1).
    Town town(nullptr);
    town.bspline = 0;
    lay_track(town, {{-4.0f, 1.0f, -2.0f}, {5.0f, 2.0f, -3.0f}, {1.0f, 3.0f, 6.0f}});
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Vec3 prev = point_of(town, (i + 2) % 3);
        const Vec3 next = point_of(town, (i + 1) % 3);
        const Vec3 after = point_of(town, (i + 2) % 3);
        expect_near(town.segments[i]->derivative(0), 0.5f * (next - prev));
        expect_near(town.segments[i]->derivative(1), 0.5f * (after - point_of(town, i)));
    }
}

TEST(TrackCurves, GlobalParameterFindsItsSegment) {
    Town town(nullptr);
    lay_hilly_loop(town);
    expect_near(town.track_point(0.5f), town.segments[2]->evaluate(0));
    expect_near(town.track_point(0.375f), town.segments[1]->evaluate(0.5f));
    expect_near(town.track_derivative(0.875f), town.segments[3]->derivative(0.5f));
    expect_near(town.orient_point_at(0.25f), town.orient_segments[1]->evaluate(0));

    // Parameters outside the loop are held to its ends instead of reading
    // past the segments.
    expect_near(town.track_point(1.0f), town.track_point(0.0f));
    expect_near(town.track_point(-0.2f), town.track_point(0.0f));
    EXPECT_TRUE(is_finite(town.track_point(std::numeric_limits<float>::quiet_NaN())));
}

TEST(TrackCurves, BsplineOverARectangleStaysInside) {
    Town town(nullptr);
    lay_track(town, {{-3.0f, 0.0f, -2.0f}, {3.0f, 0.0f, -2.0f}, {3.0f, 0.0f, 2.0f}, {-3.0f, 0.0f, 2.0f}});
    for (int k = 0; k < 400; ++k) {
        const Vec3 p = town.track_point(k / 400.0f);
        EXPECT_LT(std::fabs(p.x), 3.0f);
        EXPECT_LT(std::fabs(p.z), 2.0f);
        EXPECT_NEAR(p.y, 0.0f, 1e-6);
    }
}
