// Everything derived from the track curve at a rebuild: sampled lengths, the
// highest point, the train's energy, the 100 samples with their arc-length
// rates, the tie count and the tie table with every tie's frame.
#include <algorithm>
#include <cmath>
#include <optional>
#include <cstdio>
#include <cstdlib>

#include "curves.h"
#include "tie_frames.h"
#include "town_bounds.h"
#include "track_measure.h"
#include "track_walk.h"
#include "town.h"

namespace {

constexpr int TIE_TABLE_STEP = 25;          // the table grows and shrinks in these
constexpr float LOWEST_HEIGHT = -3.402823466e38f;  // below any track height
constexpr float TOP_SPEED_SQUARED = 16.0f;  // the train keeps speed 4 at the summit

}  // namespace

float* allocate_with_malloc(std::size_t floats) {
    return static_cast<float*>(std::malloc(floats * sizeof(float)));
}

void Town::release_tie_table() { track.tie_data.reset(); }

void Town::rebuild_track() {
    const int n = track.num_points;
    if (n < 3) return;
    for (int i = 0; i < n; ++i) {
        if (!track.points[i] || !track.segments[i])
            return;  // a half-built point set has no track yet
    }
    track.track_edited = 1;
    // A point beyond the town would give an endless length and energy: the
    // tables keep the last track that had none.
    for (int i = 0; i < n; ++i) {
        if (!within_town(track.points[i]->position())) return;
    }
    // The summit is only ever raised, but never kept from beyond the reach of
    // any curve in the town: such a height would hold every later energy at
    // an absurd value.
    if (!within(track.max_height, TOWN_CURVE_REACH)) track.max_height = LOWEST_HEIGHT;
    build_closed_curve(track.points, track.segments, n, track.bspline);

    // Sampled lengths: the local parameter sweeps each segment n times and
    // every wrap adds the chord between its ends, so a segment's length is
    // about n arcs plus chords. Tie density and the centre line's step are
    // tuned to this measure, not to the true arc length.
    track.track_length = 0;
    for (int i = 0; i < n; ++i) {
        track.segments[i]->sampled_length =
            sampled_segment_length(*track.segments[i], n, track.max_height);
        track.track_length += track.segments[i]->sampled_length;
    }

    train.total_energy =
        static_cast<float>(-1.0 * train.train_mass * train.gravity * track.max_height +
                           train.train_mass * 0.5 * TOP_SPEED_SQUARED);

    for (int k = 0; k < NUM_SAMPLES; ++k) {
        const Vec3 p = track_point(static_cast<float>(k) / NUM_SAMPLES);
        track.sample_x[k] = p.x;
        track.sample_y[k] = p.y;
        track.sample_z[k] = p.z;
    }
    // Track length per unit of global parameter between neighbouring
    // samples (0.01 apart); the last one measures the way back to the start.
    for (int k = 0; k < NUM_SAMPLES; ++k) {
        const int next = (k + 1) % NUM_SAMPLES;
        const float dx = track.sample_x[next] - track.sample_x[k];
        const float dy = track.sample_y[next] - track.sample_y[k];
        const float dz = track.sample_z[next] - track.sample_z[k];
        track.arc_rate[k] = square_root(dx * dx * 10000 + dy * dy * 10000 + dz * dz * 10000);
    }

    // A track shrunk to a single spot has no length to lay ties along.
    track.num_ties = 0;
    if (track.track_length > 0) {
        for (TrackWalk walk(1 / track.track_length, track.track_length, track.tie_spacing);
             walk.running(); walk.advance()) {
            if (walk.take_tie()) ++track.num_ties;
        }
    }

    // The table holds room for the next multiple of 25 ties, so small edits
    // of the track do not reallocate it.
    const int capacity = (track.num_ties + TIE_TABLE_STEP) / TIE_TABLE_STEP * TIE_TABLE_STEP;
    if (capacity != track.tie_capacity) resize_tie_table(capacity);
    fill_tie_table();
}

void Town::resize_tie_table(int capacity) {
    release_tie_table();
    track.tie_capacity = capacity;
    track.tie_data.reset(
        track.allocate_tie_table(static_cast<std::size_t>(capacity) * TIE_FRAME_FLOATS));
    if (track.tie_data) {
        track.realtime_ties = 0;
        return;
    }
    track.realtime_ties = 1;
    std::printf("Cannot allocate tie data array!  Resorting to real-time tie vector generation!\n");
    std::fflush(stdout);
}

// The walk is the one the count above and the drawing take, so entry c - 1
// is tie c. A tie whose frame cannot be found borrows the previous tie's;
// the first tie has none to borrow and is left out, marked by a zero entry.
void Town::fill_tie_table() {
    if (track.realtime_ties != 0 || !track.tie_data || track.num_points < 3 ||
        !(track.track_length > 0))
        return;
    std::optional<TieFrame> frame;
    int index = 0;
    for (TrackWalk walk(1 / track.track_length, track.track_length, track.tie_spacing);
         walk.running() && index < track.tie_capacity; walk.advance()) {
        if (!walk.take_tie()) continue;
        const float t = walk.t();
        const Vec3 p = track_point(t);
        const std::optional<TieFrame> found = compute_tie_frame(p, track_derivative(t), orient_point_at(t));
        if (found) frame = found;
        float* entry = track.tie_data.get() + static_cast<std::size_t>(index) * TIE_FRAME_FLOATS;
        if (frame) {
            write_tie_frame(entry, *frame);
        } else {
            std::fill(entry, entry + TIE_FRAME_FLOATS, 0.0f);
        }
        ++index;
    }
    track.track_edited = 0;
    ++track.tie_table_fills;
}
