// The stages that one toolkit event runs through in the town view, and the
// latch rules every key command shares. Used only by the command files.
#pragma once

#include "key_poll.h"

struct Town;
struct Editor;

// Keys that act whatever is selected: display, track and physics settings.
void run_keys_any_selection(Town& town, Editor& editor, const KeyPoll& keys);
// Keys that act only while no control point and no orientation point is
// selected: scene files, clearing, cameras, display toggles, the train.
void run_keys_without_point(Town& town, Editor& editor, const KeyPoll& keys);
// Mouse gestures on the selected point, object or the light.
void run_selection_gestures(Town& town, Editor& editor, int event, int x, int y, int button, const KeyPoll& keys);
// Keys polled after the gestures: creating and selecting, the light, the eye.
void run_keys_after_gestures(Town& town, Editor& editor, const KeyPoll& keys);
// The event itself (push, release, camera drags, show); returns what the
// toolkit's handle must return.
int run_event(Town& town, Editor& editor, int event, int x, int y, int button);

// A normal latch: the command fires when its key is down, the latch is armed
// (1) and its condition holds, and firing disarms it. Re-arming happens apart
// (rearm_when_up), because some keys re-arm only in some selection states.
inline bool fire_once(bool down, int& latch, bool condition) {
    if (!down || latch != 1 || !condition) return false;
    latch = 0;
    return true;
}

inline void rearm_when_up(bool down, int& latch) {
    if (!down) latch = 1;
}

// Flags switch between 0 and 1; any other value read from a scene file
// counts as set.
inline void toggle(int& flag) { flag = flag == 0 ? 1 : 0; }
