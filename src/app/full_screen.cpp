// The full-screen switch of the main window.
#include "full_screen.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "input_codes.h"
#include "key_poll.h"

void FullScreenKey::poll(Fl_Window& window, const KeyPoll& keys) {
    if (!keys.key_down(KEY_F11)) {
        // Without a window manager the switch makes the window anew, and the
        // keyboard focus is gone for a moment: F11 still held then must not
        // switch back, so only a key up on the keyboard itself re-arms.
        if (Fl::get_key(FL_F + 11) == 0) latch_ = 1;
        return;
    }
    if (latch_ != 1) return;
    latch_ = 0;
    // Back from full screen the toolkit restores the size and place it had.
    if (window.fullscreen_active()) {
        window.fullscreen_off();
    } else {
        window.fullscreen();
    }
}
