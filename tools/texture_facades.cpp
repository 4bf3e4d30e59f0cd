// Building facades: walls with storeys of windows, ground floors with doors,
// shop fronts and lobbies. Each facade is laid out in world units on its own
// wall, so windows keep their shape whatever the texture's proportions.
#include <cmath>
#include <string>

#include "texture_font.h"
#include "texture_set.h"

namespace {

enum class Material { Render, Brick, Panels, Siding };
enum class Ground { Windows, Shop, Lobby, House };

struct Facade {
    float wall_w, wall_h;  // the wall the texture is stretched over, world units
    Material material;
    Rgba4 wall;
    Rgba4 trim;           // parapet, cornice and floor bands
    float ground_h;       // height of the ground floor
    float storey_h;
    float parapet_h;
    int bays;             // window columns
    float win_w, win_h;   // one window
    float sill_h;         // floor to window bottom
    Rgba4 frame;
    bool ribbon = false;  // one continuous band of glass per storey
    bool shutters = false;
    Rgba4 shutter = {};
    bool balconies = false;
    bool floor_bands = false;
    Ground ground = Ground::Windows;
    int door_bay = -1;    // ground-floor bay whose window is a door (-1: none)
    Rgba4 door = {};
    const char* sign = nullptr;  // lettering over a shop front
    uint32_t seed = 1;
};

// Pixels per world unit along each axis of one canvas.
struct Scale {
    float sx, sy;
};

struct Painter {
    Canvas& c;
    const Facade& f;
    Scale k;

    void rect(float x0, float y0, float x1, float y1, const Rgba4& col) {
        c.fill_rect(x0 * k.sx, y0 * k.sy, x1 * k.sx, y1 * k.sy, col);
    }

    void wall() {
        const Facade& fa = f;
        const Scale s = k;
        const int w = c.width(), h = c.height();
        c.shade([&](float x, float y, const Rgba4&) {
            const float wx = x / s.sx, wy = y / s.sy;
            const float n = tile_fbm(x / w * 8, y / h * 8, 8, 8, 4, fa.seed);
            float v = 0.92f + 0.14f * (n - 0.5f);
            Rgba4 base = fa.wall;
            switch (fa.material) {
                case Material::Brick: {
                    const float bw = 0.16f, bh = 0.05f;
                    const int row = static_cast<int>(std::floor(wy / bh));
                    const float sx = wx + (row % 2 ? bw / 2 : 0);
                    const int col = static_cast<int>(std::floor(sx / bw));
                    const float mx = std::fmod(sx, bw), my = std::fmod(wy, bh);
                    v *= 0.88f + 0.22f * hash01(col, row, fa.seed + 7);
                    if (mx < 0.018f || my < 0.012f) base = rgb(170, 160, 148);
                    break;
                }
                case Material::Panels: {
                    const float px = std::fmod(wx, fa.wall_w / fa.bays), py = std::fmod(wy, fa.storey_h);
                    if (px < 0.02f || py < 0.02f) v *= 0.82f;
                    break;
                }
                case Material::Siding: {
                    const float board = 0.06f, by = std::fmod(wy, board);
                    v *= 0.8f + 0.2f * smoothstep(0.0f, 0.02f, by);
                    break;
                }
                case Material::Render: break;
            }
            return scaled(base, v);
        });
    }

    void glass(float x0, float y0, float x1, float y1, int variety) {
        // Sky reflected in the upper panes, the dark room behind the lower,
        // and a pale diagonal glint.
        const Scale s = k;
        const int px0 = static_cast<int>(x0 * s.sx), px1 = static_cast<int>(std::ceil(x1 * s.sx));
        const int py0 = static_cast<int>(y0 * s.sy), py1 = static_cast<int>(std::ceil(y1 * s.sy));
        for (int py = py0; py < py1 && py < c.height(); ++py) {
            for (int px = px0; px < px1 && px < c.width(); ++px) {
                const float u = ((px + 0.5f) / s.sx - x0) / (x1 - x0), v = ((py + 0.5f) / s.sy - y0) / (y1 - y0);
                if (u < 0 || u > 1 || v < 0 || v > 1) continue;
                Rgba4 col = mix(rgb(36, 48, 66), rgb(128, 158, 188), smoothstep(0.1f, 1.0f, v));
                const float glint = std::fabs(u * 0.8f + v - 1.1f);
                if (glint < 0.12f) col = mix(col, rgb(210, 225, 235), 0.5f * (1 - glint / 0.12f));
                if (variety == 1 && std::fmod(v * 9, 1.0f) < 0.5f) col = mix(col, rgb(200, 196, 180), 0.45f);  // blinds
                if (variety == 2 && (u < 0.22f || u > 0.78f)) col = mix(col, rgb(170, 120, 90), 0.7f);  // curtains
                c.blend(px, py, col);
            }
        }
    }

    void window(float cx, float y0, int storey, int bay) {
        const float x0 = cx - f.win_w / 2, x1 = cx + f.win_w / 2, y1 = y0 + f.win_h;
        const float t = 0.035f;  // frame thickness
        if (f.shutters) {
            rect(x0 - f.win_w * 0.45f, y0, x0 - t, y1, f.shutter);
            rect(x1 + t, y0, x1 + f.win_w * 0.45f, y1, f.shutter);
        }
        rect(x0 - t, y0 - t, x1 + t, y1 + t, f.frame);
        rect(x0 - t * 1.8f, y0 - t * 2, x1 + t * 1.8f, y0 - t * 0.8f, scaled(f.trim, 1.05f));  // sill
        const int variety = static_cast<int>(hash01(bay, storey, f.seed + 3) * 5) % 3;
        glass(x0, y0, x1, y1, variety);
        rect(cx - t / 2, y0, cx + t / 2, y1, f.frame);  // mullion
        if (f.balconies) {
            const float by = y0 + f.win_h * 0.35f;
            rect(x0 - 0.12f, y0 - 0.06f, x1 + 0.12f, y0, scaled(f.trim, 0.7f));  // slab
            rect(x0 - 0.12f, by - 0.025f, x1 + 0.12f, by, rgb(60, 62, 66));       // rail
            for (float bx = x0 - 0.1f; bx <= x1 + 0.1f; bx += 0.07f) rect(bx, y0, bx + 0.015f, by, rgb(60, 62, 66));
        }
    }

    void ribbon(float y0) {
        rect(0, y0, f.wall_w, y0 + f.win_h, f.frame);
        const float bay = f.wall_w / f.bays;
        for (int b = 0; b < f.bays; ++b) {
            glass(b * bay + 0.03f, y0 + 0.03f, (b + 1) * bay - 0.03f, y0 + f.win_h - 0.03f, 0);
        }
    }

    void door(float cx, float w, float h, bool glazed) {
        const float x0 = cx - w / 2, x1 = cx + w / 2;
        rect(x0 - 0.05f, 0, x1 + 0.05f, h + 0.05f, f.frame);
        rect(x0, 0, x1, h, f.door);
        if (glazed) {
            glass(x0 + 0.05f, 0.08f, cx - 0.03f, h - 0.08f, 0);
            glass(cx + 0.03f, 0.08f, x1 - 0.05f, h - 0.08f, 0);
        } else {
            // Panelled wooden door with a brass knob.
            const Rgba4 panel = scaled(f.door, 0.8f);
            rect(x0 + w * 0.15f, h * 0.55f, x1 - w * 0.15f, h * 0.9f, panel);
            rect(x0 + w * 0.15f, h * 0.1f, x1 - w * 0.15f, h * 0.45f, panel);
            c.fill_ellipse((x1 - w * 0.12f) * k.sx, h * 0.5f * k.sy, 0.02f * k.sx + 0.5f, 0.02f * k.sy + 0.5f,
                           rgb(220, 190, 90));
        }
        rect(x0 - 0.1f, h + 0.05f, x1 + 0.1f, h + 0.1f, scaled(f.trim, 0.8f));  // lintel
    }

    void shop_front() {
        const float h = f.ground_h, w = f.wall_w;
        // Display windows either side of the door under a striped awning and a sign.
        rect(0.06f, 0.12f, w - 0.06f, h * 0.62f, f.frame);
        glass(0.1f, 0.16f, w / 2 - 0.22f, h * 0.6f, 0);
        glass(w / 2 + 0.22f, 0.16f, w - 0.1f, h * 0.6f, 0);
        door(w / 2, 0.3f, h * 0.6f, true);
        const float a0 = h * 0.64f, a1 = h * 0.8f;
        const int stripes = 12;
        for (int i = 0; i < stripes; ++i) {
            rect(w * i / stripes, a0, w * (i + 1) / stripes, a1, i % 2 ? rgb(240, 236, 226) : rgb(176, 34, 38));
        }
        rect(0, a0 - 0.02f, w, a0, rgb(90, 30, 30));
        rect(0.1f, a1 + 0.01f, w - 0.1f, h - 0.01f, rgb(36, 52, 40));
        if (f.sign != nullptr) {
            const float cell_h = (h - 0.03f - a1 - 0.05f) / GLYPH_ROWS * k.sy;
            draw_text_centred(c, f.sign, w / 2 * k.sx, (a1 + h) / 2 * k.sy, cell_h * 1.1f, cell_h, rgb(236, 206, 120));
        }
    }

    void lobby() {
        const float h = f.ground_h, w = f.wall_w;
        rect(0, 0, w, h * 0.85f, f.frame);
        const int panes = f.bays;
        for (int i = 0; i < panes; ++i) {
            glass(w * i / panes + 0.04f, 0.04f, w * (i + 1) / panes - 0.04f, h * 0.85f - 0.04f, 0);
        }
        // The entrance: bronze-framed double doors with push bars under a canopy.
        const float dw = 0.8f, dh = h * 0.68f;
        rect(w / 2 - dw / 2 - 0.08f, 0, w / 2 + dw / 2 + 0.08f, dh + 0.08f, f.door);
        glass(w / 2 - dw / 2, 0.06f, w / 2 - 0.03f, dh - 0.04f, 0);
        glass(w / 2 + 0.03f, 0.06f, w / 2 + dw / 2, dh - 0.04f, 0);
        rect(w / 2 - dw / 2 + 0.04f, dh * 0.45f, w / 2 - 0.07f, dh * 0.45f + 0.04f, rgb(200, 196, 180));
        rect(w / 2 + 0.07f, dh * 0.45f, w / 2 + dw / 2 - 0.04f, dh * 0.45f + 0.04f, rgb(200, 196, 180));
        rect(w / 2 - 0.8f, h * 0.74f, w / 2 + 0.8f, h * 0.84f, rgb(48, 50, 56));  // canopy
        rect(w / 2 - 0.8f, h * 0.72f, w / 2 + 0.8f, h * 0.74f, rgb(28, 28, 30));
    }

    void paint() {
        wall();
        const float top = f.wall_h - f.parapet_h;
        for (float y = f.ground_h; f.floor_bands && y < top; y += f.storey_h) rect(0, y - 0.03f, f.wall_w, y, f.trim);

        // Upper storeys, then the ground floor.
        const float bay = f.wall_w / f.bays;
        int storey = 1;
        for (float y = f.ground_h; y + f.storey_h <= top + 1e-3f; y += f.storey_h, ++storey) {
            if (f.ribbon) {
                ribbon(y + f.sill_h);
                continue;
            }
            for (int b = 0; b < f.bays; ++b) window((b + 0.5f) * bay, y + f.sill_h, storey, b);
        }
        switch (f.ground) {
            case Ground::Shop: shop_front(); break;
            case Ground::Lobby: lobby(); break;
            case Ground::Windows:
            case Ground::House:
                for (int b = 0; b < f.bays; ++b) {
                    if (b == f.door_bay) {
                        const bool house = f.ground == Ground::House;
                        door((b + 0.5f) * bay, house ? 0.22f : 0.34f, house ? 0.52f : f.ground_h * 0.75f, !house);
                    } else {
                        window((b + 0.5f) * bay, f.ground == Ground::House ? 0.34f : f.sill_h + 0.08f, 0, b);
                    }
                }
                break;
        }
        // Parapet or cornice with its shadow on the wall below.
        rect(0, top, f.wall_w, f.wall_h, f.trim);
        rect(0, top - 0.04f, f.wall_w, top, scaled(f.wall, 0.6f));
        rect(0, f.wall_h - 0.04f, f.wall_w, f.wall_h, scaled(f.trim, 0.75f));
    }
};

Facade facade(int kind) {
    const Rgba4 office_frame = rgb(62, 68, 76), white = rgb(236, 234, 226);
    switch (kind) {
        case FACADE_1_FRONT:
        case FACADE_1_SIDE: {
            // An office tower of 24 storeys over a tall glazed lobby (front only).
            Facade f{kind == FACADE_1_FRONT ? 9.1f : 3.2f, 16.78f, Material::Panels, rgb(204, 204, 198),
                     rgb(150, 152, 156), 1.0f, 0.63f, 0.66f, kind == FACADE_1_FRONT ? 12 : 4, 0.5f, 0.38f, 0.14f,
                     office_frame};
            f.seed = 11;
            f.ground = kind == FACADE_1_FRONT ? Ground::Lobby : Ground::Windows;
            f.door_bay = kind == FACADE_1_FRONT ? -1 : 0;
            f.door = rgb(96, 70, 40);
            return f;
        }
        case FACADE_2_FRONT:
        case FACADE_2_SIDE: {
            // A brick corner shop with two floors of flats above.
            Facade f{kind == FACADE_2_FRONT ? 2.87f : 2.14f, 2.3f, Material::Brick, rgb(156, 78, 56),
                     rgb(224, 214, 190), 0.86f, 0.62f, 0.2f, kind == FACADE_2_FRONT ? 3 : 2, 0.36f, 0.4f, 0.12f,
                     white};
            f.seed = 21;
            f.ground = kind == FACADE_2_FRONT ? Ground::Shop : Ground::Windows;
            f.door_bay = kind == FACADE_2_FRONT ? -1 : 1;
            f.door = rgb(40, 70, 60);
            f.sign = "BAKERY";
            return f;
        }
        case FACADE_3_SIDE: {
            // A one-storey cottage of painted boards: door between two shuttered windows.
            Facade f{1.54f, 0.92f, Material::Siding, rgb(232, 222, 194), rgb(120, 110, 96), 0.92f, 0.92f, 0.06f, 3,
                     0.24f, 0.24f, 0.34f, white};
            f.seed = 31;
            f.ground = Ground::House;
            f.door_bay = 1;
            f.door = rgb(130, 40, 36);
            f.shutters = true;
            f.shutter = rgb(48, 96, 70);
            return f;
        }
        case FACADE_4_FRONT:
        case FACADE_4_SIDE: {
            // Brick flats of twelve storeys; balconies on the front.
            Facade f{kind == FACADE_4_FRONT ? 6.0f : 3.78f, 8.6f, Material::Brick, rgb(176, 110, 72),
                     rgb(210, 204, 190), 0.8f, 0.6f, 0.4f, kind == FACADE_4_FRONT ? 5 : 3, 0.44f, 0.36f, 0.12f,
                     white};
            f.seed = 41;
            f.balconies = kind == FACADE_4_FRONT;
            f.floor_bands = kind == FACADE_4_SIDE;
            f.door_bay = kind == FACADE_4_FRONT ? 2 : -1;
            f.door = rgb(60, 60, 64);
            return f;
        }
        case FACADE_5: {
            // Ribbon windows between white spandrels over a glazed lobby.
            Facade f{6.47f, 7.8f, Material::Render, rgb(222, 222, 216), rgb(170, 172, 176), 0.9f, 0.6f, 0.3f, 8,
                     0.0f, 0.34f, 0.13f, rgb(44, 52, 58)};
            f.seed = 51;
            f.ribbon = true;
            f.ground = Ground::Lobby;
            f.door = rgb(150, 150, 150);
            return f;
        }
        default: {
            // A small yellow house of four storeys with green shutters.
            Facade f{2.47f, 3.2f, Material::Render, rgb(226, 204, 146), rgb(240, 236, 220), 0.8f, 0.7f, 0.3f, 3,
                     0.3f, 0.42f, 0.16f, white};
            f.seed = 61;
            f.shutters = true;
            f.shutter = rgb(52, 104, 74);
            f.floor_bands = true;
            f.door_bay = 1;
            f.door = rgb(96, 58, 36);
            return f;
        }
    }
}

}  // namespace

void paint_facade(Canvas& c, int kind) {
    const Facade f = facade(kind);
    Painter p{c, f, {c.width() / f.wall_w, c.height() / f.wall_h}};
    p.paint();
}
