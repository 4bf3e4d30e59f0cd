// The frame of one tie on the track, and its form in the tie table.
#pragma once

#include <optional>

#include "vec3.h"

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
