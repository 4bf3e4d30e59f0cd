// The tables a rebuild derives from the track: sampled lengths, the highest
// point and the energy, the samples and arc rates, the tie count and the
// tie table with its allocation seam.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "near_vec.h"
#include "track_fixture.h"

namespace {

const char* const TIE_TABLE_MESSAGE =
    "Cannot allocate tie data array!  Resorting to real-time tie vector generation!\n";

// Counts the tie-table allocations and can refuse them.
struct SeamTown : Town {
    SeamTown() : Town() {
        track.allocate_tie_table = [this](std::size_t floats) {
            ++allocations;
            last_request = floats;
            return refuse ? nullptr : allocate_with_malloc(floats);
        };
    }
    int allocations = 0;
    std::size_t last_request = 0;
    bool refuse = false;
};

// Arc length of one segment, integrated finely in double precision.
double arc_length(const TrackSegment& seg) {
    double sum = 0;
    const int steps = 20000;
    for (int j = 0; j < steps; ++j) {
        sum += length(seg.evaluate((j + 1) / double(steps)) - seg.evaluate(j / double(steps)));
    }
    return sum;
}

// Reshapes the laid four-point loop to the given size, as dragging its points
// would, and rebuilds; the tie count grows with the size.
void resize_loop(Town& town, float scale) {
    for (int i = 0; i < 4; ++i) {
        const Vec3 p = HILLY_LOOP[i];
        town.track.points[i]->set_position(p.x * scale, p.y, p.z * scale);
    }
    town.rebuild_track();
}

}  // namespace

// Three points give three sampled lengths summing to the track length, and
// 100 samples on the curve whose arc rates close the loop.
TEST(TrackTables, SampledLengthsSamplesAndArcRates) {
    Town town;
    lay_track(town, {{-4.0f, 1.0f, -2.0f}, {5.0f, 2.0f, -3.0f}, {1.0f, 3.0f, 6.0f}});
    const int n = town.track.num_points;
    float sum = 0;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        const TrackSegment& seg = *town.track.segments[i];
        sum += seg.sampled_length;
        // The local parameter sweeps the segment n times and each wrap adds
        // the chord between its ends: far more than one arc.
        const double arc = arc_length(seg);
        const double chord = length(seg.evaluate(1) - seg.evaluate(0));
        EXPECT_GT(seg.sampled_length, n * arc + (n - 1) * chord - 0.05 * arc);
        EXPECT_LT(seg.sampled_length, n * arc + n * chord + 0.05 * arc);
    }
    EXPECT_NEAR(town.track.track_length, sum, 1e-3f * sum);

    const auto sample = [&](int k) {
        return Vec3{town.track.sample_x[k], town.track.sample_y[k], town.track.sample_z[k]};
    };
    for (int k = 0; k < NUM_SAMPLES; ++k) EXPECT_TRUE(near_vec(sample(k), town.track_point(k / 100.0f), 0.0f)) << k;
    for (const int k : {0, 57, 99}) {  // 99 measures the way back to sample 0
        EXPECT_NEAR(town.track.arc_rate[k], 100 * length(sample((k + 1) % NUM_SAMPLES) - sample(k)),
                    1e-3f)
            << k;
    }
}

TEST(TrackTables, HighestPointOnlyRises) {
    Town town;
    lay_hilly_loop(town);
    const float summit = town.track.max_height;
    EXPECT_GT(summit, 2.5f);
    EXPECT_LT(summit, 4.0f);
    // With the default gravity the energy is that of speed 4 at the summit.
    EXPECT_NEAR(town.train.total_energy, 100.0f * 20.8f * summit + 800.0f, 0.05f);

    // Lowering the whole track keeps the old summit, and the energy with it;
    // a higher track raises it.
    const auto lifted = [](float dy) {
        std::vector<Vec3> at = HILLY_LOOP;
        for (Vec3& p : at) p.y += dy;
        return at;
    };
    lay_track(town, lifted(-4.0f));
    EXPECT_FLOAT_EQ(town.track.max_height, summit);
    EXPECT_NEAR(town.train.total_energy, 100.0f * 20.8f * summit + 800.0f, 0.05f);
    lay_track(town, lifted(8.0f));
    EXPECT_GT(town.track.max_height, summit + 5.0f);
}

TEST(TrackTables, TiesThinOutAsTheSpacingGrows) {
    Town town;
    lay_hilly_loop(town);
    resize_loop(town, 2.0f);
    int previous = 1 << 30;
    for (int spacing = 1; spacing <= 40; ++spacing) {
        town.track.tie_spacing = spacing;
        town.rebuild_track();
        EXPECT_LE(town.track.num_ties, previous) << "spacing " << spacing;
        if (spacing == 6) {  // a tie after every 7 steps of about one unit each
            EXPECT_LT(town.track.num_ties, previous);
            EXPECT_NEAR(town.track.num_ties, (town.track.track_length - 1) / 7, 1.0);
        }
        previous = town.track.num_ties;
    }
}

TEST(TrackTables, TieTableGrowsInStepsOfTwentyFive) {
    SeamTown town;
    // Search loop sizes for the tie counts on both sides of the first step.
    float scale_24 = 0, scale_25 = 0;
    lay_hilly_loop(town);
    for (float scale = 0.3f; scale < 3.0f && (scale_24 == 0 || scale_25 == 0); scale += 0.001f) {
        resize_loop(town, scale);
        if (town.track.num_ties == 24) scale_24 = scale;
        if (town.track.num_ties == 25) scale_25 = scale;
    }
    ASSERT_NE(scale_24, 0);
    ASSERT_NE(scale_25, 0);

    resize_loop(town, scale_24);
    EXPECT_EQ(town.track.tie_capacity, 25);
    resize_loop(town, scale_25);
    EXPECT_EQ(town.track.tie_capacity, 50);
    EXPECT_EQ(town.last_request, 50u * TIE_FRAME_FLOATS);
    EXPECT_EQ(town.track.realtime_ties, 0);
    ASSERT_NE(town.track.tie_data, nullptr);

    // Edits that keep the count within 25..49 keep the very same table.
    const float* table = town.track.tie_data.get();
    const int allocations = town.allocations;
    for (float scale = scale_25; scale < scale_25 + 0.3f; scale += 0.05f) {
        resize_loop(town, scale);
        ASSERT_GE(town.track.num_ties, 25);
        ASSERT_LT(town.track.num_ties, 50);
        EXPECT_EQ(town.track.tie_data.get(), table);
    }
    EXPECT_EQ(town.allocations, allocations);
}

TEST(TrackTables, FailedTieTableFallsBackToPerPassTies) {
    SeamTown town;
    town.refuse = true;
    testing::internal::CaptureStdout();
    lay_hilly_loop(town);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), TIE_TABLE_MESSAGE);
    EXPECT_EQ(town.track.realtime_ties, 1);
    EXPECT_EQ(town.track.tie_data, nullptr);
    const int capacity = town.track.tie_capacity;
    EXPECT_EQ(capacity, (town.track.num_ties + 25) / 25 * 25);

    // The same capacity is not tried again, so nothing more is printed.
    testing::internal::CaptureStdout();
    town.rebuild_track();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(town.allocations, 1);

    // A rebuild that changes the capacity tries again, and may succeed.
    town.refuse = false;
    resize_loop(town, 4.0f);
    EXPECT_NE(town.track.tie_capacity, capacity);
    EXPECT_EQ(town.track.realtime_ties, 0);
    EXPECT_NE(town.track.tie_data, nullptr);
}

TEST(TrackTables, RebuildNeedsThreePoints) {
    Town town;
    lay_track(town, {{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}});
    EXPECT_EQ(town.track.track_edited, 0);
    EXPECT_EQ(town.track.track_length, 0.0f);
    EXPECT_EQ(town.track.tie_capacity, 0);
    EXPECT_FLOAT_EQ(town.track.orient_segments[0]->dy, 0.0f);  // no orientation curve either
}

TEST(TrackTables, AnEndlessTrackStillFinishesItsRebuild) {
    // Coordinates so far apart that the lengths overflow: the tie walk's
    // step rounds to nothing and must end rather than spin.
    Town town;
    lay_track(town, {{-3e37f, 0.0f, 0.0f}, {3e37f, 1.0f, 0.0f}, {0.0f, 2.0f, 3e37f}});
    EXPECT_EQ(town.track.track_edited, 1);
    EXPECT_GE(town.track.num_ties, 0);
}

TEST(TrackTables, ATrackBeyondTheTownCannotSpoilTheTablesOrTheEnergy) {
    Town town;
    lay_hilly_loop(town);
    const float summit = town.track.max_height;
    const float energy = town.train.total_energy;
    const float length = town.track.track_length;

    // Huge but finite: the rebuild keeps the last sound track's tables.
    lay_track(town, {{3e38f, 2.5e38f, 1.5f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}});
    EXPECT_EQ(town.track.max_height, summit);
    EXPECT_EQ(town.train.total_energy, energy);
    EXPECT_EQ(town.track.track_length, length);
    for (int k = 0; k < NUM_SAMPLES; ++k) {
        ASSERT_TRUE(std::isfinite(town.track.arc_rate[k]) && std::isfinite(town.track.sample_y[k]))
            << k;
    }

    // A summit from beyond the town is not kept: the next sound track sets
    // its own, and the energy follows it.
    town.track.max_height = 1.7e38f;
    lay_hilly_loop(town);
    EXPECT_FLOAT_EQ(town.track.max_height, summit);
    EXPECT_FLOAT_EQ(town.train.total_energy, energy);
}
