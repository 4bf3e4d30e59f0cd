// Picking in OpenGL's selection mode: the frame's projection narrowed to a
// few pixels round the pointer, the frame's camera, and the same models and
// markers the world pass draws, each under a name. The nearest name wins,
// so what is picked is what is seen.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

#include "pick.h"
#include "town_models.h"
#include "world_blocks.h"
#include "draw.h"
#include "town.h"

namespace {

// The square round the pointer that counts as under it, in pixels.
constexpr double PICK_BOX_PIXELS = 3.0;
// Every name gets at most one hit record of four words; a few hundred names
// fit many times over.
constexpr std::size_t HIT_WORDS = 8192;
// A name is kind * NAME_STRIDE + index; scenery that hides but is never
// picked is name 0, kind Nothing.
constexpr GLuint NAME_STRIDE = 1024;
static_assert(NAME_STRIDE > MAX_POINTS && NAME_STRIDE > MAX_OBJECTS, "indices fit under a kind");

GLuint name_of(PickHit::Kind kind, int index) { return static_cast<GLuint>(kind) * NAME_STRIDE + static_cast<GLuint>(index); }

void draw_named_world(Town& town) {
    if (town.show_points == 1) {
        for (int i = 0; i < town.num_points && i < MAX_POINTS; ++i) {
            if (!town.points[i]) continue;
            glLoadName(name_of(PickHit::ControlPoint, i));
            draw_point_marker(*town.points[i]);
            if (i < town.num_orient_points && town.orient_points[i]) {
                glLoadName(name_of(PickHit::OrientPoint, i));
                draw_point_marker(*town.orient_points[i]);
            }
        }
    }
    const ModelContext ctx = world_model_context(town, 0);
    for (int i = 0; i < town.object_count && i < MAX_OBJECTS; ++i) {
        if (!town.objects[i]) continue;
        glLoadName(name_of(PickHit::Object, i));
        draw_town_object(ctx, town.object_type[i], *town.objects[i]);
    }

    // The solid things that can stand in front: the lamp's marker, the cars
    // and the locomotive. The track is left out: its line runs through the
    // control points' markers, which must stay pickable where it does.
    // Drawing the locomotive steps its beacon, which only the frame may do.
    const float beacon_level = town.beacon_level;
    const int beacon_falling = town.beacon_falling;
    glLoadName(0);
    draw_light_marker(town, 0);
    draw_cars(town, 0);
    draw_locomotive(town, 0);
    town.beacon_level = beacon_level;
    town.beacon_falling = beacon_falling;
}

// The hit nearest the eye; scenery in front hides what is behind it.
PickHit nearest(const GLuint* hits, GLint records) {
    PickHit best;
    GLuint best_depth = 0;
    bool any = false;
    const GLuint* record = hits;
    for (GLint r = 0; r < records; ++r) {
        const GLuint names = record[0];
        const GLuint depth = record[1];
        if (names > 0 && (!any || depth < best_depth)) {
            const GLuint name = record[3 + names - 1];
            best = {static_cast<PickHit::Kind>(name / NAME_STRIDE), static_cast<int>(name % NAME_STRIDE)};
            best_depth = depth;
            any = true;
        }
        record += 3 + names;
    }
    if (best.kind == PickHit::Nothing) best.index = -1;
    return best;
}

}  // namespace

PickHit pick_at(Town& town, int width, int height, int x, int y) {
    if (width <= 0 || height <= 0) return {};
    std::array<GLuint, HIT_WORDS> hits{};
    glSelectBuffer(static_cast<GLsizei>(hits.size()), hits.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    GLint viewport[4] = {0, 0, width, height};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The pixel's centre, counted from the bottom as OpenGL counts.
    gluPickMatrix(x + 0.5, height - y - 0.5, PICK_BOX_PIXELS, PICK_BOX_PIXELS, viewport);
    set_projection(town, width, height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const Vec3 sky_center = town.sky_center;
    set_camera(town);
    town.sky_center = sky_center;

    draw_named_world(town);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint records = glRenderMode(GL_RENDER);  // -1 when the buffer overflowed
    return records > 0 ? nearest(hits.data(), records) : PickHit{};
}
