// Ending without losing the town's edits: the signals a shutdown, a logout or
// Ctrl+C send close the program as the window's close box does, and a lost
// display keeps the edits before the program goes.
#pragma once

struct Town;
struct Editor;

// While one exists: SIGTERM, SIGHUP and SIGINT hide every window, so an
// open file prompt counts as cancelled, and ending() turns true, so the event
// loop returns and the usual close keeps the edits; a second such signal
// ends the program at once. A lost connection to the X server (the
// server killed, the window killed) writes the autosave and ends with
// status 1. The display must be open before it is made.
class ShutdownWatch {
public:
    ShutdownWatch(Town& town, Editor& editor);
    ~ShutdownWatch();
    ShutdownWatch(const ShutdownWatch&) = delete;
    ShutdownWatch& operator=(const ShutdownWatch&) = delete;

    // A signal asked the program to end, and its windows are closed.
    bool ending() const;
};
