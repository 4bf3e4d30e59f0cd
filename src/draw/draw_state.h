// What drawing keeps from one frame to the next: the display lists, the
// locomotive beacon's phase, where the sky box stands and the daylight the
// frame was lit by. The town is only read; this is drawing's own.
#pragma once

#include <memory>

#include "vec3.h"

struct DrawCaches;

// The locomotive's red beacon: its brightness and whether it is fading.
struct BeaconPhase {
    float level = 0;
    int falling = 0;
};

struct DrawState {
    DrawState();
    ~DrawState();
    DrawState(const DrawState&) = delete;
    DrawState& operator=(const DrawState&) = delete;

    // 1: unchanged geometry is replayed from display lists; 0: every frame
    // is drawn directly (the pictures are the same).
    int cached_drawing = 1;
    // The lists, made by the first frame that wants them.
    std::unique_ptr<DrawCaches> caches;

    BeaconPhase beacon;
    // The town's clears seen so far: a cleared scene starts its beacon over.
    unsigned clears_seen = 0;
    Vec3 sky_center;
    float daylight = 0;
};
