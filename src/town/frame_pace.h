// When the frame clock next wants a frame: the pump sleeps until then
// instead of asking for frames that would find the clock still negative.
#pragma once

struct Town;

// Milliseconds of real time until the clock owes a step: 0 when a step is
// due now (to draw, or to catch up by stepping without drawing) or the
// clock is to restart; at most redraw_speed otherwise.
int ms_until_next_step(const Town& town);
