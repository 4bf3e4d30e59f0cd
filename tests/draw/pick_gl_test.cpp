// Picking through the frame's own camera: each marker and object is found at
// the pixel it is drawn on, nearest first, and nothing where nothing is.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "edit/edited_town.h"
#include "pick.h"
#include "draw.h"
#include "support/gl_context.h"
#include "town/track_fixture.h"

namespace {

using Hit = std::pair<PickHit::Kind, int>;
constexpr int W = 320, H = 240;

// What a pick finds at the pixel that world point p is drawn on.
Hit pick_over(EditedTown& town, Vec3 p) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    set_projection(town.editor, W, H);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    set_camera(town, town.editor);
    GLdouble model[16], projection[16], x = 0, y = 0, z = 0;
    const GLint viewport[4] = {0, 0, W, H};
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
    const PickHit hit = pick_at(town, town.editor, W, H, static_cast<int>(x), static_cast<int>(H - y));
    return {hit.kind, hit.index};
}

// Three points, and a tree, a stop sign facing the eye, a tall building 1
// and a shrub behind it.
void build_small_town(Town& town) {
    lay_track(town, {{-4, 1, 2}, {4, 1, 3}, {3, 1, -2}}, 2);
    const float objects[][3] = {{0, 5, 0}, {8, -2, 5}, {1, 0, -6}, {5, 0, -12}};
    for (const auto& o : objects) {
        town.town_objects.objects[town.town_objects.object_count] =
            std::make_unique<ControlPoint>(o[1], 0, o[2], 1, 4.5f, 1, 0, 0, 0, 0);
        town.town_objects.object_type[town.town_objects.object_count++] = static_cast<int>(o[0]);
    }
}

std::vector<int> picture(const OffscreenContext& context) {
    glFinish();
    std::vector<int> pixels;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const Rgba p = context.pixel(x, y);
            pixels.push_back(p.r << 16 | p.g << 8 | p.b);
        }
    }
    return pixels;
}

}  // namespace

TEST(PickGl, FindsWhatIsDrawnNearestUnderThePixel) {
    OffscreenContext context(W, H);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);  // as the frame leaves it
    EditedTown town;      // its free camera looks from (0, 10, 10) down at the centre
    DrawState drawing;
    build_small_town(town);

    EXPECT_EQ(pick_over(town, {-4, 1, 2}), Hit(PickHit::ControlPoint, 0));
    EXPECT_EQ(pick_over(town, {4, 3, 3}), Hit(PickHit::OrientPoint, 1));
    EXPECT_EQ(pick_over(town, {5, 3.5f, 0}), Hit(PickHit::Object, 0)) << "tree";
    EXPECT_EQ(pick_over(town, {-2, 0.8f, 5.1f}), Hit(PickHit::Object, 1)) << "stop sign";
    EXPECT_EQ(pick_over(town, {0, 4, -1.45f}), Hit(PickHit::Object, 2)) << "building";
    EXPECT_EQ(pick_over(town, {8, 0, 7}), Hit(PickHit::Nothing, -1)) << "bare ground";
    EXPECT_EQ(pick_over(town, {0, 0.1f, -12}), Hit(PickHit::Object, 2)) << "the shrub behind the building";

    town.track.show_points = 0;  // key '2'
    EXPECT_EQ(pick_over(town, {-4, 1, 2}), Hit(PickHit::Nothing, -1));
    EXPECT_EQ(pick_over(town, {4, 3, 3}), Hit(PickHit::Nothing, -1));
}

// The pick draws into the buffer the next frame clears; that frame must come
// out as it would have without the pick, and the pick asks for no texture.
TEST(PickGl, LeavesTheNextFrameAndTheTexturesAlone) {
    OffscreenContext context(W, H);
    EditedTown town;
    DrawState drawing;
    build_small_town(town);
    // The first frame places its lights under no camera yet, and reports the textures missing.
    render_frame(town, town.editor, drawing, W, H);
    render_frame(town, town.editor, drawing, W, H);
    const std::vector<int> unpicked = picture(context);
    render_frame(town, town.editor, drawing, W, H);
    ASSERT_EQ(picture(context), unpicked) << "two frames of a still town agree";

    town.clock.frame_clock = 321;
    testing::internal::CaptureStdout();
    EXPECT_EQ(pick_over(town, {0, 4, -1.45f}), Hit(PickHit::Object, 2));
    EXPECT_EQ(pick_over(town, {-4, 1, 2}), Hit(PickHit::ControlPoint, 0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(town.clock.frame_clock, 321) << "no texture load restarted the clock";

    render_frame(town, town.editor, drawing, W, H);
    EXPECT_EQ(picture(context), unpicked);
}
