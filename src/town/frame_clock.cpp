// The fixed-step frame clock: every frame consumes 24 ms of real time, steps
// the day, the train and the traffic once, and draws only when the
// simulation has caught up with real time.

#include "tick.h"
#include "town.h"

bool Town::frame_begin() {
    const uint32_t now = GetTickCount();
    if (frame_clock == CLOCK_RESTART) {
        frame_clock = 0;
    } else {
        // A signed 32-bit difference, so the tick's wrap at 2^32 costs nothing.
        const int32_t elapsed = static_cast<int32_t>(now - static_cast<uint32_t>(last_tick));
        frame_clock += elapsed < 0 ? -elapsed : elapsed;
    }
    last_tick = static_cast<int>(now);

    if (fps_frames < 10) fps_start_tick = static_cast<int>(now);
    if (fps_frames > 20) {
        const uint32_t window_ms = GetTickCount() - static_cast<uint32_t>(fps_start_tick);
        // Twelve frames within one millisecond would make the rate infinite;
        // count such a window as one millisecond long.
        fps = static_cast<float>(10.0 / ((window_ms == 0 ? 1u : window_ms) / 1000.0));
        fps_frames = 0;
    }

    if (frame_clock >= 0) {
        time_of_day += time_step;
        if (time_of_day >= 1.0f) time_of_day = 0.0f;
    }

    if (train_running == 1 && frame_clock >= 0) {
        const uint32_t t0 = GetTickCount();
        train_step();
        record_ride(*this);
        traffic_step();
        move_count += 1;
        move_clocks += static_cast<int>(GetTickCount() - t0);
        avg_move_clocks = static_cast<float>(move_clocks) / static_cast<float>(move_count);
    }

    return frame_clock >= 0 && frame_clock <= redraw_speed;
}

void Town::frame_end() {
    if (frame_clock >= 0) frame_clock -= redraw_speed;
}

void Town::run_frame(const std::function<bool()>& draw_picture) {
    const bool draw_now = frame_begin() && !picture_still_right();
    if (draw_now) {
        picture_wanted = false;
        drawn_frames.record(GetTickCount());
        drawn_frames.shown = drawn_frames.in_last_second(GetTickCount());
    }
    if (draw_now && draw_picture()) frame_clock = CLOCK_RESTART;
    frame_end();
}
