// The world drawn before the ground and the sky leaves the same picture as
// the world drawn over them: where the cars stand on the road, and along the
// seams where a street's side runs past two blocks and two ground quads
// cover a pixel at one depth.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

TEST(DrawOrderGl, TheWorldBeforeTheGroundDrawsTheWorldOverTheGround) {
    constexpr int W = 320, H = 240;
    OffscreenContext context(W, H);
    EditedTown town;
    DrawState drawing;
    town.sky.lighting = 0;
    town.sky.time_of_day = 0.45f;
    town.editor.camera_mode = CAMERA_FREE;
    const auto picture = [&](bool world_last) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glViewport(0, 0, W, H);
        set_projection(town.editor, W, H);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        drawing.sky_center = set_camera(town, town.editor);
        if (world_last) {
            draw_background(town, drawing);
            draw_world(town, town.editor, drawing, 0);
        } else {
            draw_world_and_background(town, town.editor, drawing);
        }
        glFinish();
        return context.pixels();
    };
    // Low over the blocks, looking past a street's side where it meets the
    // blocks' edges, each with such a seam pixel; from above, the cars.
    const Vec3 views[][2] = {
        {{-7, 0.6f, -9}, {-23.9619999f, 0, -19.5967236f}},
        {{-6, 0.6f, 15}, {12.7904968f, 0, 8.15038681f}},
        {{-6, 9, 6}, {0, 0, 0}},
    };
    for (const auto& view : views) {
        town.editor.camera = std::make_unique<Camera>(view[0], view[1], Vec3{0, 1, 0});
        const std::vector<unsigned char> world_last = picture(true);
        EXPECT_TRUE(world_last == picture(false)) << "from " << view[0].x << " " << view[0].z;
    }
}
