// Placeholder until the sky box and ground arrive: only the depth test.
#include <GL/gl.h>

#include "render/draw.h"
#include "view/town.h"

void draw_background(Town&) { glEnable(GL_DEPTH_TEST); }
