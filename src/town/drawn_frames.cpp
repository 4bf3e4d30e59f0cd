#include "drawn_frames.h"

void DrawnFrames::record(uint32_t now) {
    ticks_[next_] = now;
    next_ = (next_ + 1) % ticks_.size();
    if (count_ < ticks_.size()) ++count_;
}

int DrawnFrames::in_last_second(uint32_t now) const {
    int n = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        // Unsigned differences, so the tick's wrap at 2^32 costs nothing.
        if (now - ticks_[i] < 1000) ++n;
    }
    return n;
}
