// The pump never pauses: neither the slider's value nor the button's light
// is read. It sleeps until the town's frame clock owes the next 24 ms step,
// then asks the view for one more frame; keys and the mouse wake the event
// loop meanwhile and are handled at once.
#include "pump.h"

#include <FL/Fl.H>

#include "frame_pace.h"
#include "town_view.h"

void slider_cb(Fl_Widget*, void* data) { static_cast<TownView*>(data)->damage(FL_DAMAGE_CHILD); }

SpeedSlider::SpeedSlider(TownView* view, int maximum, int x, int y, int w, int h)
    : Fl_Value_Slider(x, y, w, h, nullptr) {
    value(0.0);
    range(0.0, static_cast<double>(maximum));
    step(1);
    type(FL_HOR_NICE_SLIDER);
    when(FL_WHEN_CHANGED);
    callback(slider_cb, view);
}

SpeedSlider::~SpeedSlider() = default;

void play_timeout_cb(void* data) {
    auto* button = static_cast<PlayButton*>(data);
    // A hidden window is not drawn: ask for no frames until it shows again,
    // and the clock catches up then.
    if (!button->view->visible_r()) {
        Fl::repeat_timeout(button->view->town().clock.redraw_speed / 1000.0, play_timeout_cb, button);
        return;
    }
    int wait_ms = ms_until_next_step(button->view->town());
    if (wait_ms == 0) {
        // A step is due: the frame runs at the toolkit's next flush, and the
        // clock is read again just after it. (A timeout of 0 would run again
        // before the flush, for ever.)
        button->target->do_callback();
        wait_ms = 1;
    }
    Fl::repeat_timeout(wait_ms / 1000.0, play_timeout_cb, button);
}

PlayButton::PlayButton(Fl_Widget* target_, TownView* view_, int x, int y, int w, int h)
    : Fl_Light_Button(x, y, w, h, "Play"), target(target_), view(view_) {
    Fl::add_timeout(0.0, play_timeout_cb, this);
}

PlayButton::~PlayButton() { Fl::remove_timeout(play_timeout_cb, this); }
