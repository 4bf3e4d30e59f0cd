// The box every building, the clock tower and the posts are made of: the
// wall, roof and post-top tables in unit coordinates, the box routine that
// scales them to a building's size, and the colour and texture habits that
// all town-object models share.
#pragma once

#include <GL/gl.h>

#include "face_table.h"
#include "town_models.h"
#include "texture_cache.h"

// A face colour for the normal pass: yellow when the object is selected. The
// shadow pass keeps the translucent black the frame has set.
inline void set_face_colour(const ModelContext& ctx, float r, float g, float b) {
    if (ctx.pass != 0) return;
    if (ctx.selected) {
        glColor3f(1.0f, 1.0f, 0.0f);
    } else {
        glColor3f(r, g, b);
    }
}

// Textured faces show their texture unchanged.
inline void set_white(const ModelContext& ctx) { set_face_colour(ctx, 1.0f, 1.0f, 1.0f); }

// Binds the named texture for one face group; a texture that cannot be
// loaded binds 0 and the group is drawn untextured.
inline void bind_model_texture(const char* name) {
    glBindTexture(GL_TEXTURE_2D, texture_by_name(name, false, false));
}
inline void unbind_model_texture() { glBindTexture(GL_TEXTURE_2D, 0); }

// Walls of a box with half-sizes 1 in x and z and height 1, each with its
// texture stretched once over it, wound counter-clockwise from outside.
inline constexpr QuadFace BOX_WALLS[] = {
    // -x wall
    {-1, 0, 0, {{-1, 0, -1, 0, 0}, {-1, 0, 1, 1, 0}, {-1, 1, 1, 1, 1}, {-1, 1, -1, 0, 1}}},
    // +x wall
    {1, 0, 0, {{1, 1, -1, 0, 1}, {1, 1, 1, 1, 1}, {1, 0, 1, 1, 0}, {1, 0, -1, 0, 0}}},
    // +z wall
    {0, 0, 1, {{-1, 0, 1, 0, 0}, {1, 0, 1, 1, 0}, {1, 1, 1, 1, 1}, {-1, 1, 1, 0, 1}}},
    // -z wall
    {0, 0, -1, {{-1, 1, -1, 0, 1}, {1, 1, -1, 1, 1}, {1, 0, -1, 1, 0}, {-1, 0, -1, 0, 0}}},
};
static_assert(sizeof BOX_WALLS / sizeof BOX_WALLS[0] == 4, "a box has four walls");
inline constexpr std::size_t X_WALLS = 0;  // -x and +x
inline constexpr std::size_t Z_WALLS = 2;  // +z and -z

// The flat roof of a building, untextured.
inline constexpr QuadFace FLAT_ROOF[] = {
    {0, 1, 0, {{-1, 1, 1, 0, 0}, {1, 1, 1, 0, 0}, {1, 1, -1, 0, 0}, {-1, 1, -1, 0, 0}}},
};

// The top of a post or pole: the same square as the flat roof, begun at
// another corner.
inline constexpr QuadFace POST_TOP[] = {
    {0, 1, 0, {{-1, 1, -1, 0, 0}, {-1, 1, 1, 0, 0}, {1, 1, 1, 0, 0}, {1, 1, -1, 0, 0}}},
};

// A pyramid roof standing on y = 0 with its apex at y = 1. Every triangle
// carries the upward normal, so the roof is lit like a flat one.
inline constexpr TriangleFace PYRAMID_ROOF[] = {
    // -x side
    {0, 1, 0, {{-1, 0, 1, 1, 0}, {0, 1, 0, 0.5f, 1}, {-1, 0, -1, 0, 0}}},
    // +x side
    {0, 1, 0, {{1, 0, -1, 0, 0}, {0, 1, 0, 0.5f, 1}, {1, 0, 1, 1, 0}}},
    // +z side
    {0, 1, 0, {{1, 0, 1, 1, 0}, {0, 1, 0, 0.5f, 1}, {-1, 0, 1, 0, 0}}},
    // -z side
    {0, 1, 0, {{-1, 0, -1, 0, 0}, {0, 1, 0, 0.5f, 1}, {1, 0, -1, 1, 0}}},
};
static_assert(sizeof PYRAMID_ROOF / sizeof PYRAMID_ROOF[0] == 4, "a pyramid roof has four sides");

// A pyramid's apex stands at 1.7 times the wall height above the ground.
inline constexpr float PYRAMID_APEX = 1.7f;

enum class RoofKind { Flat, Pyramid };

// One box-shaped model: half-width a (x), half-depth b (z), wall height, the
// textures of its x and z walls and its roof.
struct BoxModel {
    int code;
    float a, b, wall_height;
    const char* x_texture;
    const char* z_texture;
    RoofKind roof;
    float roof_red, roof_green, roof_blue;  // flat roofs
    const char* roof_texture;               // pyramid roofs
};

// The frame that turns the unit box into one of half-sizes a, b standing
// on y = bottom and height high.
inline LocalFrame box_frame(float x, float z, float bottom, float a, float b, float height) {
    return LocalFrame{{x, bottom, z}, {a, 0, 0}, {0, height, 0}, {0, 0, b}};
}

// Draws a box model centred on (x, z): the roof first, then the x walls,
// then the z walls.
void draw_box_model(const ModelContext& ctx, const BoxModel& model, float x, float z);

// A pyramid roof on the box frame's top, rising by rise.
void draw_pyramid_roof(const ModelContext& ctx, const char* texture, const LocalFrame& box, float rise);
