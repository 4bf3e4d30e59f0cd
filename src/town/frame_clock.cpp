// The fixed-step frame clock: every frame consumes 24 ms of real time, steps
// the day, the train and the traffic once, and draws only when the
// simulation has caught up with real time.

#include "tick.h"
#include "town.h"

bool Town::frame_begin() {
    const uint32_t now = GetTickCount();
    if (clock.frame_clock == CLOCK_RESTART) {
        clock.frame_clock = 0;
    } else {
        // A signed 32-bit difference, so the tick's wrap at 2^32 costs nothing.
        const int32_t elapsed = static_cast<int32_t>(now - static_cast<uint32_t>(clock.last_tick));
        clock.frame_clock += elapsed < 0 ? -elapsed : elapsed;
    }
    clock.last_tick = static_cast<int>(now);

    if (clock.fps_frames < 10) clock.fps_start_tick = static_cast<int>(now);
    if (clock.fps_frames > 20) {
        const uint32_t window_ms = GetTickCount() - static_cast<uint32_t>(clock.fps_start_tick);
        // Twelve frames within one millisecond would make the rate infinite;
        // count such a window as one millisecond long.
        clock.fps = static_cast<float>(10.0 / ((window_ms == 0 ? 1u : window_ms) / 1000.0));
        clock.fps_frames = 0;
    }

    if (clock.frame_clock >= 0) {
        sky.time_of_day += sky.time_step;
        if (sky.time_of_day >= 1.0f) sky.time_of_day = 0.0f;
    }

    if (train.train_running == 1 && clock.frame_clock >= 0) {
        const uint32_t t0 = GetTickCount();
        train_step();
        record_ride(telemetry, train);
        traffic_step(traffic);
        clock.move_count += 1;
        clock.move_clocks += static_cast<int>(GetTickCount() - t0);
        clock.avg_move_clocks =
            static_cast<float>(clock.move_clocks) / static_cast<float>(clock.move_count);
    }

    return clock.frame_clock >= 0 && clock.frame_clock <= clock.redraw_speed;
}

void Town::frame_end() {
    if (clock.frame_clock >= 0) clock.frame_clock -= clock.redraw_speed;
}
