// The track: its control and orientation points, the curves through them,
// the tables measured along them and the tie table. The step that keeps them
// in agreement is the town's rebuild_track (it also sets the train's energy).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>

#include "control_point.h"
#include "track_segment.h"

constexpr int MAX_POINTS = 100;
constexpr int NUM_SAMPLES = 100;
constexpr int TIE_FRAME_FLOATS = 12;

// Releases memory that came from the C allocator (the tie table).
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// The tie table's allocator; null on failure. Tests hand in one that fails.
using TieAllocator = std::function<float*(std::size_t floats)>;
float* allocate_with_malloc(std::size_t floats);

struct Track {
    Track() = default;
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;

    // ----- Point set and curves
    std::unique_ptr<ControlPoint> points[MAX_POINTS];
    std::unique_ptr<TrackSegment> segments[MAX_POINTS];
    std::unique_ptr<ControlPoint> orient_points[MAX_POINTS];
    std::unique_ptr<TrackSegment> orient_segments[MAX_POINTS];
    int num_points = 0;
    int num_orient_points = 0;
    int bspline = 1;  // 1 uniform cubic B-spline, otherwise Catmull-Rom

    // ----- Tables and how the track is shown
    int tie_spacing = 5;    // 1..500
    int post_interval = 1;  // 1..50
    int show_ties = 0;
    int show_points = 1;
    std::unique_ptr<float, FreeDeleter> tie_data;  // tie_capacity frames of 12 floats
    int tie_capacity = 0;
    int realtime_ties = 1;  // 1 while no tie table is in use
    int track_edited = 0;   // 1 from an edit until the tie table is filled anew
    unsigned tie_table_fills = 0;  // fills so far: the table's contents changed
    int num_ties = 0;
    float track_length = 0;
    float max_height = -3.402823466e38f;  // below any track height; only ever raised
    float arc_rate[NUM_SAMPLES] = {};
    float sample_x[NUM_SAMPLES] = {};
    float sample_y[NUM_SAMPLES] = {};
    float sample_z[NUM_SAMPLES] = {};

    TieAllocator allocate_tie_table = allocate_with_malloc;
};
