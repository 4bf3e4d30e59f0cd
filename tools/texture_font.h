// A 5 x 7 bitmap font of our own for the lettering on signs and the clock:
// capitals, digits and a little punctuation.
#pragma once

#include <string>

#include "glyphs.h"
#include "texture_canvas.h"

// Width of text in font cells (one empty column between letters).
int text_cells(const std::string& text);

// Draws text with its bottom-left corner at (x, y) in pixels, each font cell
// cell_w wide and cell_h tall; bold widens every stroke by that many pixels.
void draw_text(Canvas& canvas, const std::string& text, float x, float y, float cell_w, float cell_h,
               const Rgba4& colour, float bold = 0);

// The same, centred on (cx, cy).
void draw_text_centred(Canvas& canvas, const std::string& text, float cx, float cy, float cell_w, float cell_h,
                       const Rgba4& colour, float bold = 0);
