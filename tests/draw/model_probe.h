// Probes for the town-object models: what a model draws, read back in world
// coordinates through feedback mode, and cameras for looking at it in pixels.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "town_models.h"
#include "draw/world_view.h"
#include "support/gl_context.h"
#include "vec3.h"

// One corner as the model drew it: world position, colour and texture coordinates.
struct WorldCorner {
    Vec3 p;
    float r, g, b, a;
    float s, t;
};
using WorldPolygon = std::vector<WorldCorner>;

// The orthographic box in which window coordinates are world coordinates
// shifted by WORLD_HALF; the context must be 2 * WORLD_HALF pixels square.
constexpr int WORLD_HALF = 50;

// Where a capture looks from: down the -z axis (from the south), straight
// down, or straight up.
enum class LookFrom { South, Above, Below };

// Draws under an orthographic projection that keeps world units and returns
// every polygon in world coordinates. With cull set, back faces (as seen from
// the chosen side) are left out, as the town view leaves them out. Lighting
// is off unless the caller's draw turns it on.
inline std::vector<WorldPolygon> capture_world(const std::function<void()>& draw,
                                               LookFrom from = LookFrom::South, bool cull = false) {
    glViewport(0, 0, 2 * WORLD_HALF, 2 * WORLD_HALF);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-WORLD_HALF, WORLD_HALF, -WORLD_HALF, WORLD_HALF, -WORLD_HALF, WORLD_HALF);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (from == LookFrom::Above) glRotatef(90, 1, 0, 0);   // eye (x, -z, y)
    if (from == LookFrom::Below) glRotatef(-90, 1, 0, 0);  // eye (x, z, -y)
    glDisable(GL_LIGHTING);
    if (cull) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    std::vector<WorldPolygon> out;
    for (const FeedbackPrimitive& prim : capture_feedback(draw)) {
        if (prim.kind != FeedbackPrimitive::Polygon) continue;
        WorldPolygon poly;
        for (const FeedbackVertex& v : prim.vertices) {
            // Window depth 0..1 is eye z from +WORLD_HALF to -WORLD_HALF.
            const Vec3 e{v.x - WORLD_HALF, v.y - WORLD_HALF, WORLD_HALF * (1 - 2 * v.z)};
            Vec3 p = e;
            if (from == LookFrom::Above) p = {e.x, e.z, -e.y};
            if (from == LookFrom::Below) p = {e.x, -e.z, e.y};
            poly.push_back({p, v.r, v.g, v.b, v.a, v.s, v.t});
        }
        out.push_back(poly);
    }
    glDisable(GL_CULL_FACE);
    glLoadIdentity();
    return out;
}

// Every corner of a capture in one list.
inline std::vector<WorldCorner> all_corners(const std::vector<WorldPolygon>& polys) {
    std::vector<WorldCorner> out;
    for (const WorldPolygon& poly : polys) out.insert(out.end(), poly.begin(), poly.end());
    return out;
}

inline Bounds bounds_of(const std::vector<WorldCorner>& corners) {
    Bounds b;
    for (const WorldCorner& c : corners) b.add(c.p);
    return b;
}

inline Bounds bounds_of(const std::vector<WorldPolygon>& polys) { return bounds_of(all_corners(polys)); }

inline bool all_corners_match(const WorldPolygon& poly, const std::function<bool(const WorldCorner&)>& pred) {
    return std::all_of(poly.begin(), poly.end(), pred);
}

inline bool colour_is(const WorldCorner& c, float r, float g, float b, float tol = 0.01f) {
    return std::fabs(c.r - r) < tol && std::fabs(c.g - g) < tol && std::fabs(c.b - b) < tol;
}

// A perspective camera at eye looking at target, with back faces culled and
// depth tested as in the town view; the buffer is cleared to clear_colour.
inline void look(const OffscreenContext& gl, Vec3 eye, Vec3 target, Vec3 up = {0, 1, 0}) {
    glViewport(0, 0, gl.width(), gl.height());
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, static_cast<double>(gl.width()) / gl.height(), 0.05, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
}

// True while the pixel still shows the blue the camera cleared to.
inline bool shows_background(const OffscreenContext& gl, int x, int y) {
    const Rgba p = gl.pixel(x, y);
    return p.r == 0 && p.g == 0 && p.b == 255;
}

inline bool shows_background_at_centre(const OffscreenContext& gl) {
    return shows_background(gl, gl.width() / 2, gl.height() / 2);
}

// A normal-pass context for a model, selected or not.
inline ModelContext normal_pass(bool selected = false, float time_of_day = 0.5f) {
    ModelContext ctx;
    ctx.pass = 0;
    ctx.selected = selected;
    ctx.time_of_day = time_of_day;
    return ctx;
}

inline ModelContext shadow_pass() {
    ModelContext ctx;
    ctx.pass = 1;
    return ctx;
}
