// How long the world pass takes to draw the track on ties, reading the tie
// frames from the table or computing them, and how long both passes of a
// frame's world take with the train, the cars and the track.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "world_blocks.h"
#include "draw.h"
#include "support/gl_context.h"
#include "town/track_fixture.h"
#include "editor.h"
#include "town.h"

namespace {

void lay_wavy_loop(Town& town, int n) { lay_track(town, wavy_loop(n, 24.0f, 20.0f, 5.0f, 3.0f)); }

// A small picture, so the count is the pass's own work more than filling pixels.
void look_at_town() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-40, 40, -30, 30, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(40, 1, 0, 0);
    glEnable(GL_DEPTH_TEST);
}

// Arg 0: the tie frames come from the table; arg 1: computed in every pass.
void BM_TrackOnTies(benchmark::State& state) {
    OffscreenContext context(64, 48);
    look_at_town();
    Town town;
    DrawState drawing;
    lay_wavy_loop(town, 23);
    town.track.show_ties = 1;
    draw_track(town, drawing, 0);  // fills the table and loads the texture
    town.track.realtime_ties = static_cast<int>(state.range(0));
    for (auto _ : state) {
        draw_track(town, drawing, 0);
        glFinish();
    }
    state.counters["ties"] = town.track.num_ties;
}
BENCHMARK(BM_TrackOnTies)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_WorldBothPasses(benchmark::State& state) {
    OffscreenContext context(64, 48);
    look_at_town();
    Town town;
    const Editor editor;
    DrawState drawing;
    lay_wavy_loop(town, 23);
    town.track.show_ties = 1;
    town.train.train_running = 1;
    town.sky.time_of_day = 0.5f;
    town.place_train(0.2f);
    draw_world(town, editor, drawing, 0);
    for (auto _ : state) {
        draw_world(town, editor, drawing, 0);
        glPushMatrix();
        glMultMatrixd(flatten_matrix);
        draw_world(town, editor, drawing, 1);
        glPopMatrix();
        glFinish();
    }
}
BENCHMARK(BM_WorldBothPasses)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
