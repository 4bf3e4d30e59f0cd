// Picking through the frame's own camera: each marker and object is found at
// the pixel it is drawn on, nearest first, and nothing where nothing is.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>

#include "models/pick.h"
#include "render/draw.h"
#include "support/gl_context.h"
#include "track/track_fixture.h"
#include "view/town.h"

namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;

class PickGl : public ::testing::Test {
protected:
    void SetUp() override {
        // The free camera as built: from (0, 10, 10) down toward the town centre.
        lay_track(town, {{-4, 1, 2}, {4, 1, 3}, {3, 1, -2}}, 2);
        add_object(0, 5, 0);     // tree
        add_object(8, -2, 5);    // stop sign facing the camera
        add_object(1, 0, -6);    // tall building 1
        add_object(5, 0, -12);   // shrub behind it
        add_object(3, -6, -1);   // house
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);  // as the frame leaves it
    }

    void add_object(int code, float x, float z) {
        const int i = town.object_count++;
        town.objects[i] = std::make_unique<ControlPoint>(x, 0.0f, z, 1.0f, 4.5f, 1.0f, 0, 0, 0, 0);
        town.object_type[i] = code;
    }

    // The pick at the pixel that world point p is drawn on.
    PickHit pick_over(Vec3 p) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        set_projection(town, WIDTH, HEIGHT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        set_camera(town);
        GLdouble model[16], projection[16];
        GLint viewport[4] = {0, 0, WIDTH, HEIGHT};
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        double x = 0, y = 0, z = 0;
        gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
        return pick_at(town, WIDTH, HEIGHT, static_cast<int>(x), static_cast<int>(HEIGHT - y));
    }

    OffscreenContext context{WIDTH, HEIGHT};
    Town town{nullptr};
};

void expect_hit(const PickHit& hit, PickHit::Kind kind, int index, const char* what) {
    EXPECT_EQ(hit.kind, kind) << what;
    EXPECT_EQ(hit.index, index) << what;
}

TEST_F(PickGl, FindsEachMarkerAndObjectWhereItIsDrawn) {
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLdouble projection_before[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection_before);

    expect_hit(pick_over({-4, 1, 2}), PickHit::ControlPoint, 0, "control point 0");
    expect_hit(pick_over({3, 1, -2}), PickHit::ControlPoint, 2, "control point 2");
    expect_hit(pick_over({4, 3, 3}), PickHit::OrientPoint, 1, "orientation point 1");
    expect_hit(pick_over({5, 3.5f, 0}), PickHit::Object, 0, "tree");
    expect_hit(pick_over({-2, 0.8f, 5.1f}), PickHit::Object, 1, "stop sign");
    expect_hit(pick_over({0, 4, -1.45f}), PickHit::Object, 2, "building");
    expect_hit(pick_over({-6, 0.5f, -1}), PickHit::Object, 4, "house");
    expect_hit(pick_over({8, 0, 7}), PickHit::Nothing, -1, "bare ground");

    // Picking draws nothing and leaves the caller's projection alone.
    const Rgba corner = context.pixel(WIDTH / 2, HEIGHT / 2);
    EXPECT_EQ(corner.r, 51);
    EXPECT_EQ(corner.b, 153);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    set_projection(town, WIDTH, HEIGHT);
    glGetDoublev(GL_PROJECTION_MATRIX, projection_before);
    pick_at(town, WIDTH, HEIGHT, 10, 10);
    GLdouble projection_after[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection_after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(projection_after[i], projection_before[i]);
}

TEST_F(PickGl, WhatIsHiddenIsNotPicked) {
    expect_hit(pick_over({0, 0.1f, -12}), PickHit::Object, 2, "the shrub behind the building");
    town.show_points = 0;  // key '2'
    expect_hit(pick_over({-4, 1, 2}), PickHit::Nothing, -1, "hidden control point");
    expect_hit(pick_over({4, 3, 3}), PickHit::Nothing, -1, "hidden orientation point");
}

}  // namespace
