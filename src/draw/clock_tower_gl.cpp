// The clock tower: a base, the clock block with its face toward -x, a
// pyramid roof and two hands that show the town's time of day.
#include <GL/gl.h>

#include <array>

#include "box_model.h"
#include "town_models.h"
#include "vec3.h"

namespace {

constexpr float TOWER_HALF = 0.6155f;
constexpr float BASE_HEIGHT = 3.2f;
constexpr float BLOCK_HEIGHT = 1.077f;
constexpr float BLOCK_TOP = BASE_HEIGHT + BLOCK_HEIGHT;                     // 4.277
constexpr float ROOF_APEX = BASE_HEIGHT + PYRAMID_APEX * BLOCK_HEIGHT;      // 5.0309
// The side texture is drawn for the base's full height; the block's sides
// show only its lowest third, so the pattern keeps its scale.
constexpr float BLOCK_SIDE_TEXTURE_TOP = 0.337f;

constexpr std::array<QuadFace, 4> walls_with_texture_top(float t_top) {
    std::array<QuadFace, 4> walls{};
    for (std::size_t i = 0; i < walls.size(); ++i) {
        walls[i] = BOX_WALLS[i];
        for (TableCorner& c : walls[i].corner) c.t *= t_top;
    }
    return walls;
}
constexpr std::array<QuadFace, 4> BLOCK_WALLS = walls_with_texture_top(BLOCK_SIDE_TEXTURE_TOP);

// The base is a flat-roofed building of its own.
constexpr BoxModel TOWER_BASE = {15, TOWER_HALF, TOWER_HALF, BASE_HEIGHT, "clock side", "clock side",
                                 RoofKind::Flat, 88 / 255.0f, 87 / 255.0f, 80 / 255.0f, nullptr};

// The hands turn about a centre a little below the middle of the face and
// float just in front of it.
constexpr float HAND_CENTRE_HEIGHT = BASE_HEIGHT + 0.38f * BLOCK_HEIGHT;  // 3.60926
constexpr float HAND_GAP = 0.01f;

struct Hand {
    float half_width, length;
    float turns_per_half_day;
};
constexpr Hand HOUR_HAND{0.01f, 0.15f, 1};
constexpr Hand MINUTE_HAND{0.007f, 0.23f, 12};

// The hand's angle in the face plane: up at midnight, clockwise as seen from
// the front. Stored as a float, as the sine and cosine are taken of it.
float hand_angle(float time_of_day, const Hand& hand) {
    return static_cast<float>(6.283 - time_of_day * 4.0 * hand.turns_per_half_day * 3.1415 + 1.57075);
}

// A hand as a five-corner arrow in the plane of its frame: local x runs along
// the hand, local y across it, local z out of the face.
TableFace<5> hand_face(const Hand& hand) {
    const float w = hand.half_width;
    const float l = hand.length;
    return TableFace<5>{0, 0, 1,
                        {{-w, -w, 0, 0, 0},
                         {-w, w, 0, 0, 0},
                         {l, 0.6f * w, 0, 0, 0},
                         {1.08f * l, 0, 0, 0, 0},
                         {l, -0.6f * w, 0, 0, 0}}};
}

void draw_hand(const Hand& hand, float time_of_day, Vec3 centre) {
    const float a = hand_angle(time_of_day, hand);
    const float s = sine(a);
    const float c = cosine(a);
    const Vec3 along{0, s, c};
    const Vec3 across{0, -c, s};
    const LocalFrame frame{centre, along, across, {-1, 0, 0}};
    const TableFace<5> face = hand_face(hand);
    draw_face_table<5>(FaceKind::Polygon, &face, 1, frame, TexCoords::Inherit);
}

}  // namespace

void draw_clock_tower(const ModelContext& ctx, float x, float z) {
    draw_box_model(ctx, TOWER_BASE, x, z);

    const LocalFrame block = box_frame(x, z, BASE_HEIGHT, TOWER_HALF, TOWER_HALF, BLOCK_HEIGHT);
    bind_model_texture("clock");
    draw_face_table<4>(FaceKind::Quads, BOX_WALLS, 1, block);  // the -x wall is the clock face
    unbind_model_texture();
    bind_model_texture("clock side");
    draw_face_table<4>(FaceKind::Quads, BLOCK_WALLS.data() + 1, 3, block);  // +x, +z, -z
    unbind_model_texture();

    draw_pyramid_roof(ctx, "building 3 roof", block, ROOF_APEX - BLOCK_TOP);

    if (ctx.pass != 0) return;
    set_face_colour(ctx, 0, 0, 0);
    const Vec3 centre{x - TOWER_HALF - HAND_GAP, HAND_CENTRE_HEIGHT, z};
    draw_hand(HOUR_HAND, ctx.time_of_day, centre);
    draw_hand(MINUTE_HAND, ctx.time_of_day, centre);
}
