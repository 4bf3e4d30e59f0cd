// The frames actually drawn in the last second, for the HUD: whether every
// step of the town reaches the screen, or how far it falls behind.
#pragma once

#include <array>
#include <cstdint>

class DrawnFrames {
public:
    // A frame was drawn at tick now (ms).
    void record(uint32_t now);
    // Frames drawn in the second up to tick now.
    int in_last_second(uint32_t now) const;
    // What the picture on screen says, so a resting town knows when its HUD
    // figure has gone stale.
    int shown = 0;

private:
    // More than a second's worth at any pace the town draws (one a step).
    std::array<uint32_t, 128> ticks_{};
    std::size_t next_ = 0;
    std::size_t count_ = 0;
};
