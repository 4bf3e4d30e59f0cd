// Measuring a track from its points: the check that refuses a track too
// long to draw sees exactly the length and ties its rebuild would give.
#include <gtest/gtest.h>

#include <string>

#include "town_bounds.h"
#include "track_measure.h"
#include "track_fixture.h"

namespace {

TEST(TrackMeasure, AgreesWithTheRebuildInEitherBasis) {
    Town town;
    for (const int bspline : {1, 0}) {
        town.track.bspline = bspline;
        town.track.tie_spacing = 1;
        const std::vector<Vec3> at = wavy_loop(7, 30, 18, 3, 2);
        lay_track(town, at);
        const float length = sampled_track_length(at, bspline);
        EXPECT_EQ(length, town.track.track_length) << bspline;
        EXPECT_EQ(ties_at_closest_spacing(length, TRACK_MAX_TIES), town.track.num_ties) << bspline;
    }
    EXPECT_EQ(sampled_track_length({{1, 2, 3}, {4, 5, 6}}, 1), 0.0f);  // two points make no track
}

TEST(TrackMeasure, CountsTiesNoFurtherThanOnePastTheCap) {
    EXPECT_EQ(ties_at_closest_spacing(0.0f, 10), 0);
    EXPECT_EQ(ties_at_closest_spacing(1e9f, 10), 11);
    EXPECT_EQ(track_work_refusal(wavy_loop(7, 30, 18, 3, 2), 1), "");
    // The same loop blown up to the town's edge with many points needs far
    // more than any track may have.
    const std::string reason = track_work_refusal(wavy_loop(60, 900, 900, 0, 500), 0);
    EXPECT_EQ(reason.rfind("the track would need more than 40000 ties (it is ", 0), 0u) << reason;
}

}  // namespace

// The town only says why; telling the user is the editor's.
TEST(TrackMeasure, ARefusedPointOrBasisComesBackAsTheReasonAndLeavesTheTrack) {
    Town town;
    lay_track(town, wavy_loop(60, 900, 900, 0, 500));
    const int points = town.track.num_points;
    const int basis = town.track.bspline;
    testing::internal::CaptureStdout();
    const std::string added = town.append_point();
    const std::string switched = town.switch_basis();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(added.rfind("No point added: the track would need more than 40000 ties", 0), 0u) << added;
    EXPECT_EQ(switched.rfind("The track stays ", 0), 0u) << switched;
    EXPECT_EQ(town.track.num_points, points);
    EXPECT_EQ(town.track.bspline, basis);
}
