// The frame of each tie: found from the track and orientation curves, and
// kept in the tie table between rebuilds as twelve floats.
#include "tie_frames.h"

#include <cmath>

namespace {

constexpr float RAIL_GAUGE_HALF = 0.24f;  // rail to centre line, across the track

}  // namespace

std::optional<TieFrame> compute_tie_frame(Vec3 p, Vec3 d, Vec3 q) {
    const float d_len = length(d);
    if (!(d_len > 0) || !std::isfinite(d_len)) return std::nullopt;
    const Vec3 tangent = d / d_len;
    const Vec3 w = cross(d, q - p);
    const Vec3 v = cross(tangent, w);
    const float w_len = length(w);
    const float v_len = length(v);
    if (!(w_len > 0) || !(v_len > 0) || !std::isfinite(w_len) || !std::isfinite(v_len)) return std::nullopt;
    TieFrame f;
    f.tangent = tangent;
    f.up = -v / v_len;
    f.right = w / w_len;
    f.offset = RAIL_GAUGE_HALF * f.right;
    if (!is_finite(f.up) || !is_finite(f.right) || !is_finite(f.tangent)) return std::nullopt;
    return f;
}

std::optional<TieFrame> read_tie_frame(const float* entry) {
    TieFrame f;
    f.offset = {entry[0], entry[1], entry[2]};
    f.up = {entry[3], entry[4], entry[5]};
    f.tangent = {entry[6], entry[7], entry[8]};
    f.right = {entry[9], entry[10], entry[11]};
    if (!is_finite(f.offset) || !is_finite(f.up) || !is_finite(f.tangent) || !is_finite(f.right)) {
        return std::nullopt;
    }
    if (!(length(f.right) > 0) || !(length(f.up) > 0) || !(length(f.tangent) > 0)) return std::nullopt;
    return f;
}

void write_tie_frame(float* entry, const TieFrame& f) {
    const Vec3 parts[4] = {f.offset, f.up, f.tangent, f.right};
    for (int i = 0; i < 4; ++i) {
        entry[3 * i] = parts[i].x;
        entry[3 * i + 1] = parts[i].y;
        entry[3 * i + 2] = parts[i].z;
    }
}
