#include "keyboard_focus.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/XKBlib.h>

void give_keyboard_to(Fl_Widget& widget) {
    // The toolkit shows a hidden window to focus it: a window closed while a
    // dialog was open (the program ending) must stay closed.
    Fl_Window* top = widget.top_window();
    if (top == nullptr || !top->shown()) return;
    if (Fl::focus() != &widget) Fl::focus(&widget);
}

void send_held_keys_as_presses() {
    fl_open_display();
    // A server without the keyboard extension keeps its releases, which the
    // toolkit still drops as best it can.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(fl_display, True, &supported);
}
