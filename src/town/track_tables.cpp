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

float* Town::allocate_tie_table(std::size_t floats) {
    return static_cast<float*>(std::malloc(floats * sizeof(float)));
}

void Town::release_tie_table() { tie_data.reset(); }

void Town::rebuild_track() {
    const int n = num_points;
    if (n < 3) return;
    for (int i = 0; i < n; ++i) {
        if (!points[i] || !segments[i]) return;  // a half-built point set has no track yet
    }
    track_edited = 1;
    // A point beyond the town would give an endless length and energy: the
    // tables keep the last track that had none.
    for (int i = 0; i < n; ++i) {
        if (!within_town(points[i]->position())) return;
    }
    // The summit is only ever raised, but never kept from beyond the reach of
    // any curve in the town: such a height would hold every later energy at
    // an absurd value.
    if (!within(max_height, TOWN_CURVE_REACH)) max_height = LOWEST_HEIGHT;
    build_closed_curve(points, segments, n, bspline);

    // Sampled lengths: the local parameter sweeps each segment n times and
    // every wrap adds the chord between its ends, so a segment's length is
    // about n arcs plus chords. Tie density and the centre line's step are
    // tuned to this measure, not to the true arc length.
    track_length = 0;
    for (int i = 0; i < n; ++i) {
        segments[i]->sampled_length = sampled_segment_length(*segments[i], n, max_height);
        track_length += segments[i]->sampled_length;
    }

    total_energy = static_cast<float>(-1.0 * train_mass * gravity * max_height +
                                      train_mass * 0.5 * TOP_SPEED_SQUARED);

    for (int k = 0; k < NUM_SAMPLES; ++k) {
        const Vec3 p = track_point(static_cast<float>(k) / NUM_SAMPLES);
        sample_x[k] = p.x;
        sample_y[k] = p.y;
        sample_z[k] = p.z;
    }
    // Track length per unit of global parameter between neighbouring
    // samples (0.01 apart); the last one measures the way back to the start.
    for (int k = 0; k < NUM_SAMPLES; ++k) {
        const int next = (k + 1) % NUM_SAMPLES;
        const float dx = sample_x[next] - sample_x[k];
        const float dy = sample_y[next] - sample_y[k];
        const float dz = sample_z[next] - sample_z[k];
        arc_rate[k] = square_root(dx * dx * 10000 + dy * dy * 10000 + dz * dz * 10000);
    }

    // A track shrunk to a single spot has no length to lay ties along.
    num_ties = 0;
    if (track_length > 0) {
        for (TrackWalk walk(1 / track_length, track_length, tie_spacing); walk.running(); walk.advance()) {
            if (walk.take_tie()) ++num_ties;
        }
    }

    // The table holds room for the next multiple of 25 ties, so small edits
    // of the track do not reallocate it.
    const int capacity = (num_ties + TIE_TABLE_STEP) / TIE_TABLE_STEP * TIE_TABLE_STEP;
    if (capacity != tie_capacity) resize_tie_table(capacity);
    fill_tie_table();
}

void Town::resize_tie_table(int capacity) {
    release_tie_table();
    tie_capacity = capacity;
    tie_data.reset(allocate_tie_table(static_cast<std::size_t>(capacity) * TIE_FRAME_FLOATS));
    if (tie_data) {
        realtime_ties = 0;
        return;
    }
    realtime_ties = 1;
    std::printf("Cannot allocate tie data array!  Resorting to real-time tie vector generation!\n");
    std::fflush(stdout);
}

// The walk is the one the count above and the drawing take, so entry c - 1
// is tie c. A tie whose frame cannot be found borrows the previous tie's;
// the first tie has none to borrow and is left out, marked by a zero entry.
void Town::fill_tie_table() {
    if (realtime_ties != 0 || !tie_data || num_points < 3 || !(track_length > 0)) return;
    std::optional<TieFrame> frame;
    int index = 0;
    for (TrackWalk walk(1 / track_length, track_length, tie_spacing); walk.running() && index < tie_capacity;
         walk.advance()) {
        if (!walk.take_tie()) continue;
        const float t = walk.t();
        const Vec3 p = track_point(t);
        const std::optional<TieFrame> found = compute_tie_frame(p, track_derivative(t), orient_point_at(t));
        if (found) frame = found;
        float* entry = tie_data.get() + static_cast<std::size_t>(index) * TIE_FRAME_FLOATS;
        if (frame) {
            write_tie_frame(entry, *frame);
        } else {
            std::fill(entry, entry + TIE_FRAME_FLOATS, 0.0f);
        }
        ++index;
    }
    track_edited = 0;
    ++tie_table_fills;
}
