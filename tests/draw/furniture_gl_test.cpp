// Street furniture and landmarks: the clock's hands, the lamps' glow, the
// stop signs' faces and colours, the smoke stack's inside and the sign.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "draw/model_probe.h"
#include "town_models.h"
#include "support/gl_context.h"

namespace {

// Newell's normal of a polygon: the side its winding faces.
Vec3 facing(const WorldPolygon& poly) {
    Vec3 n;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Vec3 a = poly[i].p;
        const Vec3 b = poly[(i + 1) % poly.size()].p;
        n = n + Vec3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    return n;
}

class FurnitureGl : public ::testing::Test {
protected:
    OffscreenContext gl{2 * WORLD_HALF, 2 * WORLD_HALF};
};

// ---- Clock tower ------------------------------------------------------------

struct HandTips {
    Vec3 hour, minute;  // unit directions from the centre in the face plane
};

// The hands are the black corners in front of the clock face; the tip of
// each is its corner farthest from the centre (0.162 for the hour hand,
// 0.248 for the minute hand).
HandTips hand_tips(float t, float x, float z) {
    const Vec3 centre{x - 0.6155f - 0.01f, 3.60926f, z};
    const auto polys = capture_world([&] {
        glColor3f(1, 1, 1);
        draw_clock_tower(normal_pass(false, t), x, z);
    });
    HandTips tips{};
    float hour_len = 0, minute_len = 0;
    for (const WorldCorner& c : all_corners(polys)) {
        if (std::fabs(c.p.x - centre.x) > 1e-3f || !colour_is(c, 0, 0, 0)) continue;
        const Vec3 d = c.p - centre;
        const float len = length(d);
        if (len < 0.2f && len > hour_len) {
            hour_len = len;
            tips.hour = d / len;
        }
        if (len > minute_len) {
            minute_len = len;
            tips.minute = d / len;
        }
    }
    EXPECT_NEAR(hour_len, 1.08f * 0.15f, 1e-3) << "t = " << t;
    EXPECT_NEAR(minute_len, 1.08f * 0.23f, 1e-3) << "t = " << t;
    return tips;
}

}  // namespace

TEST_F(FurnitureGl, ClockHandsFollowTheTimeOfDay) {
    // +z is to the viewer's right on the face, which looks toward -x.
    const struct {
        float t;
        Vec3 hour, minute;
    } cases[] = {
        {0.0f, {0, 1, 0}, {0, 1, 0}},         // midnight: both hands up
        {0.125f, {0, 0, 1}, {0, 1, 0}},       // three in the morning
        {0.25f, {0, -1, 0}, {0, 1, 0}},       // six in the morning
        {1.0f / 96, {0, 0.99144f, 0.13053f}, {0, 0, 1}},  // a quarter past midnight, clockwise
    };
    for (const auto& c : cases) {
        const HandTips tips = hand_tips(c.t, 2.5f, -1.5f);
        EXPECT_GT(dot(tips.hour, c.hour), 0.9999f) << "t = " << c.t;
        EXPECT_GT(dot(tips.minute, c.minute), 0.9999f) << "t = " << c.t;
    }
}

TEST_F(FurnitureGl, ClockHandsShowFromTheFrontOnlyAndOnlyInTheNormalPass) {
    const auto polys = capture_world([] {
        glColor3f(1, 1, 0);
        draw_clock_tower(normal_pass(true, 0.3f), 0, 0);
    });
    int hand_polygons = 0;
    for (const WorldPolygon& poly : polys) {
        if (!all_corners_match(poly, [](const WorldCorner& c) { return std::fabs(c.p.x + 0.6255f) < 1e-3f; })) continue;
        ++hand_polygons;
        EXPECT_LT(facing(poly).x, 0.0f) << "a hand faces -x";
        EXPECT_TRUE(colour_is(poly[0], 1, 1, 0)) << "selected hands are yellow";
    }
    EXPECT_GE(hand_polygons, 2);

    const auto shadows = capture_world([&] { draw_clock_tower(shadow_pass(), 0, 0); });
    for (const WorldCorner& c : all_corners(shadows)) EXPECT_GT(c.p.x, -0.62f) << "no hands in the shadow pass";
    // Base, clock block and roof: the top of the roof is the apex.
    EXPECT_NEAR(bounds_of(shadows).hi.y, 3.2f + 1.7f * 1.077f, 1e-3);
}

// ---- Street lamps -----------------------------------------------------------

namespace {

// Corners of the lamp head: beyond the arm's end and not on the grey head top.
std::vector<WorldCorner> lamp_head(int code, const ModelContext& ctx) {
    const auto polys = capture_world([&] {
        // No light is on, so a lit face shows a fifth of its colour (the
        // global ambient) and an unlit face its full colour.
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
        glColor3f(1, 1, 1);
        draw_street_lamp(ctx, code, 0, 0);
        glDisable(GL_LIGHTING);
    });
    std::vector<WorldCorner> head;
    for (const WorldPolygon& poly : polys) {
        const bool beyond_arm = all_corners_match(poly, [](const WorldCorner& c) {
            return std::hypot(c.p.x, c.p.z) > 0.729f && c.p.y > 2.439f;
        });
        const bool head_top = all_corners_match(poly, [](const WorldCorner& c) { return std::fabs(c.p.y - 2.5f) < 1e-3f; });
        if (beyond_arm && !head_top) head.insert(head.end(), poly.begin(), poly.end());
    }
    return head;
}

}  // namespace

TEST_F(FurnitureGl, LampHeadGlowsFromDuskToMorning) {
    ModelContext ctx = normal_pass(false);
    ctx.lighting = 1;
    for (const float t : {0.29f, 0.71f, 0.0f}) {
        ctx.time_of_day = t;
        const auto head = lamp_head(14, ctx);
        ASSERT_FALSE(head.empty());
        for (const WorldCorner& c : head) EXPECT_TRUE(colour_is(c, 1, 0.5f, 0.2f)) << "glows unlit at " << t;
    }
    for (const float t : {0.3f, 0.7f, 0.5f}) {
        ctx.time_of_day = t;
        for (const WorldCorner& c : lamp_head(14, ctx)) {
            EXPECT_TRUE(colour_is(c, 0.2f * 0.5f, 0.2f * 0.25f, 0.2f * 0.1f)) << "lit day colour at " << t;
        }
    }
    // A selected lamp's head is yellow and lit, day or night.
    for (const float t : {0.1f, 0.5f}) {
        const auto head = lamp_head(12, normal_pass(true, t));
        ASSERT_FALSE(head.empty());
        for (const WorldCorner& c : head) EXPECT_TRUE(colour_is(c, 0.2f, 0.2f, 0)) << "t = " << t;
    }
}

TEST_F(FurnitureGl, LampsTurnTheirArmAboutThePole) {
    // Code 14 reaches toward +z: its head's outer end faces +z, 1.03 from the axis.
    const auto reference = capture_world([] { draw_street_lamp(normal_pass(false, 0.5f), 14, 0, 0); });
    int outer_end = 0;
    for (const WorldPolygon& poly : reference) {
        if (!all_corners_match(poly, [](const WorldCorner& c) { return std::fabs(c.p.z - 1.03f) < 1e-3f; })) continue;
        ++outer_end;
        EXPECT_GT(facing(poly).z, 0.0f);
    }
    EXPECT_GT(outer_end, 0);

    // Codes 11..13 are the same lamp turned toward -x, -z, +x: each corner
    // is the turned corner of code 14, in the same order, so every face
    // keeps its winding.
    const Vec3 arm[] = {{-1, 0, 0}, {0, 0, -1}, {1, 0, 0}};
    for (int code = 11; code <= 13; ++code) {
        const Vec3 a = arm[code - 11];
        const auto polys = capture_world([&] { draw_street_lamp(normal_pass(false, 0.5f), code, 1.5f, -2.5f); });
        ASSERT_EQ(polys.size(), reference.size()) << "code " << code;
        for (std::size_t i = 0; i < polys.size(); ++i) {
            for (std::size_t k = 0; k < polys[i].size(); ++k) {
                const Vec3 p = reference[i][k].p;
                const Vec3 want = Vec3{1.5f, p.y, -2.5f} + p.x * Vec3{a.z, 0, -a.x} + p.z * a;
                EXPECT_NEAR(length(polys[i][k].p - want), 0.0f, 1e-3) << "code " << code << " face " << i;
            }
        }
    }
}

TEST_F(FurnitureGl, LampShadowSetsNoColourAndStaysUnlit) {
    ModelContext shadow = shadow_pass();
    shadow.lighting = 1;
    shadow.time_of_day = 0.1f;  // even when it would glow
    const auto polys = capture_world([&] {
        glColor4f(0, 0, 0, 0.4f);
        draw_street_lamp(shadow, 13, 0, 0);
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "a shadow is black: lighting it is wasted work";
    });
    ASSERT_FALSE(polys.empty());
    for (const WorldCorner& c : all_corners(polys)) {
        EXPECT_TRUE(colour_is(c, 0, 0, 0));
        EXPECT_NEAR(c.a, 0.4f, 0.01f);
    }
    shadow.lighting = 0;
    capture_world([&] {
        draw_street_lamp(shadow, 13, 0, 0);
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "the lighting switch is off";
    });
}

// ---- Stop signs -------------------------------------------------------------

namespace {

// The polygons of the sign plate, in the order drawn: wider than the post.
std::vector<WorldPolygon> sign_plates(int code, const ModelContext& ctx, float x, float z) {
    const auto polys = capture_world([&] {
        glColor3f(1, 1, ctx.selected ? 0.0f : 1.0f);
        draw_stop_sign(ctx, code, x, z);
    });
    std::vector<WorldPolygon> plates;
    for (const WorldPolygon& poly : polys) {
        const Bounds b = bounds_of(poly);
        if (b.hi.x - b.lo.x > 0.05f || b.hi.z - b.lo.z > 0.05f) plates.push_back(poly);
    }
    return plates;
}

}  // namespace

TEST_F(FurnitureGl, StopSignShowsItsFrontToOneSideAndItsBackToTheOther) {
    // The front ("stop sign") is drawn before the back ("stop sign2"); each
    // half of the plate polygons must face the side its code names.
    const struct {
        int code;
        Vec3 front;
    } cases[] = {{7, {-1, 0, 0}}, {8, {0, 0, 1}}, {9, {1, 0, 0}}, {10, {0, 0, -1}}};
    for (const auto& c : cases) {
        const auto plates = sign_plates(c.code, normal_pass(false), 3, -4);
        ASSERT_GE(plates.size(), 2u);
        ASSERT_EQ(plates.size() % 2, 0u);
        const std::size_t half = plates.size() / 2;
        for (std::size_t i = 0; i < plates.size(); ++i) {
            const Vec3 n = facing(plates[i]);
            const float toward_front = dot(n, c.front) / length(n);
            if (i < half) {
                EXPECT_GT(toward_front, 0.999f) << "code " << c.code << " front";
            } else {
                EXPECT_LT(toward_front, -0.999f) << "code " << c.code << " back";
            }
        }
        const Bounds b = bounds_of(plates);
        EXPECT_NEAR(b.lo.y, 0.53f, 1e-3);
        EXPECT_NEAR(b.hi.y, 1.03f, 1e-3);
    }
    // The front texture reads the right way round from the front: on code 7
    // seen from -x, the lower corner on the viewer's right (+z) takes s = 0.71;
    // on code 9 seen from +x the viewer's right is -z.
    for (const int code : {7, 9}) {
        const auto plates = sign_plates(code, normal_pass(false), 0, 0);
        const float right_z = code == 7 ? 0.105f : -0.1065f;
        bool found = false;
        for (std::size_t i = 0; i < plates.size() / 2; ++i) {
            for (const WorldCorner& corner : plates[i]) {
                if (std::fabs(corner.p.y - 0.53f) < 1e-3f && std::fabs(corner.p.z - right_z) < 1e-3f) {
                    EXPECT_NEAR(corner.s, 0.71f, 1e-3) << "code " << code;
                    found = true;
                }
            }
        }
        EXPECT_TRUE(found) << "code " << code;
    }
}

TEST_F(FurnitureGl, SelectedStopSignHasAYellowPostAndGreyFaces) {
    const auto polys = capture_world([] {
        glColor3f(1, 1, 0);
        draw_stop_sign(normal_pass(true), 8, 0, 0);
    });
    int post = 0, plate = 0;
    for (const WorldPolygon& poly : polys) {
        const Bounds b = bounds_of(poly);
        const bool is_plate = b.hi.x - b.lo.x > 0.05f;
        for (const WorldCorner& c : poly) {
            if (is_plate) {
                ++plate;
                EXPECT_TRUE(colour_is(c, 0.5f, 0.5f, 0.5f));
            } else {
                ++post;
                EXPECT_TRUE(colour_is(c, 1, 1, 0));
            }
        }
    }
    EXPECT_GT(post, 0);
    EXPECT_GT(plate, 0);
    EXPECT_NEAR(bounds_of(polys).lo.y, 0.0f, 1e-3);
}

// ---- Smoke stack ------------------------------------------------------------

TEST_F(FurnitureGl, StackIsAnOpenTubeSeenFromInsideFromAbove) {
    OffscreenContext view(60, 44);
    const float x = 4, z = -3;
    // Straight down the axis: open in the middle, the inner walls round it.
    look(view, {x, 18, z + 0.001f}, {x, 0, z}, {0, 0, -1});
    draw_smoke_stack(normal_pass(false), x, z);
    EXPECT_TRUE(shows_background(view, 30, 22)) << "no top and no bottom";
    int walls = 0;
    for (int px = 30; px < 60; px += 2) walls += shows_background(view, px, 22) ? 0 : 1;
    EXPECT_GT(walls, 0) << "the inside shows round the opening";

    // Only outer faces face an outside viewer: from above the axis no outer
    // face survives culling, and from the side the inner faces in front are culled.
    const auto polys = capture_world([&] { draw_smoke_stack(normal_pass(false), x, z); });
    ASSERT_EQ(polys.size() % 2, 0u);
    const std::size_t half = polys.size() / 2;
    for (std::size_t i = 0; i < polys.size(); ++i) {
        Vec3 mid;
        for (const WorldCorner& c : polys[i]) mid = mid + c.p / static_cast<float>(polys[i].size());
        const Vec3 outward{mid.x - x, 0, mid.z + 3};
        const float d = dot(facing(polys[i]), outward);
        if (i < half) {
            EXPECT_GT(d, 0.0f) << "outer face " << i;
        } else {
            EXPECT_LT(d, 0.0f) << "inner face " << i;
        }
    }
    const Bounds b = bounds_of(polys);
    EXPECT_NEAR(b.hi.y, 16.0f, 1e-3);
    EXPECT_NEAR(b.hi.x - x, 0.886f * 0.65f, 1e-3);
    EXPECT_NEAR(b.hi.z - z, 0.65f, 1e-3);
}

// ---- Hanging sign -----------------------------------------------------------

TEST_F(FurnitureGl, HangingSignFloatsAtItsHeightFacingWest) {
    const auto polys = capture_world([] { draw_hanging_sign(normal_pass(false), -2, 6, 4.5f); });
    ASSERT_FALSE(polys.empty());
    expect_bounds(bounds_of(polys), {-2, 4.5f, 5.9f}, {-2, 4.7f, 6.1f}, "the sign");
    for (const WorldPolygon& poly : polys) EXPECT_LT(facing(poly).x, 0.0f);
}

TEST_F(FurnitureGl, ClockBlockSidesShowTheLowestThirdOfTheSideTexture) {
    // Base walls carry the whole texture; the block's +x, +z and -z sides
    // stop at t = 0.337 at their top, so the stones keep their size.
    const auto polys = capture_world([] { draw_clock_tower(normal_pass(false, 0.5f), 0, 0); });
    int block_tops = 0, face_tops = 0;
    for (const WorldCorner& c : all_corners(polys)) {
        if (std::fabs(c.p.y - 4.277f) > 1e-3f || std::fabs(std::fabs(c.p.x) - 0.6155f) > 1e-3f) continue;
        if (std::fabs(c.p.x + 0.6155f) < 1e-3f && std::fabs(c.t - 1.0f) < 1e-4f) {
            ++face_tops;  // the clock face, or a roof corner at s 0 or 1
        } else if (std::fabs(c.t - 0.337f) < 1e-4f) {
            ++block_tops;
        }
    }
    EXPECT_GE(face_tops, 2);
    EXPECT_GE(block_tops, 4);
}
