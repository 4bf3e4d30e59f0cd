// The six buildings: their footprint and height, roof and wall colours, and
// what a viewer above, beside and inside them sees.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "draw/model_probe.h"
#include "town_models.h"
#include "draw.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

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

class BuildingsGl : public ::testing::Test {
protected:
    OffscreenContext gl{2 * WORLD_HALF, 2 * WORLD_HALF};
};

}  // namespace

TEST_F(BuildingsGl, EachBuildingFillsItsBoxWhateverTheObjectsSizeFields) {
    // Drawn through the world pass, so the object's size and height really
    // reach the loop; they must not reach the building.
    EditedTown town;
    DrawState drawing;
    const float x = 21.5f, z = -17.25f;
    for (const Expected& e : BUILDINGS) {
        const std::string what = "code " + std::to_string(e.code);
        // y is stored but never drawn: buildings stand on the ground.
        town.town_objects.objects[0] =
            std::make_unique<ControlPoint>(x, 5.0f, z, 7.0f, 30.0f, 1.0f, 0, 0, 0, 0);
        town.town_objects.object_type[0] = e.code;
        town.town_objects.object_count = 1;
        std::vector<WorldCorner> corners;
        for (const WorldPolygon& poly : capture_world([&] { draw_world(town, town.editor, drawing, 0); })) {
            // Keep what stands near the building; the light marker hangs at the origin.
            if (all_corners_match(poly, [&](const WorldCorner& c) { return std::fabs(c.p.x - x) < 5; })) {
                corners.insert(corners.end(), poly.begin(), poly.end());
            }
        }
        ASSERT_FALSE(corners.empty()) << what;
        expect_bounds(bounds_of(corners), {x - e.a, 0, z - e.b}, {x + e.a, e.apex > 0 ? e.apex : e.wall_height, z + e.b},
                      what);
        // Every corner is on the ground, at the wall top or at the apex.
        for (const WorldCorner& c : corners) {
            const bool known = std::fabs(c.p.y) < 1e-3f || std::fabs(c.p.y - e.wall_height) < 1e-3f ||
                               (e.apex > 0 && std::fabs(c.p.y - e.apex) < 1e-3f);
            EXPECT_TRUE(known) << what << " corner at y " << c.p.y;
        }
    }
}

TEST_F(BuildingsGl, WallsAreWhiteAndASelectedBuildingAllYellow) {
    // The walls are set white over the roof's colour (which the picture
    // from above checks); selected, roof and walls are yellow.
    for (const Expected& e : BUILDINGS) {
        if (e.apex > 0) continue;  // the house sets its own white
        for (const bool selected : {false, true}) {
            const auto polys = capture_world([&] {
                glColor3f(0.2f, 0.3f, 0.4f);
                draw_building(normal_pass(selected), e.code, 2.0f, -3.0f);
            });
            ASSERT_GE(polys.size(), 5u) << "code " << e.code;
            for (const WorldPolygon& poly : polys) {
                if (!selected && all_corners_match(poly, [&](const WorldCorner& c) {
                        return std::fabs(c.p.y - e.wall_height) < 1e-3f;
                    })) {
                    continue;  // the roof
                }
                for (const WorldCorner& c : poly) {
                    EXPECT_TRUE(colour_is(c, 1, 1, selected ? 0.0f : 1.0f)) << "code " << e.code << " selected " << selected;
                }
            }
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
    const Bounds b = bounds_of(shrub);
    EXPECT_NEAR(b.hi.x - b.lo.x, 2 * 0.1925f, 1e-3);
    EXPECT_NEAR(b.hi.y, 1.7f * 0.23f, 1e-3);
    for (const WorldCorner& c : all_corners(shrub)) EXPECT_TRUE(colour_is(c, 1, 1, 0));

    const auto flat = capture_world([&] {
        glColor4f(0, 0, 0, 0.4f);
        draw_building(shadow_pass(), 4, 0, 0);
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
        EXPECT_FALSE(shows_background_at_centre(view)) << "code " << e.code;
        if (e.apex == 0) {
            const float* want = e.code <= 2 ? ROOF_88 : ROOF_81;
            const Rgba roof = view.pixel(24, 18);
            EXPECT_NEAR(roof.r, want[0] * 255, 2) << "code " << e.code;
            EXPECT_NEAR(roof.g, want[1] * 255, 2) << "code " << e.code;
            EXPECT_NEAR(roof.b, want[2] * 255, 2) << "code " << e.code;
        }

        // From the middle of the ground floor every wall is a back face.
        const Vec3 inside{x, 0.5f * e.wall_height, z};
        for (const Vec3& d : {Vec3{1, 0, 0.1f}, Vec3{-1, 0, -0.1f}, Vec3{0.1f, 0, 1}, Vec3{-0.1f, 0, -1}}) {
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
