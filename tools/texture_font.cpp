// The sign font (its glyphs are shared with the on-screen text) and the
// routine that lays them on a canvas.
#include "texture_font.h"

#include <cstring>

#include "glyphs.h"

int text_cells(const std::string& text) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * (GLYPH_COLUMNS + 1) - 1;
}

void draw_text(Canvas& canvas, const std::string& text, float x, float y, float cell_w, float cell_h,
               const Rgba4& colour, float bold) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* const* rows = glyph_rows(text[i]);
        if (rows == nullptr) continue;
        const float left = x + i * (GLYPH_COLUMNS + 1) * cell_w;
        for (int row = 0; row < GLYPH_ROWS; ++row) {
            // Rows are written top first; the canvas counts y upward.
            const float bottom = y + (GLYPH_ROWS - 1 - row) * cell_h;
            for (int col = 0; col < GLYPH_COLUMNS; ++col) {
                if (rows[row][col] != '#') continue;
                const float l = left + col * cell_w;
                canvas.fill_rect(l - bold, bottom - bold, l + cell_w + bold, bottom + cell_h + bold, colour);
            }
        }
    }
}

void draw_text_centred(Canvas& canvas, const std::string& text, float cx, float cy, float cell_w, float cell_h,
                       const Rgba4& colour, float bold) {
    draw_text(canvas, text, cx - text_cells(text) * cell_w / 2, cy - GLYPH_ROWS * cell_h / 2, cell_w, cell_h, colour,
              bold);
}
