// The drawing layer's entry points: OpenGL and GLU only, no toolkit. Each
// routine reads the town and draws it; none decides anything about the
// simulation.
#pragma once

#include "draw_state.h"
#include "vec3.h"

struct Town;
struct Editor;

// Drawing steps of one frame (lights, projection, camera, background, world
// and shadows) into a viewport of width x height pixels.
void render_frame(const Town& town, const Editor& editor, DrawState& draw, int width, int height);

// The OpenGL context was made anew (a window made again, as full screen is
// without a window manager), and the display lists and textures went with
// the old one: the next frame makes them again.
void drawing_context_lost(DrawState& draw);

// The three lights for the town's time of day, train and lamp, the sun as
// bright as the daylight.
void set_lights(const Town& town, float daylight);

// The frame's perspective for a viewport of width x height pixels,
// multiplied onto the projection matrix.
void set_projection(const Editor& editor, int width, int height);

// One gluLookAt for the camera mode; returns where the sky box stands.
Vec3 set_camera(const Town& town, const Editor& editor);

// Sky box and ground; leaves the depth test on.
void draw_background(const Town& town, DrawState& draw);
// The sky box alone, unlit, at whatever depth state the caller set.
void draw_sky(const Town& town, DrawState& draw);
// The ground alone, lit as the world is.
void draw_town_ground();
// The same ground for a world drawn before it, with GL_LEQUAL: the same
// picture as the world drawn over the ground with GL_LESS.
void draw_ground_after_world();
// The colour, normal and texture place the ground leaves current, for a
// world drawn before the ground to start from what it would have found.
void leave_ground_state();
// The lit world, the ground and the sky, in whichever order draws fewer
// hidden pixels for the same picture.
void draw_world_and_background(const Town& town, const Editor& editor, DrawState& draw);

// The world: pass 0 normal, pass 1 the flattened shadows.
void draw_world(const Town& town, const Editor& editor, DrawState& draw, int pass);

// Column-major matrix that flattens every point (x, y, z) to (x, 0.01, z).
extern const double flatten_matrix[16];
