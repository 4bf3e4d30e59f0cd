// The displays over the picture in a real OpenGL context: with all of them
// off the picture and the next frame are exactly as without them; each one
// draws only where it belongs; the font lights the cells its glyphs name; a
// screenshot holds the picture shown.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "render/draw.h"
#include "render/overlay_draw.h"
#include "render/tga.h"
#include "support/fake_tick.h"
#include "support/gl_context.h"
#include "support/scratch_files.h"
#include "track/track_fixture.h"
#include "view/town.h"

namespace {

constexpr int W = 320, H = 240;

class OverlayGl : public ::testing::Test {
protected:
    FakeTick tick{1000};
    OffscreenContext context{W, H};
    Town town{nullptr};

    void SetUp() override {
        lay_hilly_loop(town);
        tick.advance(START_HINT_MS);  // the start hint has gone
        // The first frame loads the textures and places the lights under no
        // camera yet; from the second on, frames repeat exactly.
        frame(false);
    }
    std::vector<unsigned char> frame(bool overlays) {
        render_frame(town, W, H);
        if (overlays) draw_overlays(town, W, H);
        glFinish();
        return read_picture(W, H);
    }
    // Pixels that differ between two pictures, inside the box x0..x1, y0..y1
    // (y from the bottom) and outside it.
    static std::pair<int, int> differences(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                                           int x0, int y0, int x1, int y1) {
        int inside = 0, outside = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const std::size_t i = (static_cast<std::size_t>(y) * W + x) * 3;
                if (a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2]) continue;
                (x >= x0 && x < x1 && y >= y0 && y < y1 ? inside : outside) += 1;
            }
        }
        return {inside, outside};
    }
};

}  // namespace

TEST_F(OverlayGl, AllOffChangesNothingAndAnOverlayLeavesTheNextFrameAlone) {
    const std::vector<unsigned char> plain = frame(false);
    ASSERT_EQ(frame(false), plain);
    EXPECT_EQ(frame(true), plain) << "no display shown, yet the picture changed";

    town.overlays.show_help = town.overlays.show_hud = town.overlays.show_profile = 1;
    EXPECT_NE(frame(true), plain);
    town.overlays.show_help = town.overlays.show_hud = town.overlays.show_profile = 0;
    // The lights of a frame are placed under the matrix the last one left.
    EXPECT_EQ(frame(false), plain) << "the overlay left its matrices or state behind";
}

TEST_F(OverlayGl, EachDisplayDrawsWhereItBelongs) {
    const std::vector<unsigned char> plain = frame(false);

    town.overlays.show_hud = 1;
    auto [inside, outside] = differences(plain, frame(true), 0, H / 2, W, H);
    EXPECT_GT(inside, 1000) << "the HUD at the top left";
    EXPECT_EQ(outside, 0);
    town.overlays.show_hud = 0;

    town.overlays.show_profile = 1;
    std::tie(inside, outside) = differences(plain, frame(true), 0, 0, W, H / 4);
    EXPECT_GT(inside, 1000) << "the profile across the bottom";
    EXPECT_EQ(outside, 0);
    town.overlays.show_profile = 0;

    tick.set(1000);  // just started: the hint at the bottom centre
    std::tie(inside, outside) = differences(plain, frame(true), W / 8, 0, W * 7 / 8, H / 4);
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);
}

TEST_F(OverlayGl, TextLightsTheCellsOfItsGlyphs) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, W, 0, H, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glColor3f(1, 1, 1);
    // "-" lights its fourth row from the top: five cells, here 2 x 2 pixels each.
    draw_text_gl("-", 10, 20, 2);
    glFinish();
    for (int x = 8; x < 22; ++x) {
        for (int y = 18; y < 36; ++y) {
            const bool lit = x >= 10 && x < 20 && y >= 26 && y < 28;
            EXPECT_EQ(context.pixel(x, y).r, lit ? 255 : 0) << x << ", " << y;
        }
    }
}

TEST_F(OverlayGl, ScreenshotHoldsThePictureShown) {
    ScratchDir dir;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);

    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    town.overlays.screenshot_wanted = 1;
    testing::internal::CaptureStdout();
    save_wanted_screenshot(town, W, H);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(town.overlays.screenshot_wanted, 0);

    const std::string prefix = "screenshot saved: ";
    ASSERT_EQ(said.rfind(prefix, 0), 0u) << said;
    const std::string name = said.substr(prefix.size(), said.size() - prefix.size() - 1);
    int w = 0, h = 0;
    unsigned char* pixels = read_tga(name.c_str(), &w, &h, TGA_RGB);
    EXPECT_EQ(chdir(here), 0);
    ASSERT_NE(pixels, nullptr) << name;
    EXPECT_EQ(w, W);
    EXPECT_EQ(h, H);
    const Rgba shown = context.pixel(W - 1, H - 1);
    const unsigned char* last = pixels + (static_cast<std::size_t>(H) * W - 1) * 3;
    EXPECT_EQ(last[0], shown.r);
    EXPECT_EQ(last[1], shown.g);
    EXPECT_EQ(last[2], shown.b);
    EXPECT_NEAR(last[2], 153, 1);
    std::free(pixels);
}
