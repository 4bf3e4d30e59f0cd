// The fixed-step frame clock and the timing figures the report prints.
#pragma once

// Written into frame_clock after a frame that read images from disk, so
// loading time is not simulated.
constexpr int CLOCK_RESTART = -1000000;

struct FrameClock {
    int frame_clock = 0;   // ms of real time not yet simulated
    int last_tick = 0;     // ms tick seen by the previous frame
    int fps_frames = 0;
    int fps_start_tick = 0;
    int redraw_speed = 24;  // ms per simulation step
    float fps = 0;
    float avg_move_clocks = 0;  // ms
    float avg_draw_clocks = 0;  // ms
    int move_clocks = 0, move_count = 0;
    int draw_clocks = 0, draw_count = 0;

    // A drawn frame and the ms it took, counted where the frame is drawn.
    void count_drawn_frame(int ms) {
        fps_frames += 1;
        draw_count += 1;
        draw_clocks += ms;
        avg_draw_clocks = static_cast<float>(draw_clocks) / static_cast<float>(draw_count);
    }
};
