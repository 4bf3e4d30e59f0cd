// A hand-driven millisecond tick for tests of the frame clock.
#pragma once

#include <cstdint>

#include "tick.h"

class FakeTick {
public:
    explicit FakeTick(uint32_t start) {
        now() = start;
        set_tick_source([] { return now(); });
    }
    ~FakeTick() { set_tick_source(nullptr); }
    FakeTick(const FakeTick&) = delete;
    FakeTick& operator=(const FakeTick&) = delete;

    void advance(uint32_t ms) { now() += ms; }
    void set(uint32_t ms) { now() = ms; }

private:
    static uint32_t& now() {
        static uint32_t value = 0;
        return value;
    }
};
