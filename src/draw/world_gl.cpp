// The world pass: everything that stands in the town, drawn once normally
// and once more as shadows, and the walk over the town objects that picks
// each object's model by its type code.
#include <GL/gl.h>

#include "draw_cache.h"
#include "town_models.h"
#include "world_blocks.h"
#include "draw.h"
#include "texture_cache.h"
#include "editor.h"
#include "town.h"

namespace {

// Trees and street lamps are tall and thin enough to throw a shadow worth
// drawing, and only while the sun is up.
bool casts_shadow(int code, float time_of_day) {
    const bool tall = code == 0 || (code >= 11 && code <= 14);
    return tall && sun_up(time_of_day);
}

}  // namespace

void draw_town_object(const ModelContext& ctx, int code, const ControlPoint& obj) {
    const float x = obj.x;
    const float z = obj.z;
    if (code == 0) {
        draw_tree(ctx, x, z, obj.size, obj.height);
    } else if ((code >= 1 && code <= 4) || code == 16 || code == 17) {
        draw_building(ctx, code, x, z);
    } else if (code == 5) {
        draw_shrub(ctx, x, z);
    } else if (code == 6) {
        draw_smoke_stack(ctx, x, z);
    } else if (code >= 7 && code <= 10) {
        draw_stop_sign(ctx, code, x, z);
    } else if (code >= 11 && code <= 14) {
        draw_street_lamp(ctx, code, x, z);
    } else if (code == 15) {
        draw_clock_tower(ctx, x, z);
    } else if (code == 18) {
        draw_hanging_sign(ctx, x, z, obj.height);
    }
    // Any other code (only a scene file can bring one) draws nothing.
}

namespace {

// The clock tower's hands turn with every step of the day: it is drawn anew
// each frame. Every other model is still from frame to frame.
bool cacheable(int code) { return code != 15; }

// What an object's model reads: its place and shape, the pass, the
// selection, the lighting switch and whether the lamps burn.
DrawKey object_key(const ModelContext& ctx, int code, const ControlPoint& obj) {
    DrawKey key;
    key.add(code).add(obj.x).add(obj.z).add(obj.size).add(obj.height);
    key.add(ctx.pass).add(ctx.selected).add(ctx.lighting).add(lamp_glows(ctx.time_of_day));
    return key;
}

}  // namespace

// A texture that cannot be loaded binds 0, so its faces are drawn plain
// rather than in whatever texture was bound before.
void bind_texture(const char* name) {
    glBindTexture(GL_TEXTURE_2D, texture_by_name(name, false, false));
}

void unbind_texture() { glBindTexture(GL_TEXTURE_2D, 0); }

void relight(int lighting, int pass) {
    if (lighting == 1 && pass == 0) glEnable(GL_LIGHTING);
}

ModelContext world_model_context(const Town& town, int pass) {
    ModelContext ctx;
    ctx.pass = pass;
    ctx.time_of_day = town.sky.time_of_day;
    ctx.lighting = town.sky.lighting;
    return ctx;
}

void draw_town_objects(const Town& town, const Editor& editor, DrawState& draw, int pass) {
    ModelContext ctx = world_model_context(town, pass);
    const int count = town.town_objects.object_count < MAX_OBJECTS ? town.town_objects.object_count : MAX_OBJECTS;
    DrawCaches* caches = draw_caches(draw);
    const ViewVolume view = ViewVolume::current();
    for (int i = 0; i < count; ++i) {
        if (!town.town_objects.objects[i]) continue;
        const int code = town.town_objects.object_type[i];
        ctx.selected = i == editor.selected_object;
        if (pass == 0) {
            if (ctx.selected) {
                glColor3f(1, 1, 0);
            } else {
                glColor3f(1, 1, 1);
            }
        } else if (!casts_shadow(code, town.sky.time_of_day)) {
            continue;
        }
        if (caches == nullptr || !cacheable(code)) {
            draw_town_object(ctx, code, *town.town_objects.objects[i]);
            continue;
        }
        caches->objects[pass == 0 ? 0 : 1][i].draw(object_key(ctx, code, *town.town_objects.objects[i]),
                                                    [&] { draw_town_object(ctx, code, *town.town_objects.objects[i]); }, view,
                                                    caches->culling);
    }
}

void draw_world(const Town& town, const Editor& editor, DrawState& draw, int pass) {
    DrawCaches* caches = draw_caches(draw);
    // The beams come first, with depth testing off, so that everything drawn
    // after them covers them: they lie on the road.
    draw_beams_in_view(town, caches, pass);
    draw_point_markers(town, editor, pass);
    draw_town_objects(town, editor, draw, pass);
    draw_light_marker(town, pass);
    draw_cars_in_view(town, caches, pass);
    draw_locomotive(town, editor, draw.beacon, pass);
    draw_track(town, draw, pass);
}
