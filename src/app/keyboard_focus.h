// The town takes key commands only while the keyboard focus is in its window.
#pragma once

class Fl_Widget;

// Gives the keyboard focus to the widget: after a dialog closed, the focus
// it held goes nowhere by itself, and the town's keys would go dead.
void give_keyboard_to(Fl_Widget& widget);

// Opens the display and asks the X server to send a held key's repeats as
// presses alone. Otherwise each repeat, from two thirds of a second on, comes
// as a release and a press at the same instant. The toolkit drops such a
// release only when the press is already waiting behind it; on a busy machine
// the press can come a moment later, and the release would re-arm the key's
// latch, so a held N would add a second object.
void send_held_keys_as_presses();
