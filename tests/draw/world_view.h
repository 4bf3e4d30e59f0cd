// A camera for the world-pass tests: an orthographic view from any side,
// and the way back from the window coordinates that feedback mode returns
// to world coordinates, so drawn geometry can be checked where it stands.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/gl_context.h"
#include "vec3.h"

class WorldView {
public:
    // Looks from eye toward centre; everything within `reach` of the centre
    // is inside the view box. Lighting, texturing and culling start off.
    void look(Vec3 eye, Vec3 centre, Vec3 up, float reach, int width, int height) {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const double aspect = static_cast<double>(width) / height;
        const double distance = length(eye - centre);
        glOrtho(-reach * aspect, reach * aspect, -reach, reach, distance - 2.0 * reach, distance + 2.0 * reach);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview_);
        glGetDoublev(GL_PROJECTION_MATRIX, projection_);
        glGetIntegerv(GL_VIEWPORT, viewport_);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
    }

    Vec3 world(const FeedbackVertex& v) const {
        double x = 0, y = 0, z = 0;
        gluUnProject(v.x, v.y, v.z, modelview_, projection_, viewport_, &x, &y, &z);
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    }

    // Window position of a world point (x, y in pixels from the bottom left).
    Vec3 window(Vec3 p) const {
        double x = 0, y = 0, z = 0;
        gluProject(p.x, p.y, p.z, modelview_, projection_, viewport_, &x, &y, &z);
        return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    }

private:
    GLdouble modelview_[16] = {};
    GLdouble projection_[16] = {};
    GLint viewport_[4] = {};
};

// Twice the signed area of a polygon in window coordinates: positive when it
// winds counter-clockwise on the screen, that is when it faces the viewer.
inline float signed_area(const FeedbackPrimitive& p) {
    float a = 0;
    const std::size_t n = p.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const FeedbackVertex& u = p.vertices[i];
        const FeedbackVertex& v = p.vertices[(i + 1) % n];
        a += u.x * v.y - v.x * u.y;
    }
    return a;
}

inline bool colour_is(const FeedbackVertex& v, float r, float g, float b, float tolerance = 0.004f) {
    return std::fabs(v.r - r) < tolerance && std::fabs(v.g - g) < tolerance && std::fabs(v.b - b) < tolerance;
}

inline std::vector<FeedbackPrimitive> of_kind(const std::vector<FeedbackPrimitive>& all,
                                              FeedbackPrimitive::Kind kind) {
    std::vector<FeedbackPrimitive> out;
    for (const FeedbackPrimitive& p : all) {
        if (p.kind == kind) out.push_back(p);
    }
    return out;
}

// The box round a set of points.
struct Bounds {
    Vec3 lo{1e9f, 1e9f, 1e9f};
    Vec3 hi{-1e9f, -1e9f, -1e9f};
    void add(Vec3 p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

// The box round everything drawn, in world coordinates.
inline Bounds world_bounds(const WorldView& view, const std::vector<FeedbackPrimitive>& prims) {
    Bounds b;
    for (const FeedbackPrimitive& p : prims) {
        for (const FeedbackVertex& v : p.vertices) b.add(view.world(v));
    }
    return b;
}

inline void expect_bounds(const Bounds& b, Vec3 lo, Vec3 hi, const std::string& what, float tolerance = 1e-3f) {
    EXPECT_NEAR(b.lo.x, lo.x, tolerance) << what << ": west";
    EXPECT_NEAR(b.hi.x, hi.x, tolerance) << what << ": east";
    EXPECT_NEAR(b.lo.y, lo.y, tolerance) << what << ": bottom";
    EXPECT_NEAR(b.hi.y, hi.y, tolerance) << what << ": top";
    EXPECT_NEAR(b.lo.z, lo.z, tolerance) << what << ": north";
    EXPECT_NEAR(b.hi.z, hi.z, tolerance) << what << ": south";
}

inline bool all_finite(const std::vector<FeedbackPrimitive>& all) {
    for (const FeedbackPrimitive& p : all) {
        for (const FeedbackVertex& v : p.vertices) {
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
        }
    }
    return true;
}

// What a closed surface drawn by draw looks like from one direction, with
// culling off: the area of the triangles that face the viewer and of those
// that face away, and their area-weighted mean depths.
struct Sides {
    float front_area = 0, back_area = 0;
    float front_depth = 0, back_depth = 0;
};

inline Sides sides_seen(const std::vector<FeedbackPrimitive>& prims) {
    Sides s;
    for (const FeedbackPrimitive& p : prims) {
        if (p.kind != FeedbackPrimitive::Polygon) continue;
        const float a = signed_area(p);
        float depth = 0;
        for (const FeedbackVertex& v : p.vertices) depth += v.z;
        depth /= static_cast<float>(p.vertices.size());
        if (a > 0) {
            s.front_area += a;
            s.front_depth += a * depth;
        } else {
            s.back_area -= a;
            s.back_depth -= a * depth;
        }
    }
    if (s.front_area > 0) s.front_depth /= s.front_area;
    if (s.back_area > 0) s.back_depth /= s.back_area;
    return s;
}

// Directions to look from: the six axes and two slants that see no face
// edge-on.
inline std::vector<Vec3> test_directions() {
    return {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {0.6f, 0.7f, -0.4f},
            {-0.3f, -0.5f, 0.8f}};
}

inline Vec3 up_for(Vec3 dir) { return std::fabs(dir.y) > 0.9f ? Vec3{0, 0, -1} : Vec3{0, 1, 0}; }

// A closed body wound outward, seen from every test direction with culling
// off: the faces turned toward the viewer cover as much as those turned
// away, and lie in front of them. draw returns what one body drew.
inline void expect_wound_outward(WorldView& view, Vec3 centre, float reach, int width, int height,
                                 const std::function<std::vector<FeedbackPrimitive>()>& draw,
                                 const std::string& what) {
    for (const Vec3 dir : test_directions()) {
        view.look(centre + 5 * reach * dir, centre, up_for(dir), reach, width, height);
        const Sides s = sides_seen(draw());
        const std::string from = what + " seen from " + std::to_string(dir.x) + ", " + std::to_string(dir.y) +
                                 ", " + std::to_string(dir.z);
        EXPECT_NEAR(s.front_area, s.back_area, 0.002f * (s.front_area + s.back_area) + 0.5f) << from;
        EXPECT_LT(s.front_depth, s.back_depth) << from;
    }
}
