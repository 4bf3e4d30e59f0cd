// The order of the lit world, the ground and the sky. Drawn back to front
// (sky, ground, world), every pixel of the town is textured two or three
// times over. Drawn front to back, the world's pixels hide the ground's and
// both hide the sky's before they are shaded: the same picture for a
// fraction of the texture work.
#include <GL/gl.h>

#include "draw.h"
#include "editor.h"
#include "town.h"
#include "world_blocks.h"

namespace {

// The cars' beams are blended onto whatever lies under them with the depth
// test off, so the ground and the sky must be there first.
bool beams_shine(const Town& town) {
    return town.train.train_running == 1 && is_night(town.sky.time_of_day);
}

}  // namespace

void draw_world_and_background(const Town& town, const Editor& editor, DrawState& draw) {
    if (beams_shine(town)) {
        draw_background(town, draw);
        draw_world(town, editor, draw, 0);
        return;
    }
    glEnable(GL_DEPTH_TEST);
    leave_ground_state();
    draw_world(town, editor, draw, 0);

    // The ground wins where the world meets it at the same depth, as it did
    // when the world was drawn over it with GL_LESS.
    if (town.sky.lighting == 1) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
    glDepthFunc(GL_LEQUAL);
    draw_ground_after_world();

    // The sky at the far plane shows only where nothing else was drawn, and
    // leaves the depth buffer as the world and the ground left it.
    glDepthRange(1, 1);
    glDepthMask(GL_FALSE);
    draw_sky(town, draw);
    glDepthMask(GL_TRUE);
    glDepthRange(0, 1);
    glDepthFunc(GL_LESS);
}
