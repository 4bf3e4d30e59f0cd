// The blocks the world pass draws, in the order it draws them, and the
// small pieces of track geometry they share. Each block takes the pass
// (0 normal, 1 shadow) and decides for itself what that pass shows.
#pragma once

#include <optional>

#include "draw_state.h"
#include "tie_frames.h"
#include "vec3.h"

struct ControlPoint;
struct Town;
struct Editor;

// Headlights, beams and the lamp glow while the sun is down.
inline bool is_night(float time_of_day) { return time_of_day < 0.25f || time_of_day > 0.75f; }
// Shadows fall while the sun is up, both ends of the day included.
inline bool sun_up(float time_of_day) { return time_of_day >= 0.25f && time_of_day <= 0.75f; }

// Cars' headlight beams on the road: normal pass, at night, train running.
void draw_headlight_beams(const Town& town, int pass);
// The same, leaving out the beams the view cannot show while the frame's
// lists are given (null: every beam) and culling is on.
void draw_beams_in_view(const Town& town, DrawCaches* caches, int pass);
// Cubes on the control and orientation points, with stems to the ground.
void draw_point_markers(const Town& town, const Editor& editor, int pass);
// Every town object through its model, by type code.
void draw_town_objects(const Town& town, const Editor& editor, DrawState& draw, int pass);
// The cube on one control or orientation point, without colour or stem.
void draw_point_marker(const ControlPoint& p);
// The white cube where the movable lamp stands (normal pass only).
void draw_light_marker(const Town& town, int pass);
// The twenty cars, in both passes while the train runs.
void draw_cars(const Town& town, int pass);
// The same, leaving out the cars the view cannot show while the frame's
// lists are given (null: every car) and culling is on; the lists count them.
void draw_cars_in_view(const Town& town, DrawCaches* caches, int pass);
void draw_cars_in_pick_view(const Town& town);

// The locomotive at the train's place; each drawing steps the beacon.
void draw_locomotive(const Town& town, const Editor& editor, BeaconPhase& beacon, int pass);
// The centre line, or rails on textured ties with posts.
void draw_track(const Town& town, DrawState& draw, int pass);

// Lighting back on after an unlit piece, in the lit pass only: the shadow
// pass draws black, and lit it would only cost the lights' vertex work.
void relight(int lighting, int pass);

// Binds the named texture from the cache, clamped in both directions;
// unbind_texture binds 0.
void bind_texture(const char* name);
void unbind_texture();

// A solid cube of edge size centred on (x, y, z), six faces in one batch.
void draw_cube(float x, float y, float z, float size);
