// Picking: what the frame draws nearest under a pixel of the view.
#pragma once

#include "click_select.h"

struct Town;

// The control-point marker, orientation-point marker or town object drawn
// nearest under pixel (x, y) of a width x height view, counted from the top
// left as the toolkit counts. Draws nothing the user sees (selection mode)
// and leaves the matrices as it found them; needs the view's GL context.
PickHit pick_at(Town& town, int width, int height, int x, int y);
