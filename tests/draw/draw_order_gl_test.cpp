// The world drawn before the ground and the sky leaves the same picture as
// the world drawn over them: where the cars stand on the road, and along the
// seams where a street's side runs past two blocks and the ground's quads
// both cover a pixel at one depth.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "support/gl_context.h"
#include "town.h"

namespace {

constexpr int W = 320, H = 240;

std::vector<unsigned char> picture(Town& town, bool world_last) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, W, H);
    set_projection(town, W, H);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    town.sky_center = set_camera(town);
    if (world_last) {
        draw_background(town);
        draw_world(town, 0);
    } else {
        draw_world_and_background(town);
    }
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(W) * H * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

}  // namespace

TEST(DrawOrderGl, TheWorldBeforeTheGroundDrawsTheWorldOverTheGround) {
    OffscreenContext context(W, H);
    Town town(nullptr);
    town.lighting = 0;
    town.time_of_day = 0.45f;
    town.camera_mode = CAMERA_FREE;
    // Low over the blocks, looking past a street's side where it meets the
    // blocks' edges: each view has a pixel that two ground quads cover at
    // one depth. From above, the cars on the crossings.
    struct View {
        Vec3 eye, target;
    };
    const View views[] = {
        {{-7, 0.6f, -9}, {-23.9619999f, 0, -19.5967236f}},
        {{-6, 0.6f, 15}, {12.7904968f, 0, 8.15038681f}},
        {{-6, 9, 6}, {0, 0, 0}},
    };
    int n = 0;
    for (const View& v : views) {
        town.camera = std::make_unique<Camera>(v.eye, v.target, Vec3{0, 1, 0});
        EXPECT_TRUE(picture(town, true) == picture(town, false)) << "view " << n;
        ++n;
    }
}
