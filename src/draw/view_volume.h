// What the current view can show: boxes in the coordinates the next
// drawing is given in, tested against the volume the projection and the
// modelview (a shadow's flattening included) carry to the screen.
#pragma once

#include <limits>

#include "vec3.h"

// An axis-aligned box around some drawing; empty until a point is added.
struct Bounds {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};

    bool empty() const { return low.x > high.x; }
    void add(Vec3 p);
    // A box of half-extents reach around centre.
    void add(Vec3 centre, Vec3 reach);
    void add(const Bounds& other);
};

class ViewVolume {
public:
    // The volume under the current GL matrices and viewport.
    static ViewVolume current();
    // False only when the whole box lies beyond one side of the volume. The
    // sides stand a few pixels out, so a wide rail just off the edge, whose
    // width reaches into the picture, still counts as shown.
    bool may_show(const Bounds& box) const;

private:
    double clip_[16] = {};  // projection times modelview, column-major
    double margin_x_ = 1, margin_y_ = 1;
};
