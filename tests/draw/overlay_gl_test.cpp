// The displays over the picture in a real OpenGL context: with all of them
// off the picture and the next frame are exactly as without them; a
// screenshot holds the picture shown.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "draw.h"
#include "overlay_draw.h"
#include "support/fake_tick.h"
#include "support/gl_context.h"
#include "support/png_read.h"
#include "support/scratch_files.h"
#include "town/track_fixture.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

constexpr int W = 320, H = 240;

class OverlayGl : public ::testing::Test {
protected:
    FakeTick tick{1000};
    OffscreenContext context{W, H};
    EditedTown town;
    DrawState drawing;

    void SetUp() override {
        lay_hilly_loop(town);
        tick.advance(START_HINT_MS);  // the start hint has gone
        // The first frame loads the textures and places the lights under no
        // camera yet; from the second on, frames repeat exactly.
        frame(false);
    }
    std::vector<unsigned char> frame(bool overlays) {
        render_frame(town, town.editor, drawing, W, H);
        if (overlays) draw_overlays(town, town.editor, W, H);
        glFinish();
        return read_picture(W, H);
    }
};

}  // namespace

TEST_F(OverlayGl, AllOffChangesNothingAndAnOverlayLeavesTheNextFrameAlone) {
    const std::vector<unsigned char> plain = frame(false);
    ASSERT_EQ(frame(false), plain);
    EXPECT_EQ(frame(true), plain) << "no display shown, yet the picture changed";

    town.editor.overlays.show_help = town.editor.overlays.show_hud = town.editor.overlays.show_profile = 1;
    EXPECT_NE(frame(true), plain);
    town.editor.overlays.show_help = town.editor.overlays.show_hud = town.editor.overlays.show_profile = 0;
    // The lights of a frame are placed under the matrix the last one left.
    EXPECT_EQ(frame(false), plain) << "the overlay left its matrices or state behind";
}

namespace {

// The rows of a picture (bottom row first) from row `from` up to, not
// including, row `to`.
std::vector<unsigned char> rows(const std::vector<unsigned char>& picture, int from, int to) {
    return {picture.begin() + from * W * 3, picture.begin() + to * W * 3};
}

}  // namespace

TEST_F(OverlayGl, TheStartNoticeStandsAboveTheHintAndGoesWithItsTime) {
    const std::vector<unsigned char> plain = frame(false);
    town.editor.overlays.start_tick = GetTickCount();  // the hint again, as at start
    const std::vector<unsigned char> hint = frame(true);
    town.editor.overlays.start_notice = {"\"autosave\" is newer than \"town\"", "F1 with the name autosave loads it"};
    const std::vector<unsigned char> both = frame(true);

    // The hint's panel stands 10 pixels up and is 2 x 10 + 12 pixels high.
    const int hint_top = 10 + 32;
    EXPECT_EQ(rows(both, 0, hint_top), rows(hint, 0, hint_top)) << "the notice covers the hint";
    EXPECT_NE(rows(both, hint_top, H), rows(hint, hint_top, H)) << "no notice above the hint";

    tick.advance(START_NOTICE_MS);
    EXPECT_EQ(frame(true), plain) << "the notice outlived its time";
}

TEST_F(OverlayGl, AToldPathKeepsItsCase) {
    const auto told = [&](const std::string& line) {
        town.editor.overlays.messages = ScreenMessages();
        town.editor.overlays.messages.post(line, GetTickCount());
        return frame(true);
    };
    EXPECT_NE(told("saved /home/ann/town"), told("saved /HOME/ANN/TOWN")) << "a path lost its case on screen";
}

TEST_F(OverlayGl, ScreenshotHoldsThePictureShown) {
    ScratchDir dir;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    town.editor.overlays.screenshot_wanted = 1;
    testing::internal::CaptureStdout();
    const auto tell = [&](const std::string& line) { town.editor.tell_user(line); };
    EXPECT_TRUE(save_wanted_screenshot(town.editor, W, H, tell)) << "its caller clears the wish";
    const std::string said = testing::internal::GetCapturedStdout();
    const std::string prefix = "screenshot saved: ";
    ASSERT_EQ(said.rfind(prefix, 0), 0u) << said;
    const std::string name = said.substr(prefix.size(), said.size() - prefix.size() - 1);
    const PngRead picture = read_png(name);
    EXPECT_EQ(chdir(here), 0);
    ASSERT_EQ(picture.width, W) << name;
    EXPECT_EQ(picture.height, H);
    const unsigned char* top_right = picture.rgb.data() + (W - 1) * 3;  // the file holds the top row first
    EXPECT_EQ(std::vector<int>(top_right, top_right + 3), (std::vector<int>{51, 102, 153}));
}
