// The six buildings: their footprint and height, roof and wall colours, and
// what a viewer above, beside and inside them sees.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "models/model_probe.h"
#include "models/town_models.h"
#include "render/draw.h"
#include "support/gl_context.h"
#include "view/town.h"

namespace {

struct Expected {
    int code;
    float a, b, wall_height, apex;  // apex 0 for a flat roof
};
const Expected BUILDINGS[] = {
    {1, 1.6f, 4.55f, 16.78f, 0},  {2, 1.07f, 1.435f, 2.3f, 0}, {3, 0.77f, 0.77f, 0.92f, 1.564f},
    {4, 1.89f, 3.0f, 8.6f, 0},    {16, 3.235f, 3.235f, 7.8f, 0}, {17, 1.235f, 1.235f, 3.2f, 0},
};

const float ROOF_88[3] = {88 / 255.0f, 87 / 255.0f, 80 / 255.0f};
const float ROOF_81[3] = {81 / 255.0f, 86 / 255.0f, 85 / 255.0f};

bool horizontal_at(const WorldPolygon& poly, float y) {
    return all_corners_match(poly, [y](const WorldCorner& c) { return std::fabs(c.p.y - y) < 1e-3f; });
}

class BuildingsGl : public ::testing::Test {
protected:
    OffscreenContext gl{2 * WORLD_HALF, 2 * WORLD_HALF};
};

}  // namespace

TEST_F(BuildingsGl, EachBuildingFillsItsBoxWhateverTheObjectsSizeFields) {
    // Drawn through the world pass, so the object's size and height really
    // reach the loop; they must not reach the building.
    Town town(nullptr);
    const float x = 21.5f, z = -17.25f;
    for (const Expected& e : BUILDINGS) {
        // y is stored but never drawn: buildings stand on the ground.
        town.objects[0] = std::make_unique<ControlPoint>(x, 5.0f, z, 7.0f, 30.0f, 1.0f, 0, 0, 0, 0);
        town.object_type[0] = e.code;
        town.object_count = 1;
        const auto polys = capture_world([&] { draw_world(town, 0); });
        std::vector<WorldCorner> corners;
        for (const WorldPolygon& poly : polys) {
            // Keep what stands near the building; the light marker hangs at the origin.
            if (all_corners_match(poly, [&](const WorldCorner& c) { return std::fabs(c.p.x - x) < 5; })) {
                corners.insert(corners.end(), poly.begin(), poly.end());
            }
        }
        ASSERT_FALSE(corners.empty()) << "code " << e.code;
        const Bounds b = bounds_of(corners);
        EXPECT_NEAR(b.lo.x, x - e.a, 1e-3) << "code " << e.code;
        EXPECT_NEAR(b.hi.x, x + e.a, 1e-3) << "code " << e.code;
        EXPECT_NEAR(b.lo.z, z - e.b, 1e-3) << "code " << e.code;
        EXPECT_NEAR(b.hi.z, z + e.b, 1e-3) << "code " << e.code;
        EXPECT_NEAR(b.lo.y, 0.0f, 1e-3) << "code " << e.code;
        EXPECT_NEAR(b.hi.y, e.apex > 0 ? e.apex : e.wall_height, 1e-3) << "code " << e.code;
        // Every corner is on the ground, at the wall top or at the apex.
        for (const WorldCorner& c : corners) {
            const bool known = std::fabs(c.p.y) < 1e-3f || std::fabs(c.p.y - e.wall_height) < 1e-3f ||
                               (e.apex > 0 && std::fabs(c.p.y - e.apex) < 1e-3f);
            EXPECT_TRUE(known) << "code " << e.code << " corner at y " << c.p.y;
        }
    }
}

TEST_F(BuildingsGl, FlatRoofHasItsColourAndTurnsYellowWhenSelected) {
    const struct {
        int code;
        const float* roof;
        float wall_height;
    } cases[] = {{1, ROOF_88, 16.78f}, {2, ROOF_88, 2.3f}, {4, ROOF_81, 8.6f}, {16, ROOF_81, 7.8f}, {17, ROOF_81, 3.2f}};
    for (const auto& c : cases) {
        const auto plain = capture_world([&] {
            glColor3f(1, 1, 1);
            draw_building(normal_pass(false), c.code, 2.0f, -3.0f);
        });
        ASSERT_EQ(plain.size() >= 5u, true) << "code " << c.code;
        int roof_corners = 0;
        for (const WorldPolygon& poly : plain) {
            const bool roof = horizontal_at(poly, c.wall_height);
            for (const WorldCorner& corner : poly) {
                if (roof) {
                    ++roof_corners;
                    EXPECT_TRUE(colour_is(corner, c.roof[0], c.roof[1], c.roof[2])) << "code " << c.code;
                } else {
                    EXPECT_TRUE(colour_is(corner, 1, 1, 1)) << "walls are white, code " << c.code;
                }
            }
        }
        EXPECT_GT(roof_corners, 0) << "code " << c.code;

        const auto selected = capture_world([&] {
            glColor3f(1, 1, 0);
            draw_building(normal_pass(true), c.code, 2.0f, -3.0f);
        });
        for (const WorldCorner& corner : all_corners(selected)) {
            EXPECT_TRUE(colour_is(corner, 1, 1, 0)) << "code " << c.code;
        }
    }
}

TEST_F(BuildingsGl, HouseAndShrubSetTheirOwnWhiteAndAShadowPassSetsNoColour) {
    // The house and the shrub draw their roof after setting white themselves.
    const auto house = capture_world([] {
        glColor3f(0.2f, 0.3f, 0.4f);
        draw_building(normal_pass(false), 3, 0, 0);
    });
    for (const WorldCorner& c : all_corners(house)) EXPECT_TRUE(colour_is(c, 1, 1, 1));
    const auto shrub = capture_world([] {
        glColor3f(0.2f, 0.3f, 0.4f);
        draw_shrub(normal_pass(true), 4, 1);
    });
    const Bounds b = bounds_of(all_corners(shrub));
    EXPECT_NEAR(b.hi.x - b.lo.x, 2 * 0.1925f, 1e-3);
    EXPECT_NEAR(b.hi.y, 1.7f * 0.23f, 1e-3);
    for (const WorldCorner& c : all_corners(shrub)) EXPECT_TRUE(colour_is(c, 1, 1, 0));

    ModelContext shadow;
    shadow.pass = 1;
    const auto flat = capture_world([&] {
        glColor4f(0, 0, 0, 0.4f);
        draw_building(shadow, 4, 0, 0);
    });
    for (const WorldCorner& c : all_corners(flat)) {
        EXPECT_TRUE(colour_is(c, 0, 0, 0));
        EXPECT_NEAR(c.a, 0.4f, 0.01f);
    }
}

TEST_F(BuildingsGl, RoofShowsFromAboveAndNoWallFromInside) {
    OffscreenContext view(48, 36);
    for (const Expected& e : BUILDINGS) {
        const float x = 3.0f, z = -2.0f;
        const float top = e.apex > 0 ? e.apex : e.wall_height;
        look(view, {x + 0.01f, top + 6, z + 0.02f}, {x, 0, z}, {0, 0, -1});
        draw_building(normal_pass(false), e.code, x, z);
        const Rgba roof = view.pixel(24, 18);
        if (e.apex > 0) {
            EXPECT_FALSE(shows_background_at_centre(view)) << "code " << e.code;
        } else {
            const float* want = e.code <= 2 ? ROOF_88 : ROOF_81;
            EXPECT_NEAR(roof.r, want[0] * 255, 2) << "code " << e.code;
            EXPECT_NEAR(roof.g, want[1] * 255, 2) << "code " << e.code;
            EXPECT_NEAR(roof.b, want[2] * 255, 2) << "code " << e.code;
        }

        // From the middle of the ground floor every wall is a back face.
        const Vec3 inside{x, 0.5f * e.wall_height, z};
        const Vec3 directions[] = {{1, 0, 0.1f}, {-1, 0, -0.1f}, {0.1f, 0, 1}, {-0.1f, 0, -1}};
        for (const Vec3& d : directions) {
            look(view, inside, inside + d);
            draw_building(normal_pass(false), e.code, x, z);
            EXPECT_TRUE(shows_background_at_centre(view)) << "code " << e.code;
        }
        // From outside the same wall shows.
        look(view, {x - e.a - 3, 0.5f * e.wall_height, z}, {x, 0.5f * e.wall_height, z});
        draw_building(normal_pass(false), e.code, x, z);
        EXPECT_FALSE(shows_background_at_centre(view)) << "code " << e.code;
    }
}
