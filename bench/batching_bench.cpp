// Display lists against vertex arrays for the track's ties: the same boxes,
// lit and textured, sent as one list, as lists of 32 ties (what culling
// replays), as one client-side vertex array, as arrays of 32 ties, and in
// immediate mode for reference. Process CPU time, since llvmpipe shades on
// threads of its own.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "support/gl_context.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;
constexpr int TIES = 8192;
constexpr int TIES_PER_CHUNK = 32;
constexpr int CORNERS_PER_TIE = 36;  // six faces, two triangles each
constexpr int FLOATS_PER_CORNER = 8;  // s t, normal, position (GL_T2F_N3F_V3F)

// A tie's box at (x, z), half-sizes 0.4 x 0.07 x 0.1, as triangles.
void add_tie(std::vector<float>& out, float x, float z) {
    const float h[3] = {0.4f, 0.07f, 0.1f};
    for (int axis = 0; axis < 3; ++axis) {
        for (int sign = -1; sign <= 1; sign += 2) {
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            const float corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            const int order[6] = {0, 1, 2, 0, 2, 3};
            for (int k : order) {
                float p[3] = {0, 0, 0};
                float n[3] = {0, 0, 0};
                p[axis] = sign * h[axis];
                n[axis] = static_cast<float>(sign);
                p[u] = corner[k][0] * h[u];
                p[v] = corner[k][1] * h[v] * static_cast<float>(sign);
                const float c[8] = {(corner[k][0] + 1) / 2, (corner[k][1] + 1) / 2, n[0], n[1], n[2],
                                    p[0] + x, p[1], p[2] + z};
                out.insert(out.end(), c, c + 8);
            }
        }
    }
}

std::vector<float> tie_corners() {
    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(TIES) * CORNERS_PER_TIE * FLOATS_PER_CORNER);
    for (int i = 0; i < TIES; ++i) add_tie(out, static_cast<float>(i % 128) * 0.6f - 38, static_cast<float>(i / 128) * 0.9f - 29);
    return out;
}

void immediate(const std::vector<float>& c, std::size_t first, std::size_t count) {
    glBegin(GL_TRIANGLES);
    for (std::size_t i = first; i < first + count; ++i) {
        const float* p = &c[i * FLOATS_PER_CORNER];
        glTexCoord2f(p[0], p[1]);
        glNormal3f(p[2], p[3], p[4]);
        glVertex3f(p[5], p[6], p[7]);
    }
    glEnd();
}

// A lit, textured view from above of every tie.
void set_scene() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-40, 40, -30, 30, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(60, 1, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    static unsigned char texels[64 * 64 * 3];
    for (int i = 0; i < 64 * 64 * 3; ++i) texels[i] = static_cast<unsigned char>(i * 7);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glEnable(GL_TEXTURE_2D);
}

constexpr std::size_t CHUNK_CORNERS = static_cast<std::size_t>(TIES_PER_CHUNK) * CORNERS_PER_TIE;
constexpr std::size_t ALL_CORNERS = static_cast<std::size_t>(TIES) * CORNERS_PER_TIE;

// Arg: ties per list (all of them, or a chunk's worth).
void BM_TiesAsLists(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    set_scene();
    const std::vector<float> corners = tie_corners();
    const std::size_t per_list = static_cast<std::size_t>(state.range(0)) * CORNERS_PER_TIE;
    std::vector<GLuint> lists;
    for (std::size_t first = 0; first < ALL_CORNERS; first += per_list) {
        lists.push_back(glGenLists(1));
        glNewList(lists.back(), GL_COMPILE);
        immediate(corners, first, per_list);
        glEndList();
    }
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (GLuint list : lists) glCallList(list);
        glFinish();
    }
    for (GLuint list : lists) glDeleteLists(list, 1);
}
BENCHMARK(BM_TiesAsLists)->Arg(TIES)->Arg(TIES_PER_CHUNK)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Arg: ties per draw call.
void BM_TiesAsArrays(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    set_scene();
    const std::vector<float> corners = tie_corners();
    const std::size_t per_draw = static_cast<std::size_t>(state.range(0)) * CORNERS_PER_TIE;
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, corners.data());
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (std::size_t first = 0; first < ALL_CORNERS; first += per_draw)
            glDrawArrays(GL_TRIANGLES, static_cast<GLint>(first), static_cast<GLsizei>(per_draw));
        glFinish();
    }
}
BENCHMARK(BM_TiesAsArrays)->Arg(TIES)->Arg(TIES_PER_CHUNK)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_TiesImmediate(benchmark::State& state) {
    OffscreenContext context(WIDTH, HEIGHT);
    set_scene();
    const std::vector<float> corners = tie_corners();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (std::size_t first = 0; first < ALL_CORNERS; first += CHUNK_CORNERS) immediate(corners, first, CHUNK_CORNERS);
        glFinish();
    }
}
BENCHMARK(BM_TiesImmediate)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
