// A pressed button, or the window when its close box is used, arrives
// through the read queue; everything else in it is ignored.
#include "modal_answer.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace {

enum class Answer { NONE, OK, CANCEL };

}  // namespace

bool wait_for_modal_answer(Fl_Window& window, const Fl_Widget& ok, const Fl_Widget& cancel) {
    window.set_modal();
    window.show();
    Answer answer = Answer::NONE;
    while (answer == Answer::NONE) {
        Fl::wait();
        for (Fl_Widget* w = Fl::readqueue(); w != nullptr; w = Fl::readqueue()) {
            if (answer != Answer::NONE) continue;  // drain what is left
            if (w == &ok) answer = Answer::OK;
            if (w == &cancel || w == &window) answer = Answer::CANCEL;
        }
        // A window that vanished without a word counts as closed.
        if (answer == Answer::NONE && !window.shown()) answer = Answer::CANCEL;
    }
    return answer == Answer::OK;
}
