// The lights, switches and projection a drawn frame leaves in a real OpenGL
// context, for the times of day where they change.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "draw.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

struct Lights {
    bool sun, lamp, headlight, lighting;
};

Lights lights_after_frame(EditedTown& town, DrawState& drawing) {
    render_frame(town, town.editor, drawing, 64, 48);
    return {glIsEnabled(GL_LIGHT0) == GL_TRUE, glIsEnabled(GL_LIGHT1) == GL_TRUE,
            glIsEnabled(GL_LIGHT2) == GL_TRUE, glIsEnabled(GL_LIGHTING) == GL_TRUE};
}

class FrameGl : public ::testing::Test {
protected:
    OffscreenContext context{64, 48};
    EditedTown town;
    DrawState drawing;
};

}  // namespace

TEST_F(FrameGl, LightsFollowTheTimeOfDay) {
    struct Case {
        float t;
        bool sun, lamp, headlight;
    };
    // Dawn at 0.25 belongs to the night for the sun and the headlight; the
    // lamp burns until 0.3 and lights up again after 0.7.
    const Case cases[] = {
        {0.0f, false, true, true},   {0.25f, false, true, false}, {0.2501f, true, true, false},
        {0.3f, true, false, false},  {0.5f, true, false, false},  {0.7f, true, false, false},
        {0.7001f, true, true, false}, {0.75f, false, true, false}, {0.7501f, false, true, true},
    };
    for (const Case& c : cases) {
        town.sky.time_of_day = c.t;
        const Lights l = lights_after_frame(town, drawing);
        EXPECT_EQ(l.sun, c.sun) << "t = " << c.t;
        EXPECT_EQ(l.lamp, c.lamp) << "t = " << c.t;
        EXPECT_EQ(l.headlight, c.headlight) << "t = " << c.t;
        EXPECT_TRUE(l.lighting);
    }
}

TEST_F(FrameGl, SunRisesStandsAndSets) {
    // The first frame places the lights under the identity, so the stored
    // positions are the world positions.
    town.sky.time_of_day = 0.5f;
    render_frame(town, town.editor, drawing, 64, 48);
    GLfloat pos[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, pos);
    EXPECT_NEAR(pos[0], 0.0f, 1e-4);
    EXPECT_NEAR(pos[1], 50.0f, 1e-4);
    EXPECT_NEAR(pos[2], 0.0f, 1e-4);
    GLfloat diffuse[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 1.0f);  // full daylight at noon
    EXPECT_FLOAT_EQ(drawing.daylight, 1.0f);
    // The shadows were cast last, in black at 40 %: never darker.
    GLfloat shade[4];
    glGetFloatv(GL_CURRENT_COLOR, shade);
    EXPECT_FLOAT_EQ(shade[3], 0.4f);

    town.sky.time_of_day = 0.0f;
    render_frame(town, town.editor, drawing, 64, 48);
    EXPECT_FLOAT_EQ(drawing.daylight, -3.0f);
}

TEST_F(FrameGl, LightingSwitchedOffLeavesTheLampsAlone) {
    town.sky.time_of_day = 0.1f;  // night: lamp and headlight on
    lights_after_frame(town, drawing);
    town.sky.lighting = 0;
    town.sky.time_of_day = 0.5f;  // noon would switch them, but lighting is off
    const Lights l = lights_after_frame(town, drawing);
    EXPECT_FALSE(l.lighting);
    EXPECT_FALSE(l.sun);
    EXPECT_TRUE(l.lamp);
    EXPECT_TRUE(l.headlight);
}

TEST_F(FrameGl, FrameLeavesDepthTestOnBlendingOffAndKeepsTheBeaconUntilAClear) {
    drawing.beacon = {0.4f, 1};  // the train stands: its beacon holds still
    render_frame(town, town.editor, drawing, 64, 48);
    render_frame(town, town.editor, drawing, 64, 48);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);  // the shadow pass pops what it pushed
    EXPECT_FLOAT_EQ(drawing.beacon.level, 0.4f);
    ++town.scene_clears;
    render_frame(town, town.editor, drawing, 64, 48);
    EXPECT_EQ(drawing.beacon.level, 0.0f) << "a cleared town's beacon starts over";
    EXPECT_EQ(drawing.beacon.falling, 0);
}

TEST_F(FrameGl, ZeroHeightViewAndATrainWithoutDirectionStayFinite) {
    town.sky.time_of_day = 0.9f;  // the headlight is on
    town.train.train_dir = {0, 0, 0};
    render_frame(town, town.editor, drawing, 0, 0);  // a window minimised to nothing
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    for (double v : m) EXPECT_TRUE(std::isfinite(v));
    GLfloat dir[3];
    glGetLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, dir);
    for (float v : dir) EXPECT_TRUE(std::isfinite(v));
}
