// Every golden state of the town draws its reference picture, within the
// rounding another processor's llvmpipe may add. A change meant to change
// the picture renders them again: scripts/golden_pictures.sh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "draw/golden_states.h"
#include "tga.h"
#include "support/gl_context.h"

namespace {

const std::string GOLDEN_DIR = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/golden";

struct FreeBuffer {
    void operator()(unsigned char* p) const { std::free(p); }
};

// Pixels where some channel differs by more than 2 levels.
int pixels_beyond_rounding(const unsigned char* a, const unsigned char* b, std::size_t pixels) {
    int n = 0;
    for (std::size_t i = 0; i < pixels * 3; i += 3) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::abs(a[i + c] - b[i + c]) > 2) {
                ++n;
                break;
            }
        }
    }
    return n;
}

}  // namespace

TEST(GoldenFrames, EveryStateDrawsItsReferencePicture) {
    OffscreenContext context(GOLDEN_W, GOLDEN_H);
    for (const GoldenState& state : GOLDEN_STATES) {
        const std::string reference = GOLDEN_DIR + "/" + state.name + ".tga";
        int width = 0, height = 0;
        const std::unique_ptr<unsigned char, FreeBuffer> expected(read_tga(reference.c_str(), &width, &height, TGA_RGB, TGA_MAX_PIXELS));
        ASSERT_TRUE(expected) << reference << ": " << tga_error_message(tga_error_code);
        ASSERT_EQ(width, GOLDEN_W);
        ASSERT_EQ(height, GOLDEN_H);
        const std::vector<unsigned char> drawn = render_golden(state, GOLDEN_DIR);
        ASSERT_EQ(drawn.size(), static_cast<std::size_t>(GOLDEN_W) * GOLDEN_H * 3) << state.name;
        const int differing = pixels_beyond_rounding(drawn.data(), expected.get(), drawn.size() / 3);
        if (differing > 0) {
            const std::string actual = std::string(state.name) + "-drawn.tga";
            write_tga_rle(actual.c_str(), GOLDEN_W, GOLDEN_H, drawn.data(), TGA_RGB);
            ADD_FAILURE() << state.name << ": " << differing << " pixels differ from " << reference
                          << "; the frame drawn is in " << actual;
        }
    }
}
