// The view volume from the GL matrices of the moment.
#include "view_volume.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Pixels beyond the viewport's edge a box may reach and still be drawn: the
// widest line in the town is 3 pixels.
constexpr double EDGE_PIXELS = 4;

Vec3 min3(Vec3 a, Vec3 b) { return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}; }
Vec3 max3(Vec3 a, Vec3 b) { return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}; }

}  // namespace

void Bounds::add(Vec3 p) {
    low = min3(low, p);
    high = max3(high, p);
}

void Bounds::add(Vec3 centre, Vec3 reach) {
    add(centre - reach);
    add(centre + reach);
}

void Bounds::add(const Bounds& other) {
    if (other.empty()) return;
    add(other.low);
    add(other.high);
}

ViewVolume ViewVolume::current() {
    GLdouble projection[16], modelview[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    ViewVolume view;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[col * 4 + k];
            view.clip_[col * 4 + row] = sum;
        }
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.margin_x_ = 1 + 2 * EDGE_PIXELS / std::max(1, viewport[2]);
    view.margin_y_ = 1 + 2 * EDGE_PIXELS / std::max(1, viewport[3]);
    return view;
}

bool ViewVolume::may_show(const Bounds& box) const {
    if (box.empty()) return false;
    // Corners beyond each of the six sides: left, right, bottom, top, near, far.
    int beyond[6] = {};
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? box.high.x : box.low.x, (corner & 2) ? box.high.y : box.low.y,
                             (corner & 4) ? box.high.z : box.low.z};
        double c[4];
        for (int row = 0; row < 4; ++row) {
            c[row] = clip_[row] * p[0] + clip_[4 + row] * p[1] + clip_[8 + row] * p[2] + clip_[12 + row];
        }
        const double wx = c[3] * margin_x_, wy = c[3] * margin_y_;
        beyond[0] += c[0] < -wx;
        beyond[1] += c[0] > wx;
        beyond[2] += c[1] < -wy;
        beyond[3] += c[1] > wy;
        beyond[4] += c[2] < -c[3];
        beyond[5] += c[2] > c[3];
    }
    return std::none_of(std::begin(beyond), std::end(beyond), [](int n) { return n == 8; });
}
