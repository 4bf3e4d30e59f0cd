// The town keeps its own pace while a texture is missing: the missing image
// is looked for again at every frame, but only an image read from disk
// restarts the frame clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/tga_files.h"
#include "draw.h"
#include "support/fake_tick.h"
#include "support/gl_context.h"
#include "support/scratch_files.h"
#include "texture_cache.h"
#include "edit/edited_town.h"
#include "frame_rest.h"
#include "town.h"

namespace {

constexpr int W = 64, H = 48;
constexpr int FRAME_MS = 6;  // a machine that draws much faster than the town steps
constexpr int RUN_MS = 5000;

// The build's texture set without one image.
void copy_textures_but(const std::string& to, const std::string& missing) {
    std::filesystem::create_directory(to + "/textures");
    for (const auto& entry : std::filesystem::directory_iterator("textures")) {
        if (entry.path().filename() == missing + ".tga") continue;
        std::filesystem::copy(entry.path(), to + "/textures/" + entry.path().filename().string());
    }
}

}  // namespace

TEST(FramePaceGl, AMissingTextureLeavesTheTownAtFortyOneStepsASecond) {
    if (texture_files_loaded() != 0) GTEST_SKIP() << "textures cached by another test; run this test on its own";
    ScratchDir dir;
    copy_textures_but(dir.path(), "cement");
    WorkingDir cwd(dir.path());
    ASSERT_TRUE(cwd.ok());
    OffscreenContext gl(W, H);
    FakeTick tick(1000);
    EditedTown town;
    DrawState drawing;
    town.train.train_running = 1;

    const unsigned long lookups_before = texture_disk_lookups();
    int pictures = 0;
    for (int ms = 0; ms < RUN_MS; ms += FRAME_MS) {
        run_frame(town, town.editor, [&] {
            const unsigned long loaded = texture_files_loaded();
            render_frame(town, town.editor, drawing, W, H);
            ++pictures;
            return texture_files_loaded() != loaded;
        });
        tick.advance(FRAME_MS);
    }
    // 5 s at 24 ms a step, give or take the first frame's loads.
    EXPECT_NEAR(town.clock.move_count, RUN_MS / 24, 3);
    EXPECT_NEAR(pictures, RUN_MS / 24, 3);
    EXPECT_GE(texture_disk_lookups() - lookups_before, static_cast<unsigned long>(pictures))
        << "the missing ground is looked for at every picture";
}
