// A cached drawing left out of the view leaves the current colour, normal
// and texture place as drawing it would have, so what comes next starts
// from the same state; one that changes state it cannot put back is drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>

#include "draw_cache.h"
#include "support/gl_context.h"

namespace {

// A triangle far off to the side of a view of the origin.
void far_triangle() {
    glBegin(GL_TRIANGLES);
    glVertex3f(50, 50, 0);
    glVertex3f(51, 50, 0);
    glVertex3f(50, 51, 0);
    glEnd();
}

struct Current {
    GLfloat colour[4], normal[3], tex[4];
};

Current current() {
    Current c{};
    glGetFloatv(GL_CURRENT_COLOR, c.colour);
    glGetFloatv(GL_CURRENT_NORMAL, c.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, c.tex);
    return c;
}

class CulledDrawingGl : public ::testing::Test {
protected:
    // The square from -2 to 2 round the origin, seen along -z.
    void SetUp() override {
        glViewport(0, 0, context.width(), context.height());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Draws twice from a known state (the first compiles), returns the
    // state the second leaves.
    Current after_second_draw(CulledDrawing& drawing, const std::function<void()>& draw) {
        DrawKey key;
        key.add(1);
        for (int i = 0; i < 2; ++i) {
            glColor4f(1, 1, 1, 1);
            glNormal3f(0, 1, 0);
            glTexCoord4f(0, 0, 0, 1);
            drawing.draw(key, draw, ViewVolume::current(), true);
        }
        return current();
    }

    OffscreenContext context{64, 64};
};

TEST_F(CulledDrawingGl, LeftOutItLeavesWhatItsDrawingLeaves) {
    CulledDrawing drawing;
    const Current left = after_second_draw(drawing, [] {
        glColor4f(0.25f, 0.5f, 0.75f, 1);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0.125f, 0.625f);
        far_triangle();
    });
    EXPECT_TRUE(drawing.left_out());
    EXPECT_FLOAT_EQ(left.colour[0], 0.25f);
    EXPECT_FLOAT_EQ(left.colour[2], 0.75f);
    EXPECT_FLOAT_EQ(left.normal[2], 1);
    EXPECT_FLOAT_EQ(left.tex[1], 0.625f);

    // A drawing that sets none of them leaves them as they were.
    CulledDrawing plain;
    const Current untouched = after_second_draw(plain, far_triangle);
    EXPECT_TRUE(plain.left_out());
    EXPECT_FLOAT_EQ(untouched.colour[1], 1);
    EXPECT_FLOAT_EQ(untouched.normal[1], 1);
    EXPECT_FLOAT_EQ(untouched.tex[0], 0);
}

TEST_F(CulledDrawingGl, InViewOrLeavingATextureBoundItIsDrawn) {
    CulledDrawing near;
    after_second_draw(near, [] {
        glBegin(GL_LINES);
        glVertex3f(1.9f, 0, 0);  // just inside the view's right side
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
    EXPECT_FALSE(binding.left_out());
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}

}  // namespace
