// The six buildings and the shrub: one table of sizes, textures and roofs,
// drawn by one box routine.
#include <GL/gl.h>

#include "box_model.h"
#include "town_models.h"

namespace {

constexpr float DARK_ROOF[3] = {88 / 255.0f, 87 / 255.0f, 80 / 255.0f};
constexpr float GREEN_ROOF[3] = {81 / 255.0f, 86 / 255.0f, 85 / 255.0f};

// The buildings by type code. Their size never comes from the object: only
// trees and the hanging sign read the object's size fields.
constexpr BoxModel BUILDINGS[] = {
    {1, 1.6f, 4.55f, 16.78f, "building 1 front", "building 1 side", RoofKind::Flat,
     DARK_ROOF[0], DARK_ROOF[1], DARK_ROOF[2], nullptr},
    {2, 1.07f, 1.435f, 2.3f, "building 2 front", "building 2 side", RoofKind::Flat,
     DARK_ROOF[0], DARK_ROOF[1], DARK_ROOF[2], nullptr},
    {3, 0.77f, 0.77f, 0.92f, "building 3 side", "building 3 side", RoofKind::Pyramid,
     1, 1, 1, "building 3 roof"},
    {4, 1.89f, 3.0f, 8.6f, "building 4 front", "building 4 side", RoofKind::Flat,
     GREEN_ROOF[0], GREEN_ROOF[1], GREEN_ROOF[2], nullptr},
    {16, 3.235f, 3.235f, 7.8f, "building 5", "building 5", RoofKind::Flat,
     GREEN_ROOF[0], GREEN_ROOF[1], GREEN_ROOF[2], nullptr},
    {17, 1.235f, 1.235f, 3.2f, "building 6", "building 6", RoofKind::Flat,
     GREEN_ROOF[0], GREEN_ROOF[1], GREEN_ROOF[2], nullptr},
};
static_assert(sizeof BUILDINGS / sizeof BUILDINGS[0] == 6, "six buildings");

// The shrub is the house at a quarter of its size, leaves all over.
constexpr BoxModel SHRUB = {5, 0.77f / 4, 0.77f / 4, 0.92f / 4, "shrubs side", "shrubs side",
                            RoofKind::Pyramid, 1, 1, 1, "shrubs side"};

}  // namespace

void draw_pyramid_roof(const ModelContext&, const char* texture, const LocalFrame& box, float rise) {
    const LocalFrame roof{box.origin + box.y_axis, box.x_axis, {0, rise, 0}, box.z_axis};
    bind_model_texture(texture);
    draw_face_table(FaceKind::Triangles, PYRAMID_ROOF, roof);
    unbind_model_texture();
}

void draw_box_model(const ModelContext& ctx, const BoxModel& model, float x, float z) {
    const LocalFrame box = box_frame(x, z, 0, model.a, model.b, model.wall_height);
    if (model.roof == RoofKind::Pyramid) {
        set_white(ctx);
        draw_pyramid_roof(ctx, model.roof_texture, box, (PYRAMID_APEX - 1) * model.wall_height);
    } else {
        set_face_colour(ctx, model.roof_red, model.roof_green, model.roof_blue);
        draw_face_table(FaceKind::Quads, FLAT_ROOF, box, TexCoords::Inherit);
        set_white(ctx);
    }
    // The x and z walls are bound separately even where they share a
    // texture, so each group asks the cache for its own name.
    bind_model_texture(model.x_texture);
    draw_face_table<4>(FaceKind::Quads, BOX_WALLS + X_WALLS, 2, box);
    unbind_model_texture();
    bind_model_texture(model.z_texture);
    draw_face_table<4>(FaceKind::Quads, BOX_WALLS + Z_WALLS, 2, box);
    unbind_model_texture();
}

void draw_building(const ModelContext& ctx, int code, float x, float z) {
    for (const BoxModel& model : BUILDINGS) {
        if (model.code == code) {
            draw_box_model(ctx, model, x, z);
            return;
        }
    }
}

void draw_shrub(const ModelContext& ctx, float x, float z) { draw_box_model(ctx, SHRUB, x, z); }
