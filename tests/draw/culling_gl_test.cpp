// Leaving out what the view cannot show never changes the picture: a town
// drawn with its track chunks and objects culled and drawn whole gives the
// same pixels, in views whose edges cut through ties, rails, posts, a tree
// and their shadows, and in one that sees the shadow of a stretch of track
// that stands above it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "draw_cache.h"
#include "scene_file.h"
#include "scene_text.h"
#include "support/gl_context.h"
#include "town.h"

namespace {

constexpr int W = 320, H = 240;

// A hilly loop of radius 18 round the origin, 1 between ties, a house and a
// tree by the track; the day at mid-morning, so every piece throws a shadow.
const char* const LOOP_TOWN = R"(point 18.000 6.000 0.000   18.000 10.000 0.000
point 15.588 8.598 9.000   15.588 12.598 9.000
point 9.000 8.598 15.588   9.000 12.598 15.588
point 0.000 6.000 18.000   0.000 10.000 18.000
point -9.000 3.402 15.588   -9.000 7.402 15.588
point -15.588 3.402 9.000   -15.588 7.402 9.000
point -18.000 6.000 0.000   -18.000 10.000 0.000
point -15.588 8.598 -9.000   -15.588 12.598 -9.000
point -9.000 8.598 -15.588   -9.000 12.598 -15.588
point -0.000 6.000 -18.000   -0.000 10.000 -18.000
point 9.000 3.402 -15.588   9.000 7.402 -15.588
point 15.588 3.402 -9.000   15.588 7.402 -9.000
object 3  14 0 14  1 4.5
object 0  20 0 -6  1.2 4.5
light 0 6 0
bspline 1
train_speed 3
show_ties 1
show_points 0
lighting 1
tie_spacing 1
post_interval 1
physics 1
total_energy 28117
spare_scalar 0
follow_distance 15
gravity -20.8
)";

class CullingGl : public ::testing::Test {
protected:
    void SetUp() override {
        const SceneTextParse parsed = scene_from_text(LOOP_TOWN);
        ASSERT_TRUE(parsed.ok) << parsed.reason;
        install_scene(town, parsed.scene);
        town.train_running = 0;
        town.time_of_day = 0.4f;
        town.camera_mode = CAMERA_FREE;
    }

    // The pixels of the town seen from eye toward target, drawn twice as
    // the program draws (the lights follow the previous frame's camera).
    std::vector<unsigned char> picture(Vec3 eye, Vec3 target, bool culling) {
        town.camera = std::make_unique<Camera>(eye, target, Vec3{0, 1, 0});
        draw_caches(town)->culling = culling;
        for (int frame = 0; frame < 2; ++frame) render_frame(town, W, H);
        glFinish();
        std::vector<unsigned char> rgb(static_cast<std::size_t>(W) * H * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    // Culled and whole, the same picture; keeps how many chunks the culled
    // drawing replayed in each pass.
    void expect_same_picture(Vec3 eye, Vec3 target, const char* view) {
        const std::vector<unsigned char> whole = picture(eye, target, false);
        const std::vector<unsigned char> culled = picture(eye, target, true);
        EXPECT_TRUE(whole == culled) << view << ": culling changed the picture";
        const DrawCaches& caches = *draw_caches(town);
        lit_shown = caches.track[0].replayed();
        shadows_shown = caches.track[1].replayed();
        chunks = caches.track[0].chunks();
    }

    OffscreenContext context{W, H};
    Town town{nullptr};
    std::size_t lit_shown = 0, shadows_shown = 0, chunks = 0;
};

TEST_F(CullingGl, ViewsWhoseEdgesCutTheTrackDrawWhatTheWholeTrackDraws) {
    // From above the middle, looking out at four stretches: each view's
    // sides cross the loop, its ties and their shadows.
    const Vec3 middle{0, 25, 0};
    expect_same_picture(middle, {18, 4, 0}, "east");
    EXPECT_LT(lit_shown, chunks) << "the view should have left chunks out";
    expect_same_picture(middle, {0, 4, 18}, "south");
    expect_same_picture(middle, {-13, 6, -13}, "north-west");
    EXPECT_TRUE(draw_caches(town)->objects[0][0].left_out()) << "the house behind the view should be left out";
    // Low beside the track, along it: the near ties run out of the picture's
    // bottom and side edges.
    expect_same_picture({22, 2, -14}, {14, 5, 6}, "along the track");
    EXPECT_LT(lit_shown, chunks);
    // Beside the tree, its crown cut by the picture's side, its shadow by
    // the bottom edge.
    expect_same_picture({23, 2.5f, -1}, {25, 2, -6}, "the tree at the side");
    // Near the ground under the high stretch: only the posts reach down
    // into the picture.
    expect_same_picture({21.2f, 1, 21.2f}, {12.7f, 0, 12.7f}, "the posts under the high stretch");
}

TEST_F(CullingGl, AShadowInViewWhoseTrackIsNotIsDrawn) {
    // No posts: nothing reaches down from the track into the view.
    town.post_interval = 50;
    // Near the ground, looking a little down at the ground under the high
    // stretch at 45 degrees (height 9): the track passes above the picture,
    // its shadow lies in it.
    expect_same_picture({21.2f, 1, 21.2f}, {12.7f, 0, 12.7f}, "under the high stretch");
    EXPECT_GT(shadows_shown, lit_shown) << "a shadow should be drawn whose track is not";
}

}  // namespace
