// What the hand cursor costs: one pick under the pointer against one frame,
// both of the shipped town ("town" in the working directory) at 800 x 600,
// with the train running so the cars and the locomotive are drawn too.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "pick.h"
#include "draw.h"
#include "support/gl_context.h"
#include "editor.h"
#include "scene_file_commands.h"
#include "town.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

void running_town(Town& town, const Editor& editor, DrawState& drawing) {
    if (town.track.num_points > 2) town.train.train_running = 1;
    render_frame(town, editor, drawing, WIDTH, HEIGHT);  // loads the textures
}

void BM_Frame(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town;
    Editor editor;
    start_town(town, editor, "town");
    DrawState drawing;
    running_town(town, editor, drawing);
    for (auto _ : state) {
        render_frame(town, editor, drawing, WIDTH, HEIGHT);
        glFinish();
    }
    state.counters["objects"] = town.town_objects.object_count;
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);

void BM_PickAtCentre(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town;
    Editor editor;
    start_town(town, editor, "town");
    DrawState drawing;
    running_town(town, editor, drawing);
    for (auto _ : state) benchmark::DoNotOptimize(pick_at(town, editor, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2));
}
BENCHMARK(BM_PickAtCentre)->Unit(benchmark::kMillisecond);

long resident_kb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::atol(line + 6);
    }
    std::fclose(status);
    return kb;
}

// The hand cursor picks at every pointer move: whatever a pick allocates must
// not stay behind. Resident memory after 500 picks against after the first 100.
void BM_PickResidentGrowth(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town;
    Editor editor;
    start_town(town, editor, "town");
    DrawState drawing;
    running_town(town, editor, drawing);
    for (int i = 0; i < 100; ++i) pick_at(town, editor, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2);
    const long warm = resident_kb();
    for (auto _ : state) benchmark::DoNotOptimize(pick_at(town, editor, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2));
    state.counters["resident_growth_kB"] = static_cast<double>(resident_kb() - warm);
}
BENCHMARK(BM_PickResidentGrowth)->Iterations(500)->Unit(benchmark::kMillisecond);

// The fixed cost of a pick with nothing to draw: the state saved and put
// back, the few pixels cleared and read.
void BM_PickEmptyTown(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    Town town;
    Editor editor;
    DrawState drawing;
    for (auto _ : state) benchmark::DoNotOptimize(pick_at(town, editor, WIDTH, HEIGHT, WIDTH / 2, HEIGHT / 2));
}
BENCHMARK(BM_PickEmptyTown)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
