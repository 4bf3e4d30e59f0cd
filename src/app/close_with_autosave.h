// Closing the window (its close box or Escape) with unsaved edits: the
// autosave is written at once and the window stays a moment, showing where
// the edits went, before it goes. Launched from the desktop, nobody reads
// standard output, and a window already gone could not say it.
#pragma once

class Fl_Widget;
class Fl_Window;
struct Town;
struct Editor;

// Long enough to read the path once, short enough not to feel like a hang.
constexpr double AUTOSAVE_FAREWELL_S = 2.5;

class CloseWithAutosave {
public:
    // Becomes the window's close callback for as long as it exists.
    CloseWithAutosave(Fl_Window& window, Town& town, Editor& editor);
    ~CloseWithAutosave();
    CloseWithAutosave(const CloseWithAutosave&) = delete;
    CloseWithAutosave& operator=(const CloseWithAutosave&) = delete;

    // The edits were kept when the window was asked to close; nothing could
    // be edited since, so the close after the loop must not write them again
    // (a second autosave would push an older one out of its place).
    bool kept() const { return kept_; }

private:
    static void asked_to_close(Fl_Widget*, void* self);
    static void moment_over(void* self);

    Fl_Window& window_;
    Town& town_;
    Editor& editor_;
    bool kept_ = false;
};
