// How long a track rebuild takes for small, middling and full tracks, and
// how long one train step takes on a running track.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "view/town.h"

namespace {

// A wavy loop of n points round the town centre, rising and falling like a
// hand-built coaster, each orientation point 4 units above its control point.
void lay_wavy_loop(Town& town, int n) {
    for (int i = 0; i < n; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(n);
        const float x = 12.0f * std::cos(a);
        const float y = 3.0f + 2.0f * std::sin(3.0f * a);
        const float z = 9.0f * std::sin(a);
        town.points[i] = std::make_unique<ControlPoint>(x, y, z, 1.0f, 1.0f, 1.0f, 255, 0, 0, 0);
        town.orient_points[i] = std::make_unique<ControlPoint>(x, y + 4.0f, z, 1.0f, 1.0f, 1.0f, 0, 0, 255, 0);
        town.segments[i] = std::make_unique<TrackSegment>();
        town.orient_segments[i] = std::make_unique<TrackSegment>();
    }
    town.num_points = n;
    town.num_orient_points = n;
    town.rebuild_track();
    town.rebuild_orientation();
}

void BM_RebuildTrack(benchmark::State& state) {
    Town town(nullptr);
    lay_wavy_loop(town, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        town.rebuild_track();
        benchmark::DoNotOptimize(town.track_length);
    }
    state.counters["ties"] = town.num_ties;
}
BENCHMARK(BM_RebuildTrack)->Arg(4)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_TrainStep(benchmark::State& state) {
    Town town(nullptr);
    lay_wavy_loop(town, 20);
    town.start_train();
    for (auto _ : state) {
        town.train_step();
        benchmark::DoNotOptimize(town.train_pos);
    }
}
BENCHMARK(BM_TrainStep);

}  // namespace

BENCHMARK_MAIN();
