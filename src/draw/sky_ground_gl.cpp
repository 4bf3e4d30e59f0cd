// The background of every frame: a sky box around the camera's anchor,
// dimmed at night, and the flat ground of the town: concrete streets, cement
// blocks and a ring of green land out to the edge of the sky.
#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <iterator>

#include "draw_cache.h"
#include "face_table.h"
#include "draw.h"
#include "texture_cache.h"
#include "town.h"

namespace {

// Half the sky box's edge: its corners (57 * sqrt(3) away) stay inside the
// far clipping distance of 100.
constexpr float SKY_HALF_SIZE = 57.0f;

// The least the sky is lit, at night, as a fraction of its textures' colours.
constexpr float NIGHT_SKY = 0.03f;

// The land between the town square and the sky: (112, 135, 90) out of 255.
constexpr float LAND_TINT[3] = {0.4392157f, 0.5294118f, 0.3529412f};

struct SkyFace {
    const char* texture;
    QuadFace face;  // corners on the unit cube, scaled to the box when drawn
};

// Every face winds counter-clockwise seen from inside the box, so none is
// culled; the sky is unlit, so the one shared normal only keeps GL state tidy.
constexpr SkyFace SKY_FACES[] = {
    {"sky front", {0, 0, -1, {{1, -1, -1, 1, 0}, {1, 1, -1, 1, 1}, {-1, 1, -1, 0, 1}, {-1, -1, -1, 0, 0}}}},
    {"sky left", {0, 0, -1, {{-1, -1, -1, 1, 0}, {-1, 1, -1, 1, 1}, {-1, 1, 1, 0, 1}, {-1, -1, 1, 0, 0}}}},
    {"sky back", {0, 0, -1, {{-1, -1, 1, 1, 0}, {-1, 1, 1, 1, 1}, {1, 1, 1, 0, 1}, {1, -1, 1, 0, 0}}}},
    {"sky right", {0, 0, -1, {{1, -1, 1, 1, 0}, {1, 1, 1, 1, 1}, {1, 1, -1, 0, 1}, {1, -1, -1, 0, 0}}}},
    {"sky top", {0, 0, -1, {{1, 1, -1, 1, 0}, {1, 1, 1, 1, 1}, {-1, 1, 1, 0, 1}, {-1, 1, -1, 0, 0}}}},
};
static_assert(std::size(SKY_FACES) == 5, "the sky box has no bottom face");

// A ground rectangle from x0 to x1 and z0 to z1 at height 0, counter-clockwise
// seen from above, its texture repeated once per world unit (repeats_x along
// x, repeats_z along z).
constexpr QuadFace ground_quad(float x0, float x1, float z0, float z1, float repeats_x, float repeats_z) {
    return {0, 1, 0,
            {{x0, 0, z1, 0, 0},
             {x1, 0, z1, repeats_x, 0},
             {x1, 0, z0, repeats_x, repeats_z},
             {x0, 0, z0, 0, repeats_z}}};
}

// The streets under the traffic's lanes along x = -14, 0, 14 and z = -14, 0, 14.
constexpr QuadFace STREETS[] = {
    ground_quad(-15, -13, -15, 13, 2, 28),  // west ring street
    ground_quad(-13, 15, -15, -13, 28, 2),  // north ring street
    ground_quad(13, 15, -13, 15, 2, 28),    // east ring street
    ground_quad(-15, 13, 13, 15, 28, 2),    // south ring street
    ground_quad(-1, 1, -13, 13, 2, 26),     // central north-south street
    ground_quad(-13, -1, -1, 1, 12, 2),     // central east-west street, west half
    ground_quad(1, 13, -1, 1, 12, 2),       // central east-west street, east half
};
static_assert(std::size(STREETS) == 7, "three streets each way, one split by the centre");

constexpr QuadFace BLOCKS[] = {
    ground_quad(-13, -1, -13, -1, 12, 12),  // north-west
    ground_quad(1, 13, -13, -1, 12, 12),    // north-east
    ground_quad(1, 13, 1, 13, 12, 12),      // south-east
    ground_quad(-13, -1, 1, 13, 12, 12),    // south-west
};
static_assert(std::size(BLOCKS) == 4, "one block between each pair of streets");

// Tiles of 30 x 30 on a 7 x 7 grid centred on the town square, which takes
// the middle place: the land reaches from -105 to 105 each way.
constexpr int LAND_GRID = 7;
constexpr float LAND_TILE = 30.0f;
constexpr std::size_t LAND_TILE_COUNT = LAND_GRID * LAND_GRID - 1;

constexpr std::array<QuadFace, LAND_TILE_COUNT> make_land_tiles() {
    std::array<QuadFace, LAND_TILE_COUNT> tiles{};
    std::size_t n = 0;
    for (int i = 0; i < LAND_GRID; ++i) {
        for (int j = 0; j < LAND_GRID; ++j) {
            const float a = LAND_TILE * static_cast<float>(i - LAND_GRID / 2);
            const float b = LAND_TILE * static_cast<float>(j - LAND_GRID / 2);
            if (a == 0 && b == 0) continue;  // the town square
            const float h = LAND_TILE / 2;
            tiles[n++] = ground_quad(a - h, a + h, b - h, b + h, LAND_TILE, LAND_TILE);
        }
    }
    return tiles;
}
constexpr std::array<QuadFace, LAND_TILE_COUNT> LAND_TILES = make_land_tiles();
static_assert(LAND_TILES.size() == 48, "a ring of 48 tiles around the town square");

// The same tables last quad first, for the ground drawn after the world.
template <std::size_t M>
constexpr std::array<QuadFace, M> backwards(const QuadFace* quads) {
    std::array<QuadFace, M> reversed{};
    for (std::size_t i = 0; i < M; ++i) reversed[i] = quads[M - 1 - i];
    return reversed;
}
constexpr auto STREETS_BACKWARDS = backwards<std::size(STREETS)>(STREETS);
constexpr auto BLOCKS_BACKWARDS = backwards<std::size(BLOCKS)>(BLOCKS);
constexpr auto LAND_TILES_BACKWARDS = backwards<LAND_TILE_COUNT>(LAND_TILES.data());

constexpr LocalFrame WORLD{};

// Binds the named texture around one batch of ground quads. The ground is
// lit, and its tiles reach past the view's edges: drawn directly as quads,
// never from a list, so each is cut as it always was (see FaceKind).
void draw_ground(const char* texture, const QuadFace* quads, std::size_t count) {
    glBindTexture(GL_TEXTURE_2D, texture_by_name(texture, true, true));
    draw_face_table<4>(FaceKind::UncutQuads, quads, count, WORLD);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The five sky faces around the origin; the frame moves them to the anchor.
void draw_sky_faces(const LocalFrame& sky) {
    for (const SkyFace& f : SKY_FACES) {
        glBindTexture(GL_TEXTURE_2D, texture_by_name(f.texture, false, false));
        draw_face_table<4>(FaceKind::Quads, &f.face, 1, sky);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

}  // namespace

void draw_town_ground() {
    glColor3f(1, 1, 1);
    draw_ground("concrete", STREETS, std::size(STREETS));
    draw_ground("cement", BLOCKS, std::size(BLOCKS));
    // The world pass sets its own colours, so the tint may stay current.
    glColor3f(LAND_TINT[0], LAND_TINT[1], LAND_TINT[2]);
    draw_ground("cement", LAND_TILES.data(), LAND_TILES.size());
}

// Where two ground quads meet at a T (a street's side along two blocks),
// both may cover a pixel at one depth. Drawn first with GL_LESS, the first
// quad kept that pixel; drawn with GL_LEQUAL, the last one does: so every
// quad comes in the opposite order.
void draw_ground_after_world() {
    glColor3f(LAND_TINT[0], LAND_TINT[1], LAND_TINT[2]);
    draw_ground("cement", LAND_TILES_BACKWARDS.data(), LAND_TILES_BACKWARDS.size());
    glColor3f(1, 1, 1);
    draw_ground("cement", BLOCKS_BACKWARDS.data(), BLOCKS_BACKWARDS.size());
    draw_ground("concrete", STREETS_BACKWARDS.data(), STREETS_BACKWARDS.size());
}

void draw_sky(const Town& town, DrawState& draw) {
    // Full brightness at noon, a faint glow at night.
    const float d = draw.daylight;
    const float tint = d >= 0 ? (1.0f - NIGHT_SKY) * d + NIGHT_SKY : NIGHT_SKY;
    glColor3f(tint, tint, tint);

    glDisable(GL_LIGHTING);
    const float s = SKY_HALF_SIZE;
    LocalFrame sky;
    sky.x_axis = {s, 0, 0};
    sky.y_axis = {0, s, 0};
    sky.z_axis = {0, 0, s};
    DrawCaches* caches = draw_caches(draw);
    if (caches == nullptr) {
        sky.origin = draw.sky_center;
        draw_sky_faces(sky);
    } else {
        // The box never changes, only where it stands.
        glPushMatrix();
        glTranslatef(draw.sky_center.x, draw.sky_center.y, draw.sky_center.z);
        caches->sky.draw(DrawKey{}, [&] { draw_sky_faces(sky); });
        glPopMatrix();
    }
    if (town.sky.lighting == 1) glEnable(GL_LIGHTING);
}

void leave_ground_state() {
    // The last corner of the last land tile: its normal and texture place.
    glColor3f(LAND_TINT[0], LAND_TINT[1], LAND_TINT[2]);
    glNormal3f(0, 1, 0);
    glTexCoord2f(0, LAND_TILE);
}

void draw_background(const Town& town, DrawState& draw) {
    // Writing no depth: everything drawn later covers the sky.
    glDisable(GL_DEPTH_TEST);
    draw_sky(town, draw);
    glEnable(GL_DEPTH_TEST);
    draw_town_ground();
}
