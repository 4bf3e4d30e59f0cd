// Trees: sized by the object, a canopy closed from below, a diamond trunk,
// and the same geometry without colours in the shadow pass.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "draw/model_probe.h"
#include "town_models.h"
#include "support/gl_context.h"

namespace {

class TreesGl : public ::testing::Test {
protected:
    OffscreenContext gl{2 * WORLD_HALF, 2 * WORLD_HALF};
};

float from_axis(const WorldCorner& c, float x, float z) { return std::hypot(c.p.x - x, c.p.z - z); }

}  // namespace

TEST_F(TreesGl, SizeIsTheCanopyRadiusAndHeightTheApex) {
    const float x = -3.5f, z = 2.25f;
    const auto polys = capture_world([&] { draw_tree(normal_pass(false), x, z, 2.0f, 8.0f); });
    ASSERT_FALSE(polys.empty());
    float apex = 0, ring = 0, trunk = 0, trunk_top = 0;
    for (const WorldCorner& c : all_corners(polys)) {
        const float r = from_axis(c, x, z);
        if (c.p.y > 2.001f) {
            // Only the apex stands above the canopy's base, on the axis.
            EXPECT_NEAR(c.p.y, 8.0f, 1e-3);
            EXPECT_NEAR(r, 0.0f, 1e-3);
            apex = c.p.y;
        } else if (std::fabs(c.p.y - 2.0f) < 1e-3f && r > 0.5f) {
            ring = std::max(ring, r);
            EXPECT_GT(r, 0.707f * 2 * std::sqrt(2.0f) - 1e-3f) << "ring corners lie on the canopy's edge";
        } else if (r > 1e-3f) {
            // Trunk corners: on the four axes at 0.21 of the radius.
            EXPECT_NEAR(r, 0.42f, 1e-3);
            EXPECT_TRUE(std::fabs(c.p.x - x) < 1e-3f || std::fabs(c.p.z - z) < 1e-3f);
            trunk = r;
            trunk_top = std::max(trunk_top, c.p.y);
        }
    }
    EXPECT_NEAR(apex, 8.0f, 1e-3);
    EXPECT_NEAR(ring, 2.0f, 1e-3);
    EXPECT_NEAR(trunk, 0.42f, 1e-3);
    EXPECT_NEAR(trunk_top, 2.0f, 1e-3);

    // A tree made from the keyboard: radius 1, up to 4.5.
    expect_bounds(bounds_of(capture_world([] { draw_tree(normal_pass(false), 0, 0, 1.0f, 4.5f); })), {-1, 0, -1},
                  {1, 4.5f, 1}, "a keyboard tree");
}

TEST_F(TreesGl, UndersideShowsFromBelowOnly) {
    const float x = 1, z = -2;
    // Straight down, the underside is culled and the canopy shows; straight
    // up, the cone's own triangles are back faces and the underside closes it.
    const auto lies_at_base = [](const WorldPolygon& poly) {
        return all_corners_match(poly, [](const WorldCorner& c) { return std::fabs(c.p.y - 2.0f) < 1e-3f; });
    };
    const auto above = capture_world([&] { draw_tree(normal_pass(false), x, z, 2.0f, 8.0f); }, LookFrom::Above, true);
    int canopy = 0;
    for (const WorldPolygon& poly : above) {
        EXPECT_FALSE(lies_at_base(poly)) << "no underside from above";
        canopy += bounds_of(poly).hi.y > 7.999f ? 1 : 0;
    }
    EXPECT_EQ(canopy, 8) << "all eight canopy triangles face up";
    const auto below = capture_world([&] { draw_tree(normal_pass(false), x, z, 2.0f, 8.0f); }, LookFrom::Below, true);
    int underside = 0;
    for (const WorldPolygon& poly : below) {
        EXPECT_LT(bounds_of(poly).hi.y, 2.001f) << "no canopy triangle from below";
        underside += lies_at_base(poly) ? 1 : 0;
    }
    EXPECT_EQ(underside, 8);
}

TEST_F(TreesGl, ShadowPassDrawsTheSameGeometryWithoutColours) {
    const auto normal = capture_world([] {
        glColor3f(1, 1, 0);  // the loop's colour for a selected tree
        draw_tree(normal_pass(true), 5, 5, 1.5f, 6.0f);
    });
    const auto flat = capture_world([&] {
        glColor4f(0, 0, 0, 0.4f);
        draw_tree(shadow_pass(), 5, 5, 1.5f, 6.0f);
    });
    ASSERT_EQ(normal.size(), flat.size());
    for (std::size_t i = 0; i < normal.size(); ++i) {
        ASSERT_EQ(normal[i].size(), flat[i].size());
        for (std::size_t k = 0; k < normal[i].size(); ++k) {
            EXPECT_NEAR(length(normal[i][k].p - flat[i][k].p), 0.0f, 1e-5);
            EXPECT_FLOAT_EQ(normal[i][k].s, flat[i][k].s);
            EXPECT_FLOAT_EQ(normal[i][k].t, flat[i][k].t);
            EXPECT_TRUE(colour_is(normal[i][k], 1, 1, 0)) << "canopy and trunk take the loop's yellow";
            EXPECT_TRUE(colour_is(flat[i][k], 0, 0, 0));
            EXPECT_NEAR(flat[i][k].a, 0.4f, 0.01f);
        }
    }
}
