// The two curve bases: where each passes, that the loop closes, that the
// indices wrap, and how a global parameter finds its segment.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "near_vec.h"
#include "track_fixture.h"

// Catmull-Rom passes through every point, the B-spline starts at the weighted
// neighbours; both close the loop, over three points as over five.
TEST(TrackCurves, EachBasisStartsWhereItShouldAndClosesTheLoop) {
    const std::vector<Vec3> pentagon = {
        {-3.0f, 1.0f, -2.0f}, {4.0f, 2.0f, -6.0f}, {9.0f, 0.5f, 1.0f}, {2.0f, 3.5f, 7.0f}, {-6.0f, 1.5f, 4.0f}};
    const std::vector<Vec3> triangle = {{-4.0f, 1.0f, -2.0f}, {5.0f, 2.0f, -3.0f}, {1.0f, 3.0f, 6.0f}};
    for (const int basis : {0, 1}) {
        for (const std::vector<Vec3>& at : {pentagon, triangle}) {
            Town town;
            town.track.bspline = basis;
            lay_track(town, at);
            const int n = town.track.num_points;
            for (int i = 0; i < n; ++i) {  // includes the join of segment n-1 to 0
                SCOPED_TRACE(testing::Message() << "basis " << basis << " n " << n << " segment " << i);
                const Vec3 p = point_of(town, i);
                const Vec3 start =
                    basis == 0 ? p : (point_of(town, (i + n - 1) % n) + 4 * p + point_of(town, (i + 1) % n)) / 6;
                const TrackSegment& here = *town.track.segments[i];
                const TrackSegment& next = *town.track.segments[(i + 1) % n];
                EXPECT_TRUE(near_vec(here.evaluate(0), start));
                EXPECT_TRUE(near_vec(here.evaluate(1), next.evaluate(0)));
                EXPECT_TRUE(near_vec(here.derivative(1), next.derivative(0), 1e-3f));
                // The orientation curve is built the same way over its own points.
                EXPECT_TRUE(near_vec(town.track.orient_segments[i]->evaluate(1),
                                     town.track.orient_segments[(i + 1) % n]->evaluate(0)));
            }
        }
    }
}

TEST(TrackCurves, GlobalParameterFindsItsSegment) {
    Town town;
    lay_hilly_loop(town);
    EXPECT_TRUE(near_vec(town.track_point(0.5f), town.track.segments[2]->evaluate(0)));
    EXPECT_TRUE(near_vec(town.track_point(0.375f), town.track.segments[1]->evaluate(0.5f)));
    EXPECT_TRUE(near_vec(town.track_derivative(0.875f), town.track.segments[3]->derivative(0.5f)));
    EXPECT_TRUE(near_vec(town.orient_point_at(0.25f), town.track.orient_segments[1]->evaluate(0)));

    // Parameters outside the loop are held to its ends instead of reading
    // past the segments.
    EXPECT_TRUE(near_vec(town.track_point(1.0f), town.track_point(0.0f)));
    EXPECT_TRUE(near_vec(town.track_point(-0.2f), town.track_point(0.0f)));
    EXPECT_TRUE(is_finite(town.track_point(std::numeric_limits<float>::quiet_NaN())));
}

TEST(TrackCurves, BsplineOverARectangleStaysInside) {
    Town town;
    lay_track(town, {{-3.0f, 0.0f, -2.0f}, {3.0f, 0.0f, -2.0f}, {3.0f, 0.0f, 2.0f}, {-3.0f, 0.0f, 2.0f}});
    for (int k = 0; k < 400; ++k) {
        const Vec3 p = town.track_point(k / 400.0f);
        EXPECT_LT(std::fabs(p.x), 3.0f);
        EXPECT_LT(std::fabs(p.z), 2.0f);
        EXPECT_NEAR(p.y, 0.0f, 1e-6);
    }
}
