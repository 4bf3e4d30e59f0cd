// A town drawn with its track chunks and objects culled and drawn whole
// gives the same pixels, in views whose edges cut ties, rails, posts, a tree
// and their shadows, and in one that sees the shadow of track above it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "draw_cache.h"
#include "scene_file.h"
#include "scene_text.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

constexpr int W = 320, H = 240;

// A hilly loop of radius 18 round the origin (heights 3.4 to 8.6), 1
// between ties, a house and a tree by the track.
std::string loop_town() {
    std::string text;
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * M_PI * i / 12, x = 18 * std::cos(a), z = 18 * std::sin(a), y = 6 + 3 * std::sin(2 * a);
        text += "point " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + " " +
                std::to_string(x) + " " + std::to_string(y + 4) + " " + std::to_string(z) + "\n";
    }
    return text + "object 3 14 0 14 1 4.5\nobject 0 20 0 -6 1.2 4.5\nlight 0 6 0\nbspline 1\ntrain_speed 3\n"
                  "show_ties 1\nshow_points 0\nlighting 1\ntie_spacing 1\npost_interval 1\nphysics 1\n"
                  "total_energy 28117\nspare_scalar 0\nfollow_distance 15\ngravity -20.8\n";
}

class CullingGl : public ::testing::Test {
protected:
    void SetUp() override {
        const SceneTextParse parsed = scene_from_text(loop_town());
        ASSERT_TRUE(parsed.ok) << parsed.reason;
        install_scene(town, parsed.scene);
        town.train.train_running = 0;
        town.sky.time_of_day = 0.4f;  // mid-morning: every piece throws a shadow
        town.editor.camera_mode = CAMERA_FREE;
    }

    // Culled and whole, the town seen from eye toward target draws the same
    // pixels; keeps how many chunks the culled drawing replayed in each pass.
    void expect_same_picture(Vec3 eye, Vec3 target, const char* view, Vec3 up = {0, 1, 0}) {
        town.editor.camera = std::make_unique<Camera>(eye, target, up);
        std::vector<unsigned char> whole;
        for (const bool culling : {false, true}) {
            draw_caches(drawing)->culling = culling;
            // Twice, as the program draws: the lights follow the last frame's camera.
            for (int frame = 0; frame < 2; ++frame) render_frame(town, town.editor, drawing, W, H);
            glFinish();
            if (!culling) whole = context.pixels();
        }
        EXPECT_TRUE(whole == context.pixels()) << view << ": culling changed the picture";
        lit_shown = draw_caches(drawing)->track[0].replayed();
        shadows_shown = draw_caches(drawing)->track[1].replayed();
    }

    OffscreenContext context{W, H};
    EditedTown town;
    DrawState drawing;
    std::size_t lit_shown = 0, shadows_shown = 0;
};

TEST_F(CullingGl, ViewsWhoseEdgesCutTheTrackDrawWhatTheWholeTrackDraws) {
    // From above the middle, looking out: each view's sides cross the loop,
    // its ties and their shadows, and the house is behind the third.
    const Vec3 middle{0, 25, 0};
    expect_same_picture(middle, {18, 4, 0}, "east");
    EXPECT_LT(lit_shown, draw_caches(drawing)->track[0].chunks()) << "the view should leave chunks out";
    expect_same_picture(middle, {-13, 6, -13}, "north-west");
    EXPECT_TRUE(draw_caches(drawing)->objects[0][0].left_out()) << "the house behind the view should be left out";
    // Low along the track, the near ties run out of the bottom and the side;
    // beside the tree, its crown is cut by the side, its shadow by the bottom.
    expect_same_picture({22, 2, -14}, {14, 5, 6}, "along the track");
    expect_same_picture({23, 2.5f, -1}, {25, 2, -6}, "the tree at the side");
    // Near the ground under the high stretch: only posts reach into the picture.
    expect_same_picture({21.2f, 1, 21.2f}, {12.7f, 0, 12.7f}, "the posts under the high stretch");
}

TEST_F(CullingGl, AShadowInViewWhoseTrackIsNotIsDrawn) {
    town.track.post_interval = 50;  // nothing reaches down from the track into the view
    // The same view under the high stretch: the track passes above the
    // picture, its shadow lies in it.
    expect_same_picture({21.2f, 1, 21.2f}, {12.7f, 0, 12.7f}, "under the high stretch");
    EXPECT_GT(shadows_shown, lit_shown) << "a shadow should be drawn whose track is not";
}

// From 10 over the origin (the ground within x 5.5, z 4.1), by day and night: a car cut by the east edge,
// one past it, one beyond whose beam reaches in, one in the middle. Then so low over the middle one that its
// body is nearer than the near plane, its shadow (by day) beyond it.
TEST_F(CullingGl, CarsAtTheEdgeTheirBeamsAndShadowsDrawWhatAllCarsDraw) {
    const float cars[4][4] = {{5.75f, 0, 1, 0}, {6.5f, -2, 0, 1}, {7.5f, 1, -1, 0}, {2, 2, 1, 0}};  // x z heading
    const float colour[3] = {0.9f, 0.2f, 0.1f};
    for (auto& car : town.traffic.cars) car.reset();
    for (int i = 0; i < 4; ++i) {
        const float* c = cars[i];
        town.traffic.cars[i] = std::make_unique<Car>(c[0], c[1], c[2], c[3], -c[3], c[2], 0.1f, i % 3, colour, 4);
    }
    town.traffic.num_cars = 4;
    town.train.train_running = 1;
    town.train.train_pos = {0, 6, 18};  // the locomotive far from the cars
    const int* left_out = draw_caches(drawing)->cars_left_out;
    for (const float t : {0.4f, 0.9f}) {
        town.sky.time_of_day = t;
        draw_caches(drawing)->cars_left_out[1] = -1;  // stays so unless a shadow pass runs
        expect_same_picture({0, 10, 0}, {0, 0, 0}, t < 0.5f ? "cars by day" : "cars and beams at night", {0, 0, -1});
        EXPECT_EQ(left_out[0], 2) << "the cars past the edge should be left out";
        EXPECT_EQ(left_out[1], t < 0.5f ? 2 : -1) << "by day their shadows too; at night no shadow pass runs";
    }
    town.sky.time_of_day = 0.4f;  // the night throws no shadow
    expect_same_picture({2, 1.04f, 2}, {2, 0, 2}, "over the middle car", {0, 0, -1});
    EXPECT_TRUE(left_out[0] == 4 && left_out[1] == 3) << "the middle car's shadow should be drawn, not the car";
}

}  // namespace
