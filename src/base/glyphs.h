// The 5 x 7 bitmap font of our own: the same glyphs letter the signs painted
// into textures and the text laid over the picture, so both read alike under
// any display, real, virtual or off screen.
#pragma once

#include <string>

constexpr int GLYPH_COLUMNS = 5;
constexpr int GLYPH_ROWS = 7;

// The seven rows of c, top row first, '#' for a lit cell. Null for a
// character the font does not have.
const char* const* glyph_rows(char c);

// text with its lower-case letters made capitals: the help, the HUD, the ride
// profile and the start hint are lettered in capitals, like the town's signs;
// what is told as written (paths, file names) is drawn as given.
std::string in_capitals(std::string text);
