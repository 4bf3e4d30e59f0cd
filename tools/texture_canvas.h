// A small painting surface for drawing the town's textures: colours as
// floats, bottom row first like a texture, shapes with smooth edges, and
// noise that tiles so ground and walls repeat without seams.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgba4 {
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba4 rgb(int r, int g, int b);  // from 0-255 values, opaque
Rgba4 mix(const Rgba4& x, const Rgba4& y, float t);
Rgba4 scaled(const Rgba4& c, float k);  // colour times k, alpha kept
float clamp01(float v);
float smoothstep(float e0, float e1, float x);

struct Point2 {
    float x, y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgba4 fill = {0, 0, 0, 1});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba4& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgba4& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Lays c over pixel (x, y) by coverage (0..1) times c's alpha; outside is ignored.
    void blend(int x, int y, const Rgba4& c, float coverage = 1);
    // Every pixel through f(x, y, current colour), x and y at the pixel's centre.
    void shade(const std::function<Rgba4(float x, float y, const Rgba4& old)>& f);

    // Shapes in pixel coordinates (the canvas spans 0..width, 0..height; y up),
    // their edges smoothed by 4 x 4 samples per pixel.
    void fill_rect(float x0, float y0, float x1, float y1, const Rgba4& c);
    void fill_polygon(const std::vector<Point2>& corners, const Rgba4& c);
    void fill_ellipse(float cx, float cy, float rx, float ry, const Rgba4& c);
    void fill_ring(float cx, float cy, float rx, float ry, float thickness_fraction, const Rgba4& c);
    void stroke(float x0, float y0, float x1, float y1, float width, const Rgba4& c);

    // Premultiplied 8-bit pixels of 3 or 4 bytes, as the TGA writers take them.
    std::vector<unsigned char> bytes(int format) const;

private:
    void fill_covered(float x0, float y0, float x1, float y1, const Rgba4& c,
                      const std::function<bool(float, float)>& inside);
    int width_, height_;
    std::vector<Rgba4> pixels_;
};

// Value noise in 0..1 on a lattice that repeats every period_x by period_y
// cells, so noise(x + period_x, y) == noise(x, y).
float tile_noise(float x, float y, int period_x, int period_y, uint32_t seed);
// Octaves of tile_noise, each of twice the frequency and half the weight.
float tile_fbm(float x, float y, int period_x, int period_y, int octaves, uint32_t seed);
// Value noise in 0..1 over space, for pictures that need no tiling.
float noise3(float x, float y, float z, uint32_t seed);
float fbm3(float x, float y, float z, int octaves, uint32_t seed);
// A repeatable pseudo-random number in 0..1 for integer coordinates.
float hash01(int x, int y, uint32_t seed);
