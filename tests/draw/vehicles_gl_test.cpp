// The cars, their beams and the locomotive as drawn: what each draws and
// when, which way their faces turn, where the locomotive stands, and its
// beacon and lamp.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "world_blocks.h"
#include "draw/world_view.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

class VehiclesGl : public ::testing::Test {
protected:
    void SetUp() override {
        view.look({17, 23, 29}, {0, 0, 0}, {0, 1, 0}, 25, context.width(), context.height());
        town.sky.lighting = 0;
        town.sky.time_of_day = 0.5f;
        town.train.train_running = 1;
        town.train.train_pos = {3, 1, -2};
        town.train.train_dir = {0, 0, -2};  // heading north, not of unit length
        town.train.train_up = {0, 5, 0};
    }

    // Leaves a single car of the given model at (x, z) heading (hx, hz).
    void one_car(int model, float x, float z, float hx, float hz) {
        const float colour[3] = {0.25f, 0.5f, 0.75f};
        town.traffic.cars[0] = std::make_unique<Car>(x, z, hx, hz, -hz, hx, 0.2f, model, colour, 4);
        town.traffic.num_cars = 1;
    }

    template <class Block>
    std::vector<FeedbackPrimitive> drawn(Block block, int pass) {
        return capture_feedback([&] { block(town, pass); });
    }

    void head_east_from_the_origin() {
        town.train.train_pos = {0, 0, 0};
        town.train.train_dir = {1, 0, 0};
        town.train.train_up = {0, 1, 0};
    }

    Rgba probe(Vec3 at) const {
        const Vec3 w = view.window(at);
        return context.pixel(static_cast<int>(w.x), static_cast<int>(w.y));
    }

    OffscreenContext context{200, 150};
    EditedTown town;
    WorldView view;
    // The locomotive as the world pass draws it, keeping drawing's beacon phase.
    BeaconPhase beacon;
    std::function<void(const EditedTown&, int)> draw_locomotive_stepping = [this](const EditedTown& t, int pass) {
        draw_locomotive(t, t.editor, beacon, pass);
    };
};

int polygons(const std::vector<FeedbackPrimitive>& prims) {
    return static_cast<int>(of_kind(prims, FeedbackPrimitive::Polygon).size());
}

bool lit(const Rgba& p) { return p.r + p.g + p.b > 0; }

}  // namespace

TEST_F(VehiclesGl, NothingMovesOrShowsWhileTheTrainStands) {
    town.train.train_running = 0;
    for (const float t : {0.1f, 0.5f, 0.9f}) {
        town.sky.time_of_day = t;
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_TRUE(drawn(draw_headlight_beams, pass).empty());
            EXPECT_TRUE(drawn(draw_cars, pass).empty());
            EXPECT_TRUE(drawn(draw_locomotive_stepping, pass).empty());
        }
    }
    EXPECT_EQ(beacon.level, 0.0f);
}

TEST_F(VehiclesGl, EveryCarThrowsABeamOnlyAtNightAndOnlyInTheNormalPass) {
    town.sky.time_of_day = 0.76f;
    const auto beams = drawn(draw_headlight_beams, 0);
    EXPECT_EQ(polygons(beams), 2 * NUM_CARS);
    for (const FeedbackPrimitive& p : beams) EXPECT_TRUE(colour_is(p.vertices[0], 1, 1, 0) && std::fabs(p.vertices[0].a - 0.5f) < 0.004f);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(drawn(draw_headlight_beams, 1).empty());
    town.sky.time_of_day = 0.75f;
    EXPECT_TRUE(drawn(draw_headlight_beams, 0).empty());
    town.sky.time_of_day = 0.2499f;
    EXPECT_EQ(polygons(drawn(draw_headlight_beams, 0)), 2 * NUM_CARS);

    // The first car (heading east at (-6, 0.5)) lights the road from 0.45
    // to 3 ahead of it, 0.65 to either side, just above the ground.
    expect_bounds(world_bounds(view, {beams[0], beams[1]}), {-5.55f, 0.1f, -0.15f}, {-3.0f, 0.1f, 1.15f},
                  "the first car's beam");

    // On a dark road the beam shows, half yellow, at night and not at dusk.
    for (const float t : {0.76f, 0.75f}) {
        town.sky.time_of_day = t;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_headlight_beams(town, 0);
        const Rgba p = probe({-4.0f, 0.1f, 0.5f});
        EXPECT_EQ(p.r > 100 && p.g > 100 && p.b < 20, t > 0.75f) << "t = " << t;
        EXPECT_EQ(lit(p), t > 0.75f) << "t = " << t;
    }
}

TEST_F(VehiclesGl, EachModelIsAClosedBodyWoundOutward) {
    // Saloon and tall saloon: 8 cross faces and 6 faces a side; the van has
    // one side face more. Every face reaches feedback as two triangles.
    const int expected[3] = {2 * (8 + 12), 2 * (8 + 14), 2 * (8 + 12)};
    for (int model = 0; model < 3; ++model) {
        one_car(model, 1.5f, -2.5f, 0.6f, 0.8f);
        EXPECT_EQ(polygons(drawn(draw_cars, 0)), expected[model]) << "model " << model;
        expect_wound_outward(view, {1.5f, 0.3f, -2.5f}, 0.7f, context.width(), context.height(),
                             [&] { return drawn(draw_cars, 0); }, "model " + std::to_string(model));
    }
    one_car(7, 1.5f, -2.5f, 0.6f, 0.8f);
    EXPECT_TRUE(drawn(draw_cars, 0).empty());  // no such model: no body
    town.sky.time_of_day = 0.9f;
    view.look({17, 23, 29}, {0, 0, 0}, {0, 1, 0}, 25, context.width(), context.height());
    EXPECT_EQ(polygons(drawn(draw_headlight_beams, 0)), 2);  // but still a beam
}

TEST_F(VehiclesGl, ACarHeadingSouthShowsItsLeftSideToTheEast) {
    one_car(0, 2, -1, 0, 1);  // heading +z, its right toward -x
    const Vec3 centre{2, 0.3f, -1};
    view.look(centre + Vec3{6, 1, 0.5f}, centre, {0, 1, 0}, 0.7f, context.width(), context.height());
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    int left_side = 0, right_side = 0, window = 0;
    for (const FeedbackPrimitive& p : of_kind(drawn(draw_cars, 0), FeedbackPrimitive::Polygon)) {
        bool on_left = true, on_right = true, textured = false;
        for (const FeedbackVertex& v : p.vertices) {
            const Vec3 w = view.world(v);
            on_left = on_left && std::fabs(w.x - 2.25f) < 1e-3f;
            on_right = on_right && std::fabs(w.x - 1.75f) < 1e-3f;
            textured = textured || v.s != 0 || v.t != 0;
        }
        left_side += on_left ? 1 : 0;
        right_side += on_right ? 1 : 0;
        window += on_left && textured ? 1 : 0;
    }
    glDisable(GL_CULL_FACE);
    EXPECT_GE(left_side, 10);  // six faces; the tips may reach feedback as one triangle
    EXPECT_EQ(right_side, 0);
    EXPECT_EQ(window, 2);  // the side window carries its texture
}

TEST_F(VehiclesGl, LowerDoorPanelsTakeTheLastWindowCoordinate) {
    // Drawing order, lit: plain faces, then the model's cross windows, left
    // panel, left window, right panel, right window. Two triangles a face.
    struct Case {
        int model;
        float right_s;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 0}}) {
        one_car(c.model, 0, 0, 1, 0);
        const auto tris = of_kind(drawn(draw_cars, 0), FeedbackPrimitive::Polygon);
        const std::size_t plain = c.model == 1 ? 7 + 2 * 5 : 6 + 2 * 4, cross_windows = c.model == 1 ? 1 : 2;
        const std::size_t left_panel = 2 * (plain + cross_windows), right_panel = left_panel + 2 * 2;
        for (const std::size_t first : {left_panel, right_panel}) {
            const float s = first == left_panel ? 0.0f : c.right_s;
            for (std::size_t k = first; k < first + 2; ++k) {
                for (const FeedbackVertex& v : tris[k].vertices) {
                    EXPECT_EQ(v.s, s) << "model " << c.model << " triangle " << k;
                    EXPECT_EQ(v.t, 0.0f) << "model " << c.model << " triangle " << k;
                }
            }
        }
    }
}

TEST_F(VehiclesGl, LitCarsShowTheSamePixelsWithTheirWindowsDrawnTogether) {
    // A crowd of all three models heading every way, cutting into each other.
    for (int i = 0; i < 6; ++i) {
        const float colour[3] = {0.15f * i, 0.5f, 0.9f - 0.15f * i}, hx = std::cos(1.1f * i), hz = std::sin(1.1f * i);
        town.traffic.cars[i] = std::make_unique<Car>(0.3f * (i % 3), 0.25f * (i / 3), hx, hz, -hz, hx, 0.1f, i % 3, colour, 4);
    }
    town.traffic.num_cars = 6;
    view.look({3, 2.5f, 4}, {0.3f, 0.3f, 0.1f}, {0, 1, 0}, 1.2f, context.width(), context.height());
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    // A texture bound before, but without an image, draws as none and keeps the cars drawn car by car.
    GLuint imageless = 0;
    glGenTextures(1, &imageless);
    std::vector<unsigned char> car_by_car;
    for (const GLuint before : {imageless, 0u}) {
        glBindTexture(GL_TEXTURE_2D, before);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_cars(town, 0);
        glFinish();
        if (before != 0) car_by_car = context.pixels();
    }
    EXPECT_TRUE(car_by_car == context.pixels());
}

TEST_F(VehiclesGl, CarsKeepTheirColourAndCastShadowsAtAnyHour) {
    one_car(1, 0, 0, 1, 0);
    for (const FeedbackPrimitive& p : drawn(draw_cars, 0)) EXPECT_TRUE(colour_is(p.vertices[0], 0.25f, 0.5f, 0.75f));
    town.sky.time_of_day = 0.1f;
    glColor3f(0, 0, 0);
    const auto shadow = drawn(draw_cars, 1);
    EXPECT_EQ(polygons(shadow), 44);
    for (const FeedbackPrimitive& p : shadow) EXPECT_TRUE(colour_is(p.vertices[0], 0, 0, 0));
}

TEST_F(VehiclesGl, LocomotiveStandsInItsFrameAndHidesFromTheCabView) {
    // Heading north with up +y: forward -z, right +x. The pilot reaches 0.8
    // ahead, the cab 0.5 behind, the body 0.25 to each side, the cab roof
    // 0.8 above the rails and the base plate 0.1 above.
    const auto loco = drawn(draw_locomotive_stepping, 0);
    EXPECT_EQ(polygons(loco), 3 + 2 * 10 + 2 + 4 + 2 + 2 * 4 + 2);
    expect_bounds(world_bounds(view, loco), {2.75f, 1.1f, -2.8f}, {3.25f, 1.8f, -1.5f}, "locomotive");

    town.editor.camera_mode = 1;
    EXPECT_TRUE(drawn(draw_locomotive_stepping, 0).empty());
    EXPECT_FALSE(drawn(draw_cars, 0).empty());
    town.editor.camera_mode = 2;

    // The shadow only while the sun is up, both ends included.
    for (const float t : {0.25f, 0.75f, 0.2499f, 0.7501f}) {
        town.sky.time_of_day = t;
        EXPECT_EQ(drawn(draw_locomotive_stepping, 1).empty(), t != 0.25f && t != 0.75f) << "t = " << t;
    }
}

TEST_F(VehiclesGl, LocomotiveFacesShowFromOutside) {
    // Where each face of the locomotive must cover the picture when seen
    // from outside with back faces culled; heading +x, right +z, up +y.
    head_east_from_the_origin();
    struct Probe {
        Vec3 from;
        Vec3 at;
    };
    const Probe probes[] = {
        {{0, 1, 0}, {-0.1f, 0.6f, 0.18f}},      // body top
        {{0, 1, 0}, {-0.35f, 0.8f, 0}},         // cab roof
        {{0, 1, 0}, {0.2f, 0.75f, 0}},          // beacon
        {{0, 1, 0}, {0.42f, 0.7f, 0}},          // lamp box top
        {{0, -1, 0}, {0, 0.1f, 0.1f}},          // base plate
        {{0, -1, 0}, {0.6f, 0.1f, 0}},          // base plate under the pilot
        {{1, 0, 0}, {0.5f, 0.65f, 0}},          // lamp glass
        {{1, 0, 0}, {0.5f, 0.5f, 0.22f}},       // body front
        {{1, 0, 0}, {0.6f, 0.15f, 0.05f}},      // pilot, right half
        {{1, 0, 0}, {0.6f, 0.15f, -0.05f}},     // pilot, left half
        {{1, 0, 0}, {-0.2f, 0.75f, 0.2f}},      // cab front
        {{-1, 0, 0}, {-0.5f, 0.3f, 0}},         // body rear
        {{-1, 0, 0}, {-0.5f, 0.7f, 0}},         // cab rear
        {{0, 0, 1}, {0, 0.3f, 0.25f}},          // body right
        {{0, 0, -1}, {0, 0.3f, -0.25f}},        // body left
        {{0, 0, 1}, {-0.35f, 0.7f, 0.25f}},     // cab right
        {{0, 0, -1}, {-0.35f, 0.7f, -0.25f}},   // cab left
        {{0, 0, 1}, {0.42f, 0.65f, 0.075f}},    // lamp box right
        {{0, 0, -1}, {0.42f, 0.65f, -0.075f}},  // lamp box left
        {{-1, 0.2f, 1}, {0.35f, 0.65f, 0}},     // lamp box back, past the cab
        {{0, 0, 1}, {0.2f, 0.7f, 0.08f}},       // funnel right
        {{0, 0, -1}, {0.2f, 0.7f, -0.08f}},     // funnel left
        {{1, 0, 0}, {0.29f, 0.73f, 0}},         // funnel front, above the lamp box
        {{-1, 1, 0}, {0.1286f, 0.65f, 0}},      // funnel rear, over the cab
    };
    town.sky.lighting = 0;
    for (const Probe& pr : probes) {
        view.look(pr.at + 3 * pr.from, pr.at, up_for(pr.from), 1.2f, context.width(), context.height());
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_locomotive_stepping(town, 0);
        beacon.level = 0.3f;  // keep the beacon visible
        beacon.falling = 0;
        EXPECT_TRUE(lit(probe(pr.at))) << "nothing at " << pr.at.x << ", " << pr.at.y << ", " << pr.at.z
                                       << " seen from " << pr.from.x << ", " << pr.from.y << ", " << pr.from.z;
    }
    glDisable(GL_CULL_FACE);
}

TEST_F(VehiclesGl, BeaconPulsesEvery104Drawings) {
    std::vector<int> rises_done;  // drawings after which the beacon turned to fall
    int falling = 0;
    for (int n = 1; n <= 400; ++n) {
        draw_locomotive_stepping(town, n % 2);  // by day both passes count
        if (beacon.falling != falling && beacon.falling == 1) rises_done.push_back(n);
        if (n == 51) {
            EXPECT_NEAR(beacon.level, 0.51f, 1e-5);
        }
        if (n == 103) {
            EXPECT_NEAR(beacon.level, -0.01f, 1e-5);
            EXPECT_EQ(beacon.falling, 0);
        }
        falling = beacon.falling;
    }
    ASSERT_EQ(rises_done.size(), 4u);
    EXPECT_EQ(rises_done[0], 51);
    for (std::size_t i = 1; i < rises_done.size(); ++i) EXPECT_EQ(rises_done[i] - rises_done[i - 1], 104);

    // The beacon's quad carries the level as its red.
    beacon.level = 0.2f;
    beacon.falling = 0;
    bool seen = false;
    for (const FeedbackPrimitive& p : drawn(draw_locomotive_stepping, 0)) seen = seen || colour_is(p.vertices[0], 0.21f, 0, 0);
    EXPECT_TRUE(seen);
}

TEST_F(VehiclesGl, LampGlowsUnlitAtNightAndIsLitByDay) {
    head_east_from_the_origin();
    const Vec3 glass{0.5f, 0.65f, 0};
    view.look(glass + Vec3{3, 0, 0}, glass, {0, 1, 0}, 0.5f, context.width(), context.height());
    town.sky.lighting = 1;
    glEnable(GL_COLOR_MATERIAL);
    for (const float t : {0.2f, 0.5f}) {
        town.sky.time_of_day = t;
        glEnable(GL_LIGHTING);  // no lamp burns: a lit face shows a fifth of its colour
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_locomotive_stepping(town, 0);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        const Rgba p = probe(glass);
        if (t < 0.25f) {
            EXPECT_NEAR(p.r, 204, 1);
            EXPECT_NEAR(p.g, 204, 1);
            EXPECT_NEAR(p.b, 77, 1);
        } else {
            EXPECT_NEAR(p.r, 15, 2);
            EXPECT_NEAR(p.b, 3, 2);
        }
    }
    town.sky.lighting = 0;
    glDisable(GL_LIGHTING);
    draw_locomotive_stepping(town, 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    glFinish();  // Mesa must not tear the context down in the middle of drawing
}

TEST_F(VehiclesGl, LocomotiveWithoutADirectionIsLeftOut) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        Vec3 pos, dir, up;
    } cases[] = {
        {{1, 1, 1}, {0, 0, 0}, {0, 1, 0}},    // standing direction
        {{1, 1, 1}, {0, 3, 0}, {0, 2, 0}},    // climbing straight along its up hint
        {{1, 1, 1}, {1, 0, 0}, {0, 0, 0}},    // no up hint
        {{1, 1, 1}, {1, 0, 0}, {-4, 0, 0}},   // up hint straight behind
        {{nan, 1, 1}, {1, 0, 0}, {0, 1, 0}},  // nowhere
        {{1, 1, 1}, {nan, 0, 0}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        town.train.train_pos = c.pos;
        town.train.train_dir = c.dir;
        town.train.train_up = c.up;
        EXPECT_TRUE(drawn(draw_locomotive_stepping, 0).empty());
    }
    EXPECT_EQ(beacon.level, 0.0f);
}
