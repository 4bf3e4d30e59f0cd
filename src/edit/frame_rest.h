// The frame as the town view runs it: the town's clock steps at every frame,
// but a picture is drawn only when it would differ from the one on screen.
#pragma once

#include <functional>

struct Town;
struct Editor;

// True while no step changes the picture and nothing asked for a new one:
// the frame clock keeps time, but no frame is drawn.
bool picture_still_right(const Town& town, const Editor& editor);
// One whole frame: begin, the picture when the clock says so, end. The
// picture says whether it read images from disk: that took real time the
// clock must not simulate, so the clock starts over.
void run_frame(Town& town, Editor& editor, const std::function<bool()>& draw_picture);
