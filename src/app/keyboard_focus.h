// The town takes key commands only while the keyboard focus is in its window.
#pragma once

class Fl_Widget;

// Gives the keyboard focus to the widget: after a dialog closed, the focus
// it held goes nowhere by itself, and the town's keys would go dead.
void give_keyboard_to(Fl_Widget& widget);
