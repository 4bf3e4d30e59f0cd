// How long one traffic step of the twenty cars takes, in a town whose cars
// are spread over the grid and crossing, as they are a while after start.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "town.h"

namespace {

void BM_TrafficStep(benchmark::State& state) {
    Town town;
    std::srand(1);
    // Let the starting queues spread out over the streets first.
    for (int k = 0; k < 2000; ++k) traffic_step(town.traffic);
    for (auto _ : state) {
        traffic_step(town.traffic);
        benchmark::DoNotOptimize(town.traffic.cars[0]->x);
    }
}
BENCHMARK(BM_TrafficStep);

}  // namespace

BENCHMARK_MAIN();
