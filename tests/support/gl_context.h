// An off-screen OpenGL context (Mesa's OSMesa) for drawing tests: draw into
// it, then probe pixels or capture primitives in feedback mode.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

struct Rgba {
    int r, g, b, a;
};

class OffscreenContext {
public:
    OffscreenContext(int width, int height);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Pixel at (x, y) with y counted from the bottom row, after glFinish.
    Rgba pixel(int x, int y) const;
    // Every pixel, RGBA from the bottom row up, after glFinish.
    const std::vector<unsigned char>& pixels() const { return buffer_; }
    // Writes the buffer as a PNG-free portable pixmap, for looking at a failure.
    void save_ppm(const char* path) const;

private:
    int width_, height_;
    std::vector<unsigned char> buffer_;
    void* context_;
};

// One primitive returned by feedback mode: its kind and its vertices in
// window coordinates (x, y, z) with colour and texture coordinates.
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
    float s, t;
};
struct FeedbackPrimitive {
    enum Kind { Point, Line, Polygon, Bitmap, Pixel } kind;
    std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode (GL_3D_COLOR_TEXTURE) and returns what it drew.
std::vector<FeedbackPrimitive> capture_feedback(const std::function<void()>& draw,
                                                std::size_t buffer_floats = 1 << 22);
