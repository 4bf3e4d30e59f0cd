// The displays laid over the finished picture (help, HUD, ride profile, the
// start hint) and the screenshot of what is shown. OpenGL only; the text and
// what to show come from the town.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Town;
struct Editor;

// Draws whatever the town asks to be shown over the world, in a viewport of
// width x height pixels; leaves every matrix and attribute as it found them,
// so the next frame's lights are placed as before. Draws nothing while every
// display is off.
void draw_overlays(const Town& town, const Editor& editor, int width, int height);

// Text in the town's bitmap font with its bottom-left corner at (x, y)
// pixels, each font cell scale pixels square; in the current colour.
void draw_text_gl(const std::string& text, float x, float y, int scale);

// The picture in the current read buffer: width x height RGB, bottom row first.
std::vector<unsigned char> read_picture(int width, int height);

// When a screenshot was asked for, saves the picture and tells the user
// where; true when one was asked for, so the caller clears the wish
// (drawing only reads the town).
bool save_wanted_screenshot(const Editor& editor, int width, int height,
                            const std::function<void(const std::string&)>& tell);
