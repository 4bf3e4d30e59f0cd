// A cached drawing left out of the view leaves the current colour, normal
// and texture place as drawing it would have; one that leaves a texture
// bound, which it cannot put back, is drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "draw_cache.h"
#include "support/gl_context.h"

namespace {

using Current = std::array<GLfloat, 11>;  // colour, normal, texture place

// Draws twice (the first compiles) from white, up and (0, 0) in a view of
// the square from -2 to 2; returns what the second draw leaves current.
Current after_second_draw(CulledDrawing& drawing, const std::function<void()>& draw) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int i = 0; i < 2; ++i) {
        glColor4f(1, 1, 1, 1);
        glNormal3f(0, 1, 0);
        glTexCoord4f(0, 0, 0, 1);
        drawing.draw(DrawKey{}, draw, ViewVolume::current(), true);
    }
    Current left{};
    glGetFloatv(GL_CURRENT_COLOR, &left[0]);
    glGetFloatv(GL_CURRENT_NORMAL, &left[4]);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, &left[7]);
    return left;
}

void far_square() { glRectf(50, 50, 51, 51); }

}  // namespace

TEST(CulledDrawingGl, LeftOutItLeavesWhatItsDrawingLeavesAndDrawnWhenItCannot) {
    OffscreenContext context(64, 64);
    CulledDrawing setting;
    const Current left = after_second_draw(setting, [] {
        glColor4f(0.25f, 0.5f, 0.75f, 1);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0.125f, 0.625f);
        far_square();
    });
    EXPECT_TRUE(setting.left_out());
    EXPECT_EQ(left, (Current{0.25f, 0.5f, 0.75f, 1, 0, 0, 1, 0.125f, 0.625f, 0, 1}));
    CulledDrawing plain;
    EXPECT_EQ(after_second_draw(plain, far_square), (Current{1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_TRUE(plain.left_out());

    GLuint texture = 0;
    glGenTextures(1, &texture);
    CulledDrawing binding;
    after_second_draw(binding, [&] {
        glBindTexture(GL_TEXTURE_2D, texture);
        far_square();
    });
    EXPECT_FALSE(binding.left_out());
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}
