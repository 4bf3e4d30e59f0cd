// Trees: a cone-shaped canopy on a diamond trunk, sized by the object.
#include <GL/gl.h>

#include <array>

#include "box_model.h"
#include "town_models.h"

namespace {

// The canopy's base ring sits at a quarter of the tree's height; the frame
// scales x and z by the canopy radius and y by the tree's height.
constexpr float CANOPY_BASE = 0.25f;
constexpr float DIAGONAL = 0.707f;

// The ring, counter-clockwise seen from above; the last corner repeats the
// first with s = 0.9, so the texture does not wrap all the way round.
constexpr FanCorner CANOPY_RING[] = {
    {1, 0, 0, 1, CANOPY_BASE, 0, 0.1f, 0},
    {DIAGONAL, 0, -DIAGONAL, DIAGONAL, CANOPY_BASE, -DIAGONAL, 0.2f, 0},
    {0, 0, -1, 0, CANOPY_BASE, -1, 0.3f, 0},
    {-DIAGONAL, 0, -DIAGONAL, -DIAGONAL, CANOPY_BASE, -DIAGONAL, 0.4f, 0},
    {-1, 0, 0, -1, CANOPY_BASE, 0, 0.5f, 0},
    {-DIAGONAL, 0, DIAGONAL, -DIAGONAL, CANOPY_BASE, DIAGONAL, 0.6f, 0},
    {0, 0, 1, 0, CANOPY_BASE, 1, 0.7f, 0},
    {DIAGONAL, 0, DIAGONAL, DIAGONAL, CANOPY_BASE, DIAGONAL, 0.8f, 0},
    {1, 0, 0, 1, CANOPY_BASE, 0, 0.9f, 0},
};
constexpr std::size_t RING = sizeof CANOPY_RING / sizeof CANOPY_RING[0];
static_assert(RING == 9, "eight directions and the closing corner");

constexpr FanCorner APEX = {0, 1, 0, 0, 1, 0, 0.5f, 1};
constexpr FanCorner UNDERSIDE_CENTRE = {0, 1, 0, 0, CANOPY_BASE, 0, 0.5f, 1};

// The cone around its apex.
constexpr std::array<FanCorner, RING + 1> canopy() {
    std::array<FanCorner, RING + 1> fan{};
    fan[0] = APEX;
    for (std::size_t i = 0; i < RING; ++i) fan[i + 1] = CANOPY_RING[i];
    return fan;
}

// The disc that closes the cone, with the ring run backwards so it faces
// down and is seen only from below.
constexpr std::array<FanCorner, RING + 1> underside() {
    std::array<FanCorner, RING + 1> fan{};
    fan[0] = UNDERSIDE_CENTRE;
    for (std::size_t i = 0; i < RING; ++i) fan[i + 1] = CANOPY_RING[RING - 1 - i];
    return fan;
}

constexpr std::array<FanCorner, RING + 1> CANOPY = canopy();
constexpr std::array<FanCorner, RING + 1> UNDERSIDE = underside();

// The trunk's corners stand at 0.21 of the canopy radius on the four axes;
// y runs from the ground (0) to the canopy's base (1).
constexpr float K = 0.21f;
constexpr QuadFace TRUNK[] = {
    // between +z and -x
    {-DIAGONAL, 0, DIAGONAL, {{0, 0, K, 0.25f, 0}, {0, 1, K, 0.25f, 1}, {-K, 1, 0, 0, 1}, {-K, 0, 0, 0, 0}}},
    // between +x and +z
    {DIAGONAL, 0, DIAGONAL, {{K, 0, 0, 0.5f, 0}, {K, 1, 0, 0.5f, 1}, {0, 1, K, 0.25f, 1}, {0, 0, K, 0.25f, 0}}},
    // between -z and +x
    {DIAGONAL, 0, -DIAGONAL, {{0, 0, -K, 0.75f, 0}, {0, 1, -K, 0.75f, 1}, {K, 1, 0, 0.5f, 1}, {K, 0, 0, 0.5f, 0}}},
    // between -x and -z: the bark lies a quarter turn round here
    {-DIAGONAL, 0, -DIAGONAL, {{-K, 0, 0, 0, 0}, {-K, 1, 0, 1, 0}, {0, 1, -K, 1, 1}, {0, 0, -K, 0, 1}}},
};
static_assert(sizeof TRUNK / sizeof TRUNK[0] == 4, "a four-sided trunk");

}  // namespace

void draw_tree(const ModelContext&, float x, float z, float size, float height) {
    const LocalFrame crown{{x, 0, z}, {size, 0, 0}, {0, height, 0}, {0, 0, size}};
    bind_model_texture("tree");
    draw_fan_table(CANOPY.data(), CANOPY.size(), crown);
    draw_fan_table(UNDERSIDE.data(), UNDERSIDE.size(), crown);
    unbind_model_texture();

    const LocalFrame trunk{{x, 0, z}, {size, 0, 0}, {0, CANOPY_BASE * height, 0}, {0, 0, size}};
    bind_model_texture("bark");
    draw_face_table(FaceKind::Quads, TRUNK, trunk);
    unbind_model_texture();
}
