// The painting surface and the noise the texture painters build on.
#include "texture_canvas.h"

#include <algorithm>
#include <cmath>

Rgba4 rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f, 1}; }

Rgba4 mix(const Rgba4& x, const Rgba4& y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Rgba4 scaled(const Rgba4& c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height, Rgba4 fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, const Rgba4& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float k = clamp01(coverage) * c.a;
    Rgba4& p = at(x, y);
    // Straight (not premultiplied) colours, laid one over the other.
    const float below = p.a * (1 - k);
    const float a = k + below;
    if (a <= 0) return;
    p.r = (c.r * k + p.r * below) / a;
    p.g = (c.g * k + p.g * below) / a;
    p.b = (c.b * k + p.b * below) / a;
    p.a = a;
}

void Canvas::shade(const std::function<Rgba4(float, float, const Rgba4&)>& f) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) at(x, y) = f(x + 0.5f, y + 0.5f, at(x, y));
    }
}

void Canvas::fill_covered(float x0, float y0, float x1, float y1, const Rgba4& c,
                          const std::function<bool(float, float)>& inside) {
    constexpr int SAMPLES = 4;
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(width_ - 1, static_cast<int>(std::ceil(x1)));
    const int iy1 = std::min(height_ - 1, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    if (inside(x + (sx + 0.5f) / SAMPLES, y + (sy + 0.5f) / SAMPLES)) ++hits;
                }
            }
            if (hits > 0) blend(x, y, c, static_cast<float>(hits) / (SAMPLES * SAMPLES));
        }
    }
}

void Canvas::fill_rect(float x0, float y0, float x1, float y1, const Rgba4& c) {
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    fill_covered(x0, y0, x1, y1, c, [&](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void Canvas::fill_polygon(const std::vector<Point2>& corners, const Rgba4& c) {
    if (corners.size() < 3) return;
    float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point2& p : corners) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    // Even-odd rule: a sample is inside when a ray to +x crosses an odd number of edges.
    fill_covered(x0, y0, x1, y1, c, [&](float x, float y) {
        bool in = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point2& a = corners[i];
            const Point2& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    });
}

void Canvas::fill_ellipse(float cx, float cy, float rx, float ry, const Rgba4& c) {
    fill_covered(cx - rx, cy - ry, cx + rx, cy + ry, c, [&](float x, float y) {
        const float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1;
    });
}

void Canvas::fill_ring(float cx, float cy, float rx, float ry, float thickness_fraction, const Rgba4& c) {
    const float inner = (1 - thickness_fraction) * (1 - thickness_fraction);
    fill_covered(cx - rx, cy - ry, cx + rx, cy + ry, c, [&](float x, float y) {
        const float u = (x - cx) / rx, v = (y - cy) / ry;
        const float d = u * u + v * v;
        return d <= 1 && d >= inner;
    });
}

void Canvas::stroke(float x0, float y0, float x1, float y1, float width, const Rgba4& c) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0) return;
    const float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fill_polygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, c);
}

std::vector<unsigned char> Canvas::bytes(int format) const {
    std::vector<unsigned char> out;
    out.reserve(pixels_.size() * static_cast<std::size_t>(format));
    auto byte = [](float v) { return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0f)); };
    for (const Rgba4& p : pixels_) {
        const float a = format == 4 ? clamp01(p.a) : 1.0f;
        out.push_back(byte(p.r * a));
        out.push_back(byte(p.g * a));
        out.push_back(byte(p.b * a));
        if (format == 4) out.push_back(byte(a));
    }
    return out;
}

namespace {

uint32_t hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t hash3(int x, int y, int z, uint32_t seed) {
    return hash(static_cast<uint32_t>(x) * 0x8da6b343U ^ hash(static_cast<uint32_t>(y) * 0xd8163841U ^
                                                                 hash(static_cast<uint32_t>(z) * 0xcb1ab31fU ^ seed)));
}

float lattice(int x, int y, int z, uint32_t seed) { return (hash3(x, y, z, seed) & 0xFFFFFF) / 16777215.0f; }

int wrap(int v, int period) { return ((v % period) + period) % period; }

float fade(float t) { return t * t * (3 - 2 * t); }

}  // namespace

float hash01(int x, int y, uint32_t seed) { return lattice(x, y, 0x51ED, seed); }

float tile_noise(float x, float y, int period_x, int period_y, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const float fx = fade(x - ix), fy = fade(y - iy);
    auto at = [&](int dx, int dy) { return lattice(wrap(ix + dx, period_x), wrap(iy + dy, period_y), 0, seed); };
    const float bottom = at(0, 0) + (at(1, 0) - at(0, 0)) * fx;
    const float top = at(0, 1) + (at(1, 1) - at(0, 1)) * fx;
    return bottom + (top - bottom) * fy;
}

float tile_fbm(float x, float y, int period_x, int period_y, int octaves, uint32_t seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * tile_noise(x, y, period_x, period_y, seed + 977 * o);
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        period_x *= 2;
        period_y *= 2;
    }
    return sum / weight;
}

float noise3(float x, float y, float z, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y)),
              iz = static_cast<int>(std::floor(z));
    const float fx = fade(x - ix), fy = fade(y - iy), fz = fade(z - iz);
    float planes[2];
    for (int dz = 0; dz < 2; ++dz) {
        const float b = lattice(ix, iy, iz + dz, seed) + (lattice(ix + 1, iy, iz + dz, seed) - lattice(ix, iy, iz + dz, seed)) * fx;
        const float t = lattice(ix, iy + 1, iz + dz, seed) +
                        (lattice(ix + 1, iy + 1, iz + dz, seed) - lattice(ix, iy + 1, iz + dz, seed)) * fx;
        planes[dz] = b + (t - b) * fy;
    }
    return planes[0] + (planes[1] - planes[0]) * fz;
}

float fbm3(float x, float y, float z, int octaves, uint32_t seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * noise3(x, y, z, seed + 977 * o);
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        z *= 2;
    }
    return sum / weight;
}
