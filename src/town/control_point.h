// The point record shared by track control points, orientation points and
// town objects: a position, a marker colour and three scalars.
#pragma once

#include "vec3.h"

struct ControlPoint {
    ControlPoint(float x_, float y_, float z_, float size_, float height_, float third_,
                 int red_, int green_, int blue_, int alpha_)
        : x(x_), y(y_), z(z_), red(red_), green(green_), blue(blue_), alpha(alpha_),
          size(size_), height(height_), third_scalar(third_) {}

    void set_position(float nx, float ny, float nz) { x = nx; y = ny; z = nz; }
    void get_position(float& ox, float& oy, float& oz) const { ox = x; oy = y; oz = z; }
    void get_colour(int& r, int& g, int& b, int& a) const { r = red; g = green; b = blue; a = alpha; }
    float get_size() const { return size; }
    float get_height() const { return height; }
    void set_size(float s) { size = s; }
    void set_height(float h) { height = h; }
    Vec3 position() const { return {x, y, z}; }

    float x, y, z;
    int red, green, blue, alpha;  // 0..255; alpha is stored and never used
    float size, height, third_scalar;
};

// Colours fixed by a point's role.
constexpr int CONTROL_POINT_RGBA[4] = {255, 0, 0, 0};
constexpr int ORIENT_POINT_RGBA[4] = {0, 0, 255, 0};
