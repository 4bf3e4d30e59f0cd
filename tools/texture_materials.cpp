// Materials of the town: concrete streets and cement blocks that tile, the
// eight railway ties, foliage, bark, the hedge, roof tiles, the brick stack
// and the stone of the clock tower.
#include <cmath>

#include "texture_set.h"

namespace {

// Brightness noise that tiles across the canvas with `cells` lattice cells a side.
float tiled(const Canvas& c, float x, float y, int cells, int octaves, uint32_t seed) {
    return tile_fbm(x / c.width() * cells, y / c.height() * cells, cells, cells, octaves, seed);
}

// Distance in pixels from (x) to the nearest multiple of step, with wrap.
float to_line(float x, float step) {
    const float m = std::fmod(x, step);
    return std::fmin(m, step - m);
}

// A brick or stone bond: which block (column, row) a pixel falls in, with every
// other row shifted by half a block, and how far the pixel is from mortar.
struct Bond {
    float block_w, block_h;
    int column, row;
    float to_mortar;
    Bond(float x, float y, float w, float h) : block_w(w), block_h(h) {
        row = static_cast<int>(std::floor(y / h));
        const float shifted = x + (row % 2 ? w / 2 : 0);
        column = static_cast<int>(std::floor(shifted / w));
        to_mortar = std::fmin(to_line(shifted, w), to_line(y, h));
    }
};

}  // namespace

void paint_concrete(Canvas& c) {
    // One slab per texture repeat (one world unit), its joints on the edges,
    // so the streets show slabs with a joint down the middle.
    c.shade([&](float x, float y, const Rgba4&) {
        const float n = tiled(c, x, y, 8, 5, 101);
        const float stain = tiled(c, x, y, 2, 3, 103);
        const float grain = hash01(static_cast<int>(x), static_cast<int>(y), 107);
        float v = 0.55f + 0.10f * (n - 0.5f) + 0.05f * (grain - 0.5f) - 0.06f * smoothstep(0.55f, 0.8f, stain);
        if (grain > 0.985f) v -= 0.12f;  // dark aggregate
        const float joint = std::fmin(to_line(x, c.width()), to_line(y, c.height()));
        v *= 0.55f + 0.45f * smoothstep(0.6f, 1.8f, joint);
        return Rgba4{v, v * 0.99f, v * 0.96f, 1};
    });
}

void paint_cement(Canvas& c) {
    // Pale paving: four flags a repeat, each a shade of its own, thin joints.
    const float flag = c.width() / 2.0f;
    c.shade([&](float x, float y, const Rgba4&) {
        const int fx = static_cast<int>(x / flag), fy = static_cast<int>(y / flag);
        const float n = tiled(c, x, y, 16, 4, 201);
        const float grain = hash01(static_cast<int>(x), static_cast<int>(y), 203);
        float v = 0.74f + 0.05f * (hash01(fx, fy, 205) - 0.5f) + 0.07f * (n - 0.5f) + 0.04f * (grain - 0.5f);
        const float joint = std::fmin(to_line(x, flag), to_line(y, flag));
        v *= 0.88f + 0.12f * smoothstep(0.3f, 1.3f, joint);  // faint: the land beyond town wears it too
        return Rgba4{v, v * 0.98f, v * 0.93f, 1};
    });
}

namespace {

// What sets each of the eight ties apart.
struct TieLook {
    float tint;     // 1 = fresh pale wood; lower is darker, older wood
    float grey;     // how far weather has bleached it grey
    int knots;
    int split;      // 0 none, 1 from the near end, 2 from the far end, 3 both
    bool rusty;     // rusted tie plates
    bool band;      // an iron band against splitting, near one end
    float grain;    // ring spacing
};

constexpr TieLook TIE_LOOKS[8] = {
    {1.00f, 0.00f, 1, 0, false, false, 1.3f}, {0.90f, 0.15f, 2, 1, false, false, 1.0f},
    {0.72f, 0.05f, 0, 0, true, false, 1.6f},  {0.86f, 0.55f, 1, 2, false, false, 0.8f},
    {0.96f, 0.10f, 4, 0, false, false, 1.2f}, {0.66f, 0.20f, 1, 3, true, false, 1.0f},
    {0.92f, 0.30f, 2, 1, false, true, 1.4f},  {0.80f, 0.85f, 0, 2, true, false, 0.7f},
};

}  // namespace

void paint_ties(Canvas& c) {
    // Eight ties side by side along s; each runs along t (the tie's length,
    // across the track). The tie colour tints them, so the wood is pale.
    const int strip = c.width() / 8;
    const float h = static_cast<float>(c.height());
    const float rail_a = 0.2f * h, rail_b = 0.8f * h;  // where the rails cross a tie
    for (int v = 0; v < 8; ++v) {
        const TieLook& look = TIE_LOOKS[v];
        const uint32_t seed = 300 + 17 * v;
        const float x0 = static_cast<float>(v * strip);
        c.shade([&](float x, float y, const Rgba4& old) {
            if (x < x0 || x >= x0 + strip) return old;
            const float u = x - x0;
            const float warp = tile_fbm(u / strip * 2, y / h * 3, 2, 3, 3, seed) * 6;
            const float rings = 0.5f + 0.5f * std::sin((u + warp) * look.grain);
            const float fibre = tile_fbm(u / strip * 16, y / h * 2, 16, 2, 3, seed + 1);
            float k = look.tint * (0.74f + 0.2f * rings + 0.16f * (fibre - 0.5f));
            // Weathered ends and the rounded edges of the tie.
            k *= 0.7f + 0.3f * smoothstep(0, 10, std::fmin(y, h - y));
            k *= 0.75f + 0.25f * smoothstep(0, 3, std::fmin(u, strip - u));
            const Rgba4 wood = {k, k * 0.95f, k * 0.88f, 1};
            return mix(wood, Rgba4{k * 0.85f, k * 0.86f, k * 0.88f, 1}, look.grey);
        });
        for (int i = 0; i < look.knots; ++i) {
            const float kx = x0 + 7 + hash01(v, 10 + i, 305) * (strip - 14);
            const float ky = 14 + hash01(v, 20 + i, 307) * (h - 28);
            c.fill_ellipse(kx, ky, 3.5f, 6.0f, scaled(rgb(150, 118, 90), look.tint));
            c.fill_ellipse(kx, ky, 1.6f, 2.8f, rgb(70, 52, 40));
        }
        for (int end = 0; end < 2; ++end) {
            if (!(look.split & (1 << end))) continue;
            const float sx = x0 + 9 + hash01(v, 30 + end, 309) * (strip - 18);
            const float len = 18 + hash01(v, 32 + end, 311) * 26;
            const float ys = end == 0 ? 0 : h - len;
            c.stroke(sx, ys, sx + 4 * (hash01(v, 34 + end, 313) - 0.5f), ys + len, 1.6f, rgb(40, 30, 24));
        }
        if (look.band) c.fill_rect(x0 + 1, h - 12, x0 + strip - 1, h - 8, rgb(70, 66, 64));
        // Steel tie plates under the two rails with their spikes.
        const Rgba4 plate = look.rusty ? rgb(150, 96, 64) : rgb(170, 170, 176);
        for (float ry : {rail_a, rail_b}) {
            c.fill_rect(x0 + 4, ry - 9, x0 + strip - 4, ry + 9, scaled(plate, 0.6f));
            c.fill_rect(x0 + 5, ry - 8, x0 + strip - 5, ry + 8, plate);
            c.fill_ellipse(x0 + strip / 2.0f - 6, ry - 5.5f, 2, 2, rgb(50, 50, 55));
            c.fill_ellipse(x0 + strip / 2.0f + 6, ry + 5.5f, 2, 2, rgb(50, 50, 55));
        }
    }
}

void paint_tree(Canvas& c) {
    // Leaf clusters over a dark shaded mass: t runs from the canopy's rim (0)
    // to its tip (1), and the lower canopy lies in its own shade.
    c.shade([&](float x, float y, const Rgba4&) {
        const float n = tiled(c, x, y, 8, 5, 401);
        const float lift = 0.55f + 0.45f * (y / c.height());
        return scaled(mix(rgb(22, 58, 24), rgb(52, 104, 40), n), lift);
    });
    for (int i = 0; i < 1400; ++i) {
        const float x = hash01(i, 0, 403) * c.width();
        const float y = hash01(i, 1, 405) * c.height();
        const float r = 1.6f + 2.2f * hash01(i, 2, 407);
        const float lift = 0.6f + 0.5f * (y / c.height());
        const Rgba4 leaf = scaled(mix(rgb(40, 92, 34), rgb(110, 160, 60), hash01(i, 3, 409)), lift);
        // Drawn again one canvas over so the leaves wrap around the cone.
        for (float dx : {-1.0f, 0.0f, 1.0f}) c.fill_ellipse(x + dx * c.width(), y, r, r * 0.75f, leaf);
    }
}

void paint_bark(Canvas& c) {
    // Long furrows running up the trunk between rough grey-brown ridges: the
    // furrows follow the level lines of noise stretched along the trunk.
    c.shade([&](float x, float y, const Rgba4&) {
        const float u = x / c.width(), v = y / c.height();
        const float warp = tile_fbm(u * 4, v * 4, 4, 4, 3, 509) * 1.5f;
        float furrow = 1;
        for (uint32_t layer = 0; layer < 3; ++layer) {
            const float n = tile_fbm(u * 12 + warp, v * 2, 12, 2, 3, 501 + 10 * layer);
            furrow = std::fmin(furrow, smoothstep(0.0f, 0.05f, std::fabs(n - 0.5f)));
        }
        const float rough = tiled(c, x, y, 16, 4, 503);
        const Rgba4 deep = rgb(36, 26, 20), ridge = mix(rgb(96, 78, 60), rgb(130, 112, 92), rough);
        return mix(deep, ridge, furrow);
    });
}

void paint_shrubs(Canvas& c) {
    c.shade([&](float x, float y, const Rgba4&) {
        return mix(rgb(30, 70, 28), rgb(60, 110, 45), tiled(c, x, y, 8, 4, 601));
    });
    for (int i = 0; i < 500; ++i) {
        const float x = hash01(i, 0, 603) * c.width();
        const float y = hash01(i, 1, 605) * c.height();
        const float r = 1.2f + 1.4f * hash01(i, 2, 607);
        Rgba4 leaf = mix(rgb(46, 100, 38), rgb(120, 170, 70), hash01(i, 3, 609));
        if (hash01(i, 4, 611) > 0.97f) leaf = rgb(230, 220, 120);  // a few flowers
        for (float dx : {-1.0f, 0.0f, 1.0f}) {
            for (float dy : {-1.0f, 0.0f, 1.0f}) c.fill_ellipse(x + dx * c.width(), y + dy * c.height(), r, r, leaf);
        }
    }
}

void paint_house_roof(Canvas& c) {
    // Rounded clay tiles in columns, course above course from the eaves
    // (t = 0) to the ridge; each course overlaps the one below and throws a
    // shadow on it, and each tile catches the light along its crown.
    const float course = c.height() / 12.0f, tile = c.width() / 10.0f;
    c.shade([&](float x, float y, const Rgba4&) {
        const int column = static_cast<int>(x / tile), row = static_cast<int>(y / course);
        const float across = x / tile - column;                 // 0..1 over the tile
        const float within = (y - row * course) / course;       // 0 at the course's lower edge
        const Rgba4 clay = mix(rgb(150, 58, 38), rgb(192, 98, 58), hash01(column, row, 703));
        float k = 0.55f + 0.55f * std::sin(3.14159f * across);  // the tile's rounded crown
        k *= 1.0f - 0.3f * within;                               // lower in the shade of the course above
        if (within < 0.14f) k *= 0.5f + 0.5f * within / 0.14f;
        k *= 0.9f + 0.2f * tiled(c, x, y, 16, 3, 705);
        return scaled(clay, k);
    });
}

void paint_stack(Canvas& c) {
    // Bricks 32 x 8 pixels (each side of the stack is 0.65 wide and 16 high),
    // a dark plinth, a pale decorative band near the top and soot above it.
    const float h = static_cast<float>(c.height());
    c.shade([&](float x, float y, const Rgba4&) {
        const Bond b(x, y, 32, 8);
        const float t = y / h;
        Rgba4 brick = mix(rgb(128, 52, 38), rgb(170, 84, 56), hash01(b.column, b.row, 801));
        if (b.row % 40 == 20 || (t > 0.9f && t < 0.915f)) brick = rgb(196, 170, 130);
        float k = 0.9f + 0.2f * tiled(c, x, y, 8, 3, 803);
        if (b.to_mortar < 0.9f) {
            brick = rgb(150, 140, 125);
            k = 0.95f;
        }
        if (t < 0.03f) k *= 0.6f;
        k *= 1.0f - 0.75f * smoothstep(0.8f, 1.0f, t) * (0.7f + 0.3f * tiled(c, x, y, 8, 3, 805));
        return scaled(brick, k);
    });
}

void paint_stone(Canvas& c, float face_w, float face_h) {
    // Courses laid in world units, so that every face of the tower shows the
    // same stones whatever its texture's size: a course 0.2 high (16 courses
    // up the base, 3.2), four stones across a face, joints 0.025 wide.
    constexpr float COURSE = 0.2f, STONE = 1.231f / 4, HALF_JOINT = 0.0125f;
    const float per_unit_x = c.width() / face_w, per_unit_y = c.height() / face_h;
    const float block_w = STONE * per_unit_x, block_h = COURSE * per_unit_y;
    c.shade([&](float x, float y, const Rgba4&) {
        const Bond b(x, y, block_w, block_h);
        const Rgba4 stone = mix(rgb(184, 166, 130), rgb(214, 198, 160), hash01(b.column, b.row, 901));
        float k = 0.92f + 0.16f * tiled(c, x, y, 16, 4, 903);
        const float shifted = x + (b.row % 2 ? block_w / 2 : 0);
        if (to_line(shifted, block_w) < HALF_JOINT * per_unit_x || to_line(y, block_h) < HALF_JOINT * per_unit_y) {
            k *= 0.72f;
        }
        return scaled(stone, k);
    });
}

void paint_clock_side(Canvas& c) {
    // Sandstone over the base's whole height (the clock block shows the
    // lowest third of it again, so no plinth: it would show there as a dark
    // band), and a narrow arched window high on the tower (above the part the
    // clock block shows).
    paint_stone(c, 1.231f, 3.2f);
    const float cx = c.width() / 2.0f, w = 9, y0 = 0.55f * c.height(), y1 = 0.78f * c.height();
    c.fill_rect(cx - w - 3, y0 - 4, cx + w + 3, y0, rgb(160, 146, 116));  // sill
    c.fill_rect(cx - w, y0, cx + w, y1, rgb(34, 34, 44));
    c.fill_ellipse(cx, y1, w, w, rgb(34, 34, 44));
    c.fill_rect(cx - 1, y0, cx + 1, y1 + w, rgb(90, 84, 70));  // mullion
}
