// Pictures with a shape: the stop sign (front and back), the clock face, the
// hanging shop sign, the headlight beam and the car window pane.
#include <cmath>
#include <string>

#include "texture_font.h"
#include "texture_set.h"

namespace {

constexpr float PI = 3.14159265f;

// The stop sign's octagon in texture coordinates, as its faces map them.
constexpr Point2 OCTAGON[] = {{0.71f, 0}, {1, 0.293f}, {1, 0.707f}, {0.71f, 1},
                              {0.295f, 1}, {0, 0.707f}, {0, 0.29f},  {0.287f, 0}};

std::vector<Point2> octagon(const Canvas& c, float scale) {
    std::vector<Point2> out;
    for (const Point2& p : OCTAGON) {
        out.push_back({(0.5f + (p.x - 0.5f) * scale) * c.width(), (0.5f + (p.y - 0.5f) * scale) * c.height()});
    }
    return out;
}

}  // namespace

void paint_stop_sign(Canvas& c) {
    // White rim, red field, STOP in white across the middle. Outside the
    // octagon nothing shows; it is white so the rim does not darken when
    // the picture is filtered down.
    c.shade([](float, float, const Rgba4&) { return rgb(244, 244, 240); });
    c.fill_polygon(octagon(c, 0.87f), rgb(196, 22, 30));
    c.shade([&](float x, float y, const Rgba4& old) {
        return scaled(old, 0.94f + 0.06f * tile_fbm(x / 16, y / 16, 8, 8, 3, 1001));  // a little weathering
    });
    const float cell_w = c.width() * 0.72f / text_cells("STOP");
    draw_text_centred(c, "STOP", c.width() / 2.0f, c.height() / 2.0f, cell_w, cell_w * 1.3f, rgb(250, 250, 248),
                      cell_w * 0.12f);
}

void paint_stop_sign_back(Canvas& c) {
    // Bare galvanised steel: a pressed rim, the bracket that clamps it to the post, four bolts.
    c.shade([&](float x, float y, const Rgba4&) {
        const float n = tile_fbm(x / 32, y / 32, 4, 4, 4, 1101);
        return scaled(rgb(168, 172, 174), 0.88f + 0.2f * n);
    });
    c.fill_polygon(octagon(c, 0.93f), rgb(150, 154, 156));
    c.fill_polygon(octagon(c, 0.86f), rgb(176, 180, 182));
    const float w = c.width(), h = c.height();
    c.fill_rect(w * 0.44f, h * 0.12f, w * 0.56f, h * 0.88f, rgb(120, 124, 128));
    for (float y : {0.2f, 0.8f}) {
        c.fill_ellipse(w * 0.5f, h * y, 3.5f, 3.5f, rgb(80, 82, 86));
        c.fill_ellipse(w * 0.5f - 0.8f, h * y + 0.8f, 1.4f, 1.4f, rgb(190, 192, 196));
    }
}

void paint_clock(Canvas& c) {
    // The clock face on stone. The dial's centre sits 0.38 of the way up the
    // face, where the hands turn; the face is 1.231 wide and 1.077 high, so
    // the dial is drawn as an ellipse that shows round on the tower.
    paint_stone(c, 1.231f, 1.077f);
    const float w = c.width(), h = c.height();
    const float cx = 0.5f * w, cy = 0.38f * h;
    const float radius = 0.34f;  // world units
    const float rx = radius / 1.231f * w, ry = radius / 1.077f * h;
    c.fill_ellipse(cx + 2, cy - 3, rx * 1.04f, ry * 1.04f, Rgba4{0, 0, 0, 0.3f});  // shadow in the stone
    c.fill_ellipse(cx, cy, rx, ry, rgb(112, 84, 40));
    c.fill_ellipse(cx, cy, rx * 0.93f, ry * 0.93f, rgb(242, 236, 214));
    c.fill_ring(cx, cy, rx * 0.93f, ry * 0.93f, 0.03f, rgb(40, 36, 30));
    const Rgba4 ink = rgb(30, 28, 26);
    for (int m = 0; m < 60; ++m) {
        // Minute dots, and a bar for each hour; the quarters heavier.
        const float a = m * 2 * PI / 60;
        const float sx = std::sin(a), sy = std::cos(a);
        if (m % 5 != 0) {
            c.fill_ellipse(cx + sx * rx * 0.84f, cy + sy * ry * 0.84f, 1.3f, 1.3f, ink);
            continue;
        }
        const float width = m % 15 == 0 ? 5.0f : 3.0f;
        c.stroke(cx + sx * rx * 0.74f, cy + sy * ry * 0.74f, cx + sx * rx * 0.87f, cy + sy * ry * 0.87f, width, ink);
    }
    for (int hour = 3; hour <= 12; hour += 3) {
        const float a = hour * 2 * PI / 12;
        const float cell = 2.6f;
        draw_text_centred(c, std::to_string(hour), cx + std::sin(a) * rx * 0.56f, cy + std::cos(a) * ry * 0.56f,
                          cell, cell * 1.25f, ink, 0.2f);
    }
    c.fill_ellipse(cx, cy, 4, 4, ink);  // the hands' boss
}

void paint_shop_sign(Canvas& c) {
    // A painted board: SAVE over SOUL in gold on green, with a gold border.
    const float w = c.width(), h = c.height();
    c.shade([&](float x, float y, const Rgba4&) {
        const float grain = tile_fbm(x / w * 2, y / h * 16, 2, 16, 3, 1201);
        return scaled(rgb(28, 74, 52), 0.85f + 0.25f * grain);
    });
    const Rgba4 gold = rgb(232, 196, 92);
    c.fill_rect(0, 0, w, 4, rgb(60, 40, 26));
    c.fill_rect(0, h - 4, w, h, rgb(60, 40, 26));
    c.fill_rect(0, 0, 4, h, rgb(60, 40, 26));
    c.fill_rect(w - 4, 0, w, h, rgb(60, 40, 26));
    for (float inset : {9.0f, 12.0f}) {
        c.fill_rect(inset, inset, w - inset, inset + 1.5f, gold);
        c.fill_rect(inset, h - inset - 1.5f, w - inset, h - inset, gold);
        c.fill_rect(inset, inset, inset + 1.5f, h - inset, gold);
        c.fill_rect(w - inset - 1.5f, inset, w - inset, h - inset, gold);
    }
    const float cell = (w - 36) / text_cells("SAVE");
    draw_text_centred(c, "SAVE", w / 2 + 1, h * 0.67f - 1, cell, cell * 1.15f, Rgba4{0, 0, 0, 0.5f}, 0.4f);
    draw_text_centred(c, "SOUL", w / 2 + 1, h * 0.33f - 1, cell, cell * 1.15f, Rgba4{0, 0, 0, 0.5f}, 0.4f);
    draw_text_centred(c, "SAVE", w / 2, h * 0.67f, cell, cell * 1.15f, gold, 0.4f);
    draw_text_centred(c, "SOUL", w / 2, h * 0.33f, cell, cell * 1.15f, gold, 0.4f);
}

void paint_headlights(Canvas& c) {
    // Two soft beams on the road: t runs away from the car (0 at its nose),
    // s across; each lamp's cone widens and fades with distance. The colour
    // is white so the beam takes the colour the cars draw it in.
    const float lamps[] = {0.36f, 0.64f};
    c.shade([&](float x, float y, const Rgba4&) {
        const float s = x / c.width(), t = y / c.height();
        float light = 0;
        for (float lamp : lamps) {
            const float centre = lamp + (lamp - 0.5f) * 0.6f * t;
            const float half = 0.08f + 0.34f * t;
            const float d = (s - centre) / half;
            light += 0.75f * std::exp(-d * d * 1.4f);
        }
        // Fades in just ahead of the lamps and out to nothing at the far end,
        // so no edge of the quad shows.
        const float fall = std::pow(1 - t, 0.8f) * smoothstep(0.0f, 0.08f, t) * smoothstep(0.0f, 0.05f, 1 - t);
        const float edge = smoothstep(0.0f, 0.06f, s) * smoothstep(0.0f, 0.06f, 1 - s);
        return Rgba4{1, 0.98f, 0.9f, clamp01(0.95f * light * fall * edge)};
    });
}

void paint_window(Canvas& c) {
    // A pane of tinted glass in a pale rim. The cars' door panels show the
    // rim's bottom corners, so the rim is near white and the panel keeps the
    // car's colour.
    const float w = c.width(), h = c.height();
    c.shade([](float, float, const Rgba4&) { return rgb(232, 232, 228); });
    c.fill_rect(4, 4, w - 4, h - 4, rgb(60, 64, 70));
    c.shade([&](float x, float y, const Rgba4& old) {
        if (x < 5 || y < 5 || x > w - 5 || y > h - 5) return old;
        const float v = y / h, u = x / w;
        Rgba4 glass = mix(rgb(30, 40, 56), rgb(118, 140, 166), smoothstep(0.05f, 1.0f, v));
        const float glint = std::fabs(u + v - 1.05f);
        if (glint < 0.09f) glass = mix(glass, rgb(220, 232, 240), 0.6f * (1 - glint / 0.09f));
        if (std::fabs(u + v - 1.3f) < 0.03f) glass = mix(glass, rgb(200, 214, 226), 0.35f);
        return glass;
    });
}
