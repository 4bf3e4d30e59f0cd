// The 5 x 7 bitmap font of our own: the same glyphs letter the signs painted
// into textures and the text laid over the picture, so both read alike under
// any display, real, virtual or off screen.
#pragma once

constexpr int GLYPH_COLUMNS = 5;
constexpr int GLYPH_ROWS = 7;

// The seven rows of c, top row first, '#' for a lit cell; lower-case letters
// share the capitals. Null for a character the font does not have.
const char* const* glyph_rows(char c);
