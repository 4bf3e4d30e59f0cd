// Picking through the frame's own camera: each marker and object is found at
// the pixel it is drawn on, nearest first, and nothing where nothing is.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "models/pick.h"
#include "render/draw.h"
#include "support/gl_context.h"
#include "track/track_fixture.h"

namespace {

using Hit = std::pair<PickHit::Kind, int>;
constexpr int W = 320, H = 240;

struct PickScene {
    OffscreenContext context{W, H};
    Town town{nullptr};

    // The free camera as built looks from (0, 10, 10) down at the town centre.
    PickScene() {
        lay_track(town, {{-4, 1, 2}, {4, 1, 3}, {3, 1, -2}}, 2);
        // Tree, stop sign facing the eye, tall building 1, a shrub behind it, house.
        const float objects[][3] = {{0, 5, 0}, {8, -2, 5}, {1, 0, -6}, {5, 0, -12}, {3, -6, -1}};
        for (const auto& o : objects) {
            town.objects[town.object_count] = std::make_unique<ControlPoint>(o[1], 0, o[2], 1, 4.5f, 1, 0, 0, 0, 0);
            town.object_type[town.object_count++] = static_cast<int>(o[0]);
        }
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);  // as the frame leaves it
    }

    // What a pick finds at the pixel that world point p is drawn on.
    Hit over(Vec3 p) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        set_projection(town, W, H);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        set_camera(town);
        GLdouble model[16], projection[16], x = 0, y = 0, z = 0;
        const GLint viewport[4] = {0, 0, W, H};
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
        const PickHit hit = pick_at(town, W, H, static_cast<int>(x), static_cast<int>(H - y));
        return {hit.kind, hit.index};
    }
};

TEST(PickGl, FindsEachMarkerAndObjectWhereItIsDrawn) {
    PickScene s;
    EXPECT_EQ(s.over({-4, 1, 2}), Hit(PickHit::ControlPoint, 0));
    EXPECT_EQ(s.over({3, 1, -2}), Hit(PickHit::ControlPoint, 2));
    EXPECT_EQ(s.over({4, 3, 3}), Hit(PickHit::OrientPoint, 1));
    EXPECT_EQ(s.over({5, 3.5f, 0}), Hit(PickHit::Object, 0)) << "tree";
    EXPECT_EQ(s.over({-2, 0.8f, 5.1f}), Hit(PickHit::Object, 1)) << "stop sign";
    EXPECT_EQ(s.over({0, 4, -1.45f}), Hit(PickHit::Object, 2)) << "building";
    EXPECT_EQ(s.over({-6, 0.5f, -1}), Hit(PickHit::Object, 4)) << "house";
    EXPECT_EQ(s.over({8, 0, 7}), Hit(PickHit::Nothing, -1)) << "bare ground";
}

TEST(PickGl, WhatIsHiddenIsNotPicked) {
    PickScene s;
    EXPECT_EQ(s.over({0, 0.1f, -12}), Hit(PickHit::Object, 2)) << "the shrub behind the building";
    s.town.show_points = 0;  // key '2'
    EXPECT_EQ(s.over({-4, 1, 2}), Hit(PickHit::Nothing, -1));
    EXPECT_EQ(s.over({4, 3, 3}), Hit(PickHit::Nothing, -1));
}

}  // namespace
