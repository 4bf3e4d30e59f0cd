// F11 switches the main window between full screen and the size it had.
#pragma once

class Fl_Window;
struct KeyPoll;

class FullScreenKey {
public:
    // Polled at every event of the town view, like every key command: one
    // switch per press, re-armed when F11 is up.
    void poll(Fl_Window& window, const KeyPoll& keys);

private:
    int latch_ = 1;
};
