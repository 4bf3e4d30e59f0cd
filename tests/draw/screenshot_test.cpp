// Screenshots: the name is the moment in local time, then a counter rather
// than writing over a picture taken in the same second; the PNG holds the
// picture upright, and a failed write leaves no part of a picture behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "screenshot.h"
#include "support/png_read.h"
#include "support/scratch_files.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A picture as OpenGL reads it, bottom row first, where every pixel says
// where it stands: red is the column, green the row counted from the bottom.
Bytes gl_picture(int width, int height) {
    Bytes rgb;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            rgb.push_back(static_cast<unsigned char>(40 * column));
            rgb.push_back(static_cast<unsigned char>(50 * row));
            rgb.push_back(static_cast<unsigned char>(7 * (row * width + column)));
        }
    }
    return rgb;
}

TEST(ScreenshotName, IsTheMomentThenACounterAndNeverAnOverwrite) {
    setenv("TZ", "UTC", 1);
    tzset();
    std::set<std::string> taken;
    const auto name = [&] {
        return screenshot_file_name(1772600767, [&](const std::string& n) { return taken.count(n) != 0; });
    };
    EXPECT_EQ(name(), "quillmoor-20260304-050607.png");
    taken.insert(name());
    EXPECT_EQ(name(), "quillmoor-20260304-050607-2.png");
    for (int i = 2; i <= 999; ++i) taken.insert("quillmoor-20260304-050607-" + std::to_string(i) + ".png");
    EXPECT_EQ(name(), "");
}

TEST(ScreenshotPng, HoldsThePictureUprightWithTheTopRowFirst) {
    ScratchDir dir;
    const std::string path = dir.file("shot.png");
    const Bytes gl = gl_picture(6, 5);
    ASSERT_EQ(write_png(path, 6, 5, gl.data()), "");
    const PngRead png = read_png(path);
    ASSERT_EQ(png.width, 6);
    ASSERT_EQ(png.height, 5);
    for (int file_row = 0; file_row < 5; ++file_row) {
        const int gl_row = 4 - file_row;
        const Bytes expected(gl.begin() + gl_row * 18, gl.begin() + gl_row * 18 + 18);
        const Bytes got(png.rgb.begin() + file_row * 18, png.rgb.begin() + file_row * 18 + 18);
        EXPECT_EQ(got, expected) << "file row " << file_row;
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"shot.png"}) << "no temporary file left";
}

TEST(ScreenshotPng, AFailedWriteSaysWhyAndLeavesNoPicture) {
    ScratchDir dir;
    const Bytes gl = gl_picture(6, 5);
    EXPECT_NE(write_png(dir.file("none.png"), 0, 5, gl.data()), "");
    EXPECT_NE(write_png(dir.file("none.png"), 6, 5, nullptr), "");
    EXPECT_NE(write_png(dir.file("no/such/folder.png"), 6, 5, gl.data()), "");
    EXPECT_TRUE(dir.entries().empty());

    // A file size limit in a child process stands in for a full disk: the
    // write fails part way, and neither a half picture nor a temporary file
    // stays. The pixels are noisy, so the file cannot compress below it.
    Bytes noise(200 * 100 * 3);
    unsigned seed = 12345;
    for (unsigned char& b : noise) b = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(write_png(dir.file("full.png"), 200, 100, noise.data()) == "File too large" ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
