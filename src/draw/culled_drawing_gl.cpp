// Objects left out of views that cannot show them, found by a feedback
// replay of their lists.
#include "draw_cache.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace {

// The capture's view: an orthographic box this far out each way, on a
// viewport of this many pixels, holds any object of the town whole.
constexpr double CAPTURE_REACH = 1000;
constexpr int CAPTURE_PIXELS = 1000;
// Window coordinates back to world ones lose a little; the box grows by it.
constexpr float CAPTURE_SLACK = 0.05f;
// Values no drawing sets: what still holds them after the replay, the list
// left alone. The colour's stay within 0..1, where it may be kept clamped.
constexpr float UNSET = -12345.25f;
constexpr float UNSET_COLOUR[4] = {0.0123f, 0.9876f, 0.4567f, 0.3211f};
constexpr std::size_t FIRST_BUFFER = 1 << 14, LAST_BUFFER = 1 << 22;

Vec3 world_of(const GLfloat* w) {
    const auto back = [](double window) { return static_cast<float>((2 * window / CAPTURE_PIXELS - 1) * CAPTURE_REACH); };
    return {back(w[0]), back(w[1]), static_cast<float>(-(2.0 * w[2] - 1) * CAPTURE_REACH)};
}

// Adds every vertex of a GL_3D feedback buffer to box; false on anything
// but points, lines and polygons.
bool add_feedback(const std::vector<GLfloat>& buffer, GLint count, Bounds& box) {
    GLint i = 0;
    while (i < count) {
        const auto token = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        GLint vertices = 0;
        if (token == GL_POINT_TOKEN) {
            vertices = 1;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertices = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            vertices = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        } else {
            return false;
        }
        for (GLint v = 0; v < vertices; ++v, i += 3) box.add(world_of(&buffer[static_cast<std::size_t>(i)]));
    }
    return true;
}

bool set_by_list(const float* value, const float* unset, int n) {
    for (int k = 0; k < n; ++k) {
        if (value[k] != unset[k]) return true;
    }
    return false;
}

constexpr float UNSET_4[4] = {UNSET, UNSET, UNSET, UNSET};

}  // namespace

// Feedback and selection (picking) take whatever is drawn, and a capture
// would end their mode: in either, everything is drawn and nothing captured.
bool drawing_to_picture() {
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER;
}

CulledDrawing::KeptState CulledDrawing::kept_state() {
    KeptState state;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &state.binding);
    glGetFloatv(GL_LINE_WIDTH, &state.line_width);
    state.lit = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    state.textured = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    return state;
}

void CulledDrawing::draw(const DrawKey& key, const std::function<void()>& draw, const ViewVolume& view,
                         bool culling) {
    const bool ready = list_.ready(key);
    left_out_ = culling && cullable_ && ready && !view.may_show(bounds_) && drawing_to_picture();
    if (left_out_) {
        leave_as_drawn();
        return;
    }
    if (ready) {
        list_.draw(key, draw);
        return;
    }
    // What the list must leave as it found, or it cannot be left out.
    const bool capturing = drawing_to_picture();
    const KeptState before = capturing ? kept_state() : KeptState{};
    list_.draw(key, draw);
    // A list that uploads a texture is compiled again next frame: its box
    // waits for the list that stays.
    cullable_ = false;
    if (capturing && list_.ready(key)) capture(before);
}

void CulledDrawing::capture(const KeptState& before) {
    cullable_ = false;
    if (list_.list() == 0 || glIsList(list_.list()) != GL_TRUE) return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-CAPTURE_REACH, CAPTURE_REACH, -CAPTURE_REACH, CAPTURE_REACH, -CAPTURE_REACH, CAPTURE_REACH);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, CAPTURE_PIXELS, CAPTURE_PIXELS);
    glDepthRange(0, 1);
    // Faces turned away from the capture's view are turned toward others.
    glDisable(GL_CULL_FACE);
    // The colours set here and in the list must not reach the material,
    // which the attribute stack does not give back as it was.
    glDisable(GL_COLOR_MATERIAL);
    glColor4fv(UNSET_COLOUR);
    glNormal3f(UNSET, UNSET, UNSET);
    glTexCoord4f(UNSET, UNSET, UNSET, UNSET);

    Bounds box;
    bool whole = false;
    for (std::size_t size = FIRST_BUFFER; size <= LAST_BUFFER && !whole; size *= 4) {
        std::vector<GLfloat> buffer(size);
        glFeedbackBuffer(static_cast<GLsizei>(size), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        glCallList(list_.list());
        const GLint count = glRenderMode(GL_RENDER);
        if (count < 0) continue;  // the buffer ran over: again, larger
        whole = add_feedback(buffer, count, box);
        if (!whole) break;
    }
    glGetFloatv(GL_CURRENT_COLOR, left_.colour_value);
    glGetFloatv(GL_CURRENT_NORMAL, left_.normal_value);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, left_.tex_coord_value);
    const bool state_kept = kept_state() == before;

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();

    left_.colour = set_by_list(left_.colour_value, UNSET_COLOUR, 4);
    left_.normal = set_by_list(left_.normal_value, UNSET_4, 3);
    left_.tex_coord = set_by_list(left_.tex_coord_value, UNSET_4, 4);
    if (!box.empty()) {
        const Vec3 slack{CAPTURE_SLACK, CAPTURE_SLACK, CAPTURE_SLACK};
        box.add(box.low - slack);
        box.add(box.high + slack);
    }
    bounds_ = box;
    cullable_ = whole && state_kept;
}

void CulledDrawing::leave_as_drawn() const {
    if (left_.colour) glColor4fv(left_.colour_value);
    if (left_.normal) glNormal3fv(left_.normal_value);
    if (left_.tex_coord) glTexCoord4fv(left_.tex_coord_value);
}
