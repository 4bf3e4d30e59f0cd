// Picking by drawing: the frame's projection and camera, and the same models
// and markers the world pass draws, each in a flat colour that names it,
// into the few pixels of the back buffer round the pointer. The nearest of
// them by depth wins, so what is picked is what is seen.
//
// OpenGL's selection mode would do the same without touching the buffer,
// but Mesa keeps some memory for every primitive sent in it and never gives
// it back: the hand cursor cost half a megabyte at every pointer move.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>

#include "pick.h"
#include "town_models.h"
#include "world_blocks.h"
#include "draw.h"
#include "texture_cache.h"
#include "editor.h"
#include "town.h"

namespace {

// The square round the pointer that counts as under it, in pixels (odd).
constexpr int PICK_BOX_PIXELS = 3;
constexpr int BOX_PIXELS = PICK_BOX_PIXELS * PICK_BOX_PIXELS;

// A code is what one pixel names: 0 where nothing was drawn, 1 for scenery
// that hides but is never picked, and 2 + kind * NAME_STRIDE + index for
// what a click can select.
constexpr GLuint NAME_STRIDE = 1024;
constexpr GLuint NOTHING_DRAWN = 0;
constexpr GLuint SCENERY = 1;
static_assert(NAME_STRIDE > MAX_POINTS && NAME_STRIDE > MAX_OBJECTS, "indices fit under a kind");

// Codes travel in the top four bits of red, green and blue, which survive
// any colour buffer of at least four bits a channel.
constexpr int CODE_BITS_PER_CHANNEL = 4;
constexpr GLuint CODE_LIMIT = 1u << (3 * CODE_BITS_PER_CHANNEL);
static_assert(2 + PickHit::Object * NAME_STRIDE + MAX_OBJECTS <= CODE_LIMIT, "every code fits in a colour");

GLuint code_of(PickHit::Kind kind, int index) {
    return 2 + static_cast<GLuint>(kind) * NAME_STRIDE + static_cast<GLuint>(index);
}

PickHit hit_of(GLuint code) {
    if (code < 2) return {};
    const GLuint name = code - 2;
    const GLuint kind = name / NAME_STRIDE;
    if (kind < PickHit::ControlPoint || kind > PickHit::Object) return {};
    return {static_cast<PickHit::Kind>(kind), static_cast<int>(name % NAME_STRIDE)};
}

// The models set colours of their own, lit or not; fog at full strength
// replaces every fragment's colour, whatever set it, with the fog colour.
// Linear fog from -1 to 0 has a factor of -distance, clamped to 0 before
// the eye.
void paint_in_code_colours() {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, -1.0f);
    glFogf(GL_FOG_END, 0.0f);
}

void paint_code(GLuint code) {
    constexpr GLuint MASK = (1u << CODE_BITS_PER_CHANNEL) - 1;
    constexpr GLuint HALF_STEP = 1u << (7 - CODE_BITS_PER_CHANNEL);
    auto channel = [&](int shift) {
        const GLuint nibble = (code >> shift) & MASK;
        return static_cast<GLfloat>(nibble << (8 - CODE_BITS_PER_CHANNEL) | HALF_STEP) / 255.0f;
    };
    const GLfloat colour[4] = {channel(2 * CODE_BITS_PER_CHANNEL), channel(CODE_BITS_PER_CHANNEL), channel(0), 1};
    glFogfv(GL_FOG_COLOR, colour);
}

GLuint code_in(const GLubyte* rgba) {
    constexpr int SHIFT = 8 - CODE_BITS_PER_CHANNEL;
    return static_cast<GLuint>(rgba[0] >> SHIFT) << (2 * CODE_BITS_PER_CHANNEL) |
           static_cast<GLuint>(rgba[1] >> SHIFT) << CODE_BITS_PER_CHANNEL | static_cast<GLuint>(rgba[2] >> SHIFT);
}

void draw_coded_world(const Town& town, const Editor& editor) {
    if (town.track.show_points == 1) {
        for (int i = 0; i < town.track.num_points && i < MAX_POINTS; ++i) {
            if (!town.track.points[i]) continue;
            paint_code(code_of(PickHit::ControlPoint, i));
            draw_point_marker(*town.track.points[i]);
            if (i < town.track.num_orient_points && town.track.orient_points[i]) {
                paint_code(code_of(PickHit::OrientPoint, i));
                draw_point_marker(*town.track.orient_points[i]);
            }
        }
    }
    const ModelContext ctx = world_model_context(town, 0);
    for (int i = 0; i < town.town_objects.object_count && i < MAX_OBJECTS; ++i) {
        if (!town.town_objects.objects[i]) continue;
        paint_code(code_of(PickHit::Object, i));
        draw_town_object(ctx, town.town_objects.object_type[i], *town.town_objects.objects[i]);
    }

    // The solid things that can stand in front: the lamp's marker, the cars
    // and the locomotive. The track is left out: its line runs through the
    // control points' markers, which must stay pickable where it does.
    // The code colour paints over the beacon's red, so its phase is not
    // the frame's own: the pick steps one of its own.
    BeaconPhase beacon;
    paint_code(SCENERY);
    draw_light_marker(town, 0);
    draw_cars_in_pick_view(town);
    draw_locomotive(town, editor, beacon, 0);
}

// The pixels of the pick box that lie inside the view, in OpenGL's counting.
struct PickBox {
    GLint x = 0, y = 0;
    GLsizei width = 0, height = 0;
};

PickBox box_round(int width, int height, int x, int y) {
    constexpr int REACH = PICK_BOX_PIXELS / 2;
    const int row = height - 1 - y;  // counted from the bottom, as OpenGL counts
    const int left = std::max(x - REACH, 0), right = std::min(x + REACH, width - 1);
    const int bottom = std::max(row - REACH, 0), top = std::min(row + REACH, height - 1);
    if (left > right || bottom > top) return {};
    return {left, bottom, right - left + 1, top - bottom + 1};
}

// The code drawn nearest the eye in the box; scenery in front hides what is behind it.
GLuint nearest_code(const PickBox& box) {
    std::array<GLubyte, 4 * BOX_PIXELS> colours{};
    std::array<GLfloat, BOX_PIXELS> depths{};
    glReadPixels(box.x, box.y, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, colours.data());
    glReadPixels(box.x, box.y, box.width, box.height, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
    GLuint best = NOTHING_DRAWN;
    GLfloat best_depth = 0;
    for (int i = 0; i < box.width * box.height; ++i) {
        const GLuint code = code_in(&colours[4 * i]);
        if (code == NOTHING_DRAWN || (best != NOTHING_DRAWN && depths[i] >= best_depth)) continue;
        best = code;
        best_depth = depths[i];
    }
    return best;
}

// Everything the coded pass changes is put back when it ends; the caller's
// frame starts from the state it left.
class SavedGlState {
public:
    SavedGlState() {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~SavedGlState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopClientAttrib();
        glPopAttrib();
    }
    SavedGlState(const SavedGlState&) = delete;
    SavedGlState& operator=(const SavedGlState&) = delete;
};

void prepare_coded_pass(const PickBox& box, int width, int height) {
    glViewport(0, 0, width, height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(box.x, box.y, box.width, box.height);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // As the frame draws the world: depth-tested, back faces culled.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DITHER);
    glDisable(GL_TEXTURE_2D);
    paint_in_code_colours();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

}  // namespace

PickHit pick_at(const Town& town, const Editor& editor, int width, int height, int x, int y) {
    if (width <= 0 || height <= 0) return {};
    const PickBox box = box_round(width, height, x, y);
    if (box.width == 0) return {};

    const SavedGlState saved;
    const TexturesWithheld no_textures;
    prepare_coded_pass(box, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    set_projection(editor, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    set_camera(town, editor);  // no sky is drawn: its centre is not wanted

    draw_coded_world(town, editor);
    return hit_of(nearest_code(box));
}
