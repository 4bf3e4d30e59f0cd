// The wait loop both modal windows run: their buttons have no callbacks, so
// the answer arrives through the toolkit's read queue.
#pragma once

class Fl_Widget;
class Fl_Window;

// Shows window modally and waits until ok (a click or Enter) or cancel (a
// click, or the window's close box) is pressed. True when ok was.
bool wait_for_modal_answer(Fl_Window& window, const Fl_Widget& ok, const Fl_Widget& cancel);
