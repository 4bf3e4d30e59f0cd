// What the hand cursor costs: one pick under the pointer against one frame,
// both of the shipped town ("town" in the working directory) at 800 x 600,
// with the train running so the cars and the locomotive are drawn too.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "pick.h"
#include "draw.h"
#include "support/gl_context.h"
#include "town.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

void running_town(Town& town) {
    if (town.num_points > 2) town.train_running = 1;
    render_frame(town, WIDTH, HEIGHT);  // loads the textures
}

void BM_Frame(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town("town");
    running_town(town);
    for (auto _ : state) {
        render_frame(town, WIDTH, HEIGHT);
        glFinish();
    }
    state.counters["objects"] = town.object_count;
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);

void BM_PickAtCentre(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town("town");
    running_town(town);
    for (auto _ : state) benchmark::DoNotOptimize(pick_at(town, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2));
}
BENCHMARK(BM_PickAtCentre)->Unit(benchmark::kMillisecond);

// The fixed cost of switching to selection mode and back, with nothing to draw.
void BM_PickEmptyTown(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town(nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(pick_at(town, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2));
}
BENCHMARK(BM_PickEmptyTown)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
