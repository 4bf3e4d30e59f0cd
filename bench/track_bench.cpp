// How long a track rebuild takes for small, middling and full tracks, and
// how long one train step takes on a running track.
#include <benchmark/benchmark.h>


#include "town/track_fixture.h"
#include "town.h"

namespace {

void lay_wavy_loop(Town& town, int n) { lay_track(town, wavy_loop(n, 12.0f, 9.0f, 3.0f, 2.0f)); }

void BM_RebuildTrack(benchmark::State& state) {
    Town town;
    lay_wavy_loop(town, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        town.rebuild_track();
        benchmark::DoNotOptimize(town.track.track_length);
    }
    state.counters["ties"] = town.track.num_ties;
}
BENCHMARK(BM_RebuildTrack)->Arg(4)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_TrainStep(benchmark::State& state) {
    Town town;
    lay_wavy_loop(town, 20);
    town.start_train();
    for (auto _ : state) {
        town.train_step();
        benchmark::DoNotOptimize(town.train.train_pos);
    }
}
BENCHMARK(BM_TrainStep);

}  // namespace

BENCHMARK_MAIN();
