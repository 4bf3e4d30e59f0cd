// When the town may rest: with the train stopped and the day standing
// still, no step changes anything on screen, and the last picture drawn is
// still the right one until something asks for another.
#include "frame_rest.h"

#include "editor.h"
#include "tick.h"
#include "town.h"

bool picture_still_right(const Town& town, const Editor& editor) {
    if (editor.picture_wanted || town.train.train_running == 1 || town.sky.time_step != 0) return false;
    // The notices after start go away by themselves.
    if (GetTickCount() - editor.overlays.start_tick < START_NOTICE_MS) return false;
    // A HUD that says how many frames were drawn goes stale as they stop.
    return editor.overlays.show_hud == 0 ||
           editor.drawn_frames.shown == editor.drawn_frames.in_last_second(GetTickCount());
}

void run_frame(Town& town, Editor& editor, const std::function<bool()>& draw_picture) {
    const bool draw_now = town.frame_begin() && !picture_still_right(town, editor);
    if (draw_now) {
        const uint32_t now = GetTickCount();
        editor.picture_wanted = false;
        editor.drawn_frames.record(now);
        editor.drawn_frames.shown = editor.drawn_frames.in_last_second(now);
    }
    if (draw_now && draw_picture()) town.clock.frame_clock = CLOCK_RESTART;
    town.frame_end();
}
