// The world pass as a whole: its blocks in order, the walk over the town
// objects with its selection colour and shadow rules, and the shadows it
// casts, at most 40 % dark.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "world_blocks.h"
#include "draw/world_view.h"
#include "draw.h"
#include "support/gl_context.h"
#include "town/track_fixture.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

class WorldGl : public ::testing::Test {
protected:
    void SetUp() override {
        view.look({17, 23, 29}, {0, 2, 0}, {0, 1, 0}, 25, context.width(), context.height());
        town.sky.lighting = 0;
        town.sky.time_of_day = 0.5f;
    }

    void add_object(int code, float x, float y, float z, float size = 1.5f, float height = 4.5f) {
        const int i = town.town_objects.object_count++;
        town.town_objects.objects[i] =
            std::make_unique<ControlPoint>(x, y, z, size, height, 1.0f, 0, 0, 0, 0);
        town.town_objects.object_type[i] = code;
    }

    std::vector<FeedbackPrimitive> objects(int pass) {
        return capture_feedback([&] { draw_town_objects(town, town.editor, drawing, pass); });
    }

    OffscreenContext context{200, 150};
    EditedTown town;
    DrawState drawing;
    WorldView view;
};

bool near_xz(Vec3 w, float x, float z, float r) { return std::hypot(w.x - x, w.z - z) < r; }

}  // namespace

TEST_F(WorldGl, BlocksComeInTheirOrder) {
    // Everything placed apart, so each primitive tells where it came from.
    lay_track(town, {{-10, 1, 10}, {10, 1, 10}, {0, 1, -12}});
    add_object(5, 9, 0, -9);
    town.sky.light_pos = {0, 13, 0};
    town.train.train_running = 1;
    town.sky.time_of_day = 0.8f;  // night: beams
    town.train.train_pos = {7, 1, 7};
    town.train.train_dir = {1, 0, 0};
    town.train.train_up = {0, 1, 0};

    std::string order;
    for (const FeedbackPrimitive& p : capture_feedback([&] { draw_world(town, town.editor, drawing, 0); })) {
        const FeedbackVertex& v = p.vertices[0];
        const Vec3 w = view.world(v);
        char label = 'C';  // a car, unless it is something else
        if (std::fabs(v.a - 0.5f) < 0.01f) {
            label = 'B';
        } else if (p.kind == FeedbackPrimitive::Line) {
            label = colour_is(v, 0.3f, 0.3f, 0.3f) ? 'K' : 'M';
        } else if (length(w - town.sky.light_pos) < 0.5f) {
            label = 'L';
        } else if (near_xz(w, 9, -9, 2.5f)) {
            label = 'O';
        } else if (length(w - town.train.train_pos) < 1.5f) {
            label = 'T';
        } else if (colour_is(v, 1, 0, 0) || colour_is(v, 0, 0, 1)) {
            label = 'M';
        }
        if (order.empty() || order.back() != label) order += label;
    }
    // Beams, markers, objects, light marker, cars, locomotive, track.
    EXPECT_EQ(order, "BMOLCTK");
    EXPECT_EQ(town.track.track_edited, 0);
}

TEST_F(WorldGl, SelectedObjectIsYellowAndNoOtherIs) {
    add_object(5, -6, 0, 4);
    add_object(1, 6, 0, -4);
    for (const FeedbackPrimitive& p : objects(0)) EXPECT_FALSE(colour_is(p.vertices[0], 1, 1, 0));

    town.editor.selected_object = 1;
    int yellow = 0, others = 0;
    for (const FeedbackPrimitive& p : objects(0)) {
        const bool in_selected = view.world(p.vertices[0]).x > 0;
        for (const FeedbackVertex& v : p.vertices) EXPECT_EQ(colour_is(v, 1, 1, 0), in_selected);
        (in_selected ? yellow : others) += 1;
    }
    EXPECT_GT(yellow, 0);
    EXPECT_GT(others, 0);
}

TEST_F(WorldGl, OnlyTreesAndLampsCastShadowsAndOnlyByDay) {
    for (int code = -1; code <= 19; ++code) {
        town.town_objects.object_count = 0;
        add_object(code, 1, 0, -2);
        const bool valid = code >= 0 && code <= 18;
        const bool tall = code == 0 || (code >= 11 && code <= 14);
        town.sky.time_of_day = 0.5f;
        EXPECT_EQ(!objects(0).empty(), valid) << "code " << code;
        for (const float t : {0.25f, 0.5f, 0.75f}) {
            town.sky.time_of_day = t;
            EXPECT_EQ(!objects(1).empty(), tall) << "code " << code << " at " << t;
        }
        for (const float t : {0.2499f, 0.7501f, 0.0f}) {
            town.sky.time_of_day = t;
            EXPECT_TRUE(objects(1).empty()) << "code " << code << " at " << t;
        }
    }
    town.town_objects.object_count = 0;
    EXPECT_TRUE(objects(0).empty());
    EXPECT_TRUE(objects(1).empty());
}

TEST_F(WorldGl, ShadowsAreAtMostFortyPercentDarkAndGoneAtNight) {
    // Everything that casts a shadow, overlapping: the track on ties under
    // the locomotive, cars, trees and lamps.
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    town.train.train_running = 1;
    town.place_train(0.1f);
    add_object(0, 3, 0, 3, 2.0f, 6.0f);
    add_object(0, 4, 0, 4, 2.5f, 5.0f);
    add_object(11, -3, 0, 2);
    add_object(1, -8, 0, -8);  // a building, which casts none

    view.look({0, 50, 0}, {0, 0, 0}, {0, 0, -1}, 20, context.width(), context.height());
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const auto shadow_picture = [&](float t) {
        town.sky.time_of_day = t;
        const float daylight = -16 * t * t + 16 * t - 3;
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glMultMatrixd(flatten_matrix);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0, 0, 0, daylight / 2.5f);
        draw_world(town, town.editor, drawing, 1);
        glDisable(GL_BLEND);
        glPopMatrix();
        int darkest = 255;
        for (int y = 0; y < context.height(); ++y) {
            for (int x = 0; x < context.width(); ++x)
                darkest = std::min(darkest, context.pixel(x, y).r);
        }
        return darkest;
    };
    // At noon the shade is 0.4 black: 255 x 0.6 = 153, however many shapes
    // overlap there.
    EXPECT_NEAR(shadow_picture(0.5f), 153, 1);
    EXPECT_EQ(shadow_picture(0.1f), 255);
    EXPECT_EQ(shadow_picture(0.9f), 255);
    glDisable(GL_CULL_FACE);
}
