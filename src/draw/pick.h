// Picking: what the frame draws nearest under a pixel of the view.
#pragma once

#include "click_select.h"

struct Town;
struct Editor;

// The control-point marker, orientation-point marker or town object drawn
// nearest under pixel (x, y) of a width x height view, counted from the top
// left as the toolkit counts. Draws into the few pixels round (x, y) of the
// current colour and depth buffers, so it belongs before a frame that clears
// them, never between a frame and its swap; leaves every other GL state as
// it found it, asks for no texture, and needs the view's GL context.
PickHit pick_at(const Town& town, const Editor& editor, int width, int height, int x, int y);
