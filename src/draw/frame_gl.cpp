// The picture of one frame: the sun, the lamp and the train's headlight from
// the time of day, the projection and camera, the background, the world, and
// the world again as translucent black shadows on the ground.
#include <GL/gl.h>
#include <GL/glu.h>

#include "draw.h"
#include "editor.h"
#include "town.h"

const double flatten_matrix[16] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0.01, 0, 1};

void set_lights(const Town& town, float daylight) {
    const float t = town.sky.time_of_day;

    // The sun rises in the south-west, stands overhead at noon and sets in
    // the north-east; its brightness is the daylight level.
    const float d = daylight;
    const GLfloat sun_colour[4] = {d, d, d, 1};
    const GLfloat sun_specular[4] = {1, 1, 1, 1};
    const GLfloat sun_position[4] = {300 * t - 150, -800 * t * t + 800 * t - 150, 150 - 300 * t, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, sun_colour);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, sun_colour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, sun_specular);
    glLightfv(GL_LIGHT0, GL_POSITION, sun_position);

    const GLfloat lamp_ambient[4] = {0, 0, 0, 1};
    const GLfloat lamp_diffuse[4] = {0.4f, 0.2f, 0.1f, 1};
    const GLfloat lamp_specular[4] = {0, 0, 0, 0};
    const GLfloat lamp_position[4] = {town.sky.light_pos.x, town.sky.light_pos.y,
                                      town.sky.light_pos.z, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, lamp_ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, lamp_diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, lamp_specular);
    glLightfv(GL_LIGHT1, GL_POSITION, lamp_position);

    // The headlight sits on the locomotive's lamp; the x coordinate carries
    // no offset. A train without a direction yet shines straight ahead (+x).
    glEnable(GL_LIGHT2);
    Vec3 n = town.train.train_dir;
    const float n_len = length(n);
    n = n_len > 0 && std::isfinite(n_len) ? n / n_len : Vec3{1, 0, 0};
    const GLfloat head_position[4] = {town.train.train_pos.x, town.train.train_pos.y + 0.675f * n.y,
                                      town.train.train_pos.z + 0.425f * n.z, 1};
    const GLfloat head_direction[3] = {n.x, n.y, n.z};
    const GLfloat head_ambient[4] = {0.7f, 0.7f, 0.7f, 0};
    const GLfloat head_diffuse[4] = {0.8f, 0.8f, 0.3f, 1};
    const GLfloat head_specular[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT2, GL_POSITION, head_position);
    glLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, head_direction);
    glLightf(GL_LIGHT2, GL_SPOT_CUTOFF, 36);
    glLightf(GL_LIGHT2, GL_SPOT_EXPONENT, 16);
    glLightfv(GL_LIGHT2, GL_AMBIENT, head_ambient);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, head_diffuse);
    glLightfv(GL_LIGHT2, GL_SPECULAR, head_specular);
}

namespace {

void enable_if(GLenum cap, bool on) {
    if (on) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

}  // namespace

void set_projection(const Editor& editor, int width, int height) {
    // A window squeezed to no height keeps a square aspect instead of dividing by zero.
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    gluPerspective(editor.fov, aspect, 1.0, 100.0);
}

void render_frame(const Town& town, const Editor& editor, DrawState& draw, int width, int height) {
    // A cleared scene starts its beacon over, as a fresh town does.
    if (draw.clears_seen != town.scene_clears) {
        draw.clears_seen = town.scene_clears;
        draw.beacon = {};
    }

    const float t = town.sky.time_of_day;
    draw.daylight = daylight_at(t);

    // Lights are placed under the previous frame's camera, before this
    // frame's projection and camera exist.
    set_lights(town, draw.daylight);

    glEnable(GL_TEXTURE_2D);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    if (town.sky.lighting == 1) {
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        enable_if(GL_LIGHT0, t > 0.25f && t < 0.75f);
        enable_if(GL_LIGHT1, t < 0.3f || t > 0.7f);
        enable_if(GL_LIGHT2, t < 0.25f || t > 0.75f);
    } else {
        glDisable(GL_LIGHTING);
    }

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glViewport(0, 0, width, height);
    glLoadIdentity();
    set_projection(editor, width, height);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw.sky_center = set_camera(town, editor);

    draw_world_and_background(town, editor, draw);

    // Shadows: the world again, flattened onto the ground, black and at most
    // 40 % opaque at noon; at night the alpha is negative and clamps to 0.
    // Blended at no opacity, a shadow leaves every pixel as it was, and
    // nothing after it reads the depth it would write: at night the world
    // is not drawn a second time.
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glMultMatrixd(flatten_matrix);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float shadow_alpha = draw.daylight / 2.5f;
    glColor4f(0, 0, 0, shadow_alpha);
    if (shadow_alpha > 0) draw_world(town, editor, draw, 1);
    glDisable(GL_BLEND);
    glPopMatrix();
    if (town.sky.lighting == 1) glEnable(GL_LIGHTING);
}
