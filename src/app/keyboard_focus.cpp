#include "keyboard_focus.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

void give_keyboard_to(Fl_Widget& widget) {
    // The toolkit shows a hidden window to focus it: a window closed while a
    // dialog was open (the program ending) must stay closed.
    Fl_Window* top = widget.top_window();
    if (top == nullptr || !top->shown()) return;
    if (Fl::focus() != &widget) Fl::focus(&widget);
}
