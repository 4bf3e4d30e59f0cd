// The blocks the world pass draws, in the order it draws them, and the
// small pieces of track geometry they share. Each block takes the pass
// (0 normal, 1 shadow) and decides for itself what that pass shows.
#pragma once

#include <optional>

#include "vec3.h"

struct ControlPoint;
struct Town;

// Headlights, beams and the lamp glow while the sun is down.
inline bool is_night(float time_of_day) { return time_of_day < 0.25f || time_of_day > 0.75f; }
// Shadows fall while the sun is up, both ends of the day included.
inline bool sun_up(float time_of_day) { return time_of_day >= 0.25f && time_of_day <= 0.75f; }

// Cars' headlight beams on the road: normal pass, at night, train running.
void draw_headlight_beams(Town& town, int pass);
// Cubes on the control and orientation points, with stems to the ground.
void draw_point_markers(Town& town, int pass);
// Every town object through its model, by type code.
void draw_town_objects(Town& town, int pass);
// The cube on one control or orientation point, without colour or stem.
void draw_point_marker(const ControlPoint& p);
// The white cube where the movable lamp stands (normal pass only).
void draw_light_marker(Town& town, int pass);
// The twenty cars, in both passes while the train runs.
void draw_cars(Town& town, int pass);
// The locomotive at the train's place; updates its beacon.
void draw_locomotive(Town& town, int pass);
// The centre line, or rails on textured ties with posts; clears track_edited.
void draw_track(Town& town, int pass);

// Binds the named texture from the cache, clamped in both directions;
// unbind_texture binds 0.
void bind_texture(const char* name);
void unbind_texture();

// A solid cube of edge size centred on (x, y, z), six faces in one batch.
void draw_cube(float x, float y, float z, float size);

// The frame of one tie: the rail offset (right vector times 0.24), the unit
// up vector, the unit tangent and the unit right vector. Stored in the tie
// table in this order, twelve floats.
struct TieFrame {
    Vec3 offset, up, tangent, right;
};

// The frame at a curve point p with derivative d and orientation point q;
// nothing when the derivative vanishes or q lies on the tangent line, where
// no up or right direction can be found.
std::optional<TieFrame> compute_tie_frame(Vec3 p, Vec3 d, Vec3 q);
// A frame read back from the table is trusted only when it is finite and
// its axes have length; an all-zero entry marks a tie that was skipped.
std::optional<TieFrame> read_tie_frame(const float* entry);
void write_tie_frame(float* entry, const TieFrame& frame);
