// When the town may rest: with the train stopped and the day standing
// still, no step changes anything on screen, and the last picture drawn is
// still the right one until something asks for another.
#include "tick.h"
#include "town.h"

bool Town::picture_still_right() const {
    if (picture_wanted || train.train_running == 1 || sky.time_step != 0) return false;
    // The notices after start go away by themselves.
    if (GetTickCount() - overlays.start_tick < START_NOTICE_MS) return false;
    // A HUD that says how many frames were drawn goes stale as they stop.
    return overlays.show_hud == 0 || drawn_frames.shown == drawn_frames.in_last_second(GetTickCount());
}
