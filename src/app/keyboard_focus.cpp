#include "keyboard_focus.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

void give_keyboard_to(Fl_Widget& widget) {
    if (Fl::focus() != &widget) Fl::focus(&widget);
}
