// The pump never pauses: neither the slider's value nor the button's light
// is read; every idle pass asks the view for one more frame.
#include "app/pump.h"

#include <FL/Fl.H>

void slider_cb(Fl_Widget*, void* data) { static_cast<Fl_Widget*>(data)->damage(FL_DAMAGE_CHILD); }

SpeedSlider::SpeedSlider(Fl_Widget* view, int maximum, int x, int y, int w, int h)
    : Fl_Value_Slider(x, y, w, h, nullptr) {
    value(0.0);
    range(0.0, static_cast<double>(maximum));
    step(1);
    type(FL_HOR_NICE_SLIDER);
    when(FL_WHEN_CHANGED);
    callback(slider_cb, view);
}

SpeedSlider::~SpeedSlider() = default;

void play_idle_cb(void* data) {
    Fl_Widget* target = static_cast<PlayButton*>(data)->target;
    target->callback()(target, target->user_data());
}

PlayButton::PlayButton(Fl_Widget* target_, int x, int y, int w, int h)
    : Fl_Light_Button(x, y, w, h, "Play"), target(nullptr) {
    Fl::add_idle(play_idle_cb, this);
    target = target_;
}

PlayButton::~PlayButton() { Fl::remove_idle(play_idle_cb, this); }
