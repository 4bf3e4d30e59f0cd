// A cached drawing left out of the view leaves the current colour, normal
// and texture place as drawing it would have, so what comes next starts
// from the same state; one that changes state it cannot put back is drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "draw_cache.h"
#include "support/gl_context.h"

namespace {

// A triangle far off to the side of the view.
void far_triangle() {
    glBegin(GL_TRIANGLES);
    glVertex3f(50, 50, 0);
    glVertex3f(51, 50, 0);
    glVertex3f(50, 51, 0);
    glEnd();
}

// Draws twice (the first compiles) from white, up and (0, 0) in a view of
// the square from -2 to 2; returns the colour, normal and texture place
// the second draw leaves.
std::array<GLfloat, 11> after_second_draw(CulledDrawing& drawing, const std::function<void()>& draw) {
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
    std::array<GLfloat, 11> left{};
    glGetFloatv(GL_CURRENT_COLOR, &left[0]);
    glGetFloatv(GL_CURRENT_NORMAL, &left[4]);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, &left[7]);
    return left;
}

}  // namespace

TEST(CulledDrawingGl, LeftOutItLeavesWhatItsDrawingLeavesAndDrawnWhenItCannot) {
    OffscreenContext context(64, 64);
    CulledDrawing setting;
    const auto left = after_second_draw(setting, [] {
        glColor4f(0.25f, 0.5f, 0.75f, 1);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0.125f, 0.625f);
        far_triangle();
    });
    EXPECT_TRUE(setting.left_out());
    EXPECT_EQ(left, (std::array<GLfloat, 11>{0.25f, 0.5f, 0.75f, 1, 0, 0, 1, 0.125f, 0.625f, 0, 1}));
    CulledDrawing plain;
    EXPECT_EQ(after_second_draw(plain, far_triangle), (std::array<GLfloat, 11>{1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_TRUE(plain.left_out());

    CulledDrawing near;  // a line from just inside the view's right side
    after_second_draw(near, [] {
        glBegin(GL_LINES);
        glVertex3f(1.9f, 0, 0);
        glVertex3f(5, 0, 0);
        glEnd();
    });
    EXPECT_FALSE(near.left_out());
    GLuint texture = 0;
    glGenTextures(1, &texture);
    CulledDrawing binding;
    after_second_draw(binding, [&] {
        glBindTexture(GL_TEXTURE_2D, texture);
        far_triangle();
    });
    EXPECT_FALSE(binding.left_out()) << "it leaves a texture bound";
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}
