// The animation pump: a zero-size slider whose callback damages the view,
// and a zero-size Play button whose timeout fires the slider's callback
// whenever the view's frame clock owes a step, and sleeps in between.
#pragma once

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

class SpeedSlider : public Fl_Value_Slider {
public:
    SpeedSlider(Fl_Widget* view, int maximum, int x, int y, int w, int h);
    ~SpeedSlider() override;
};

class PlayButton : public Fl_Light_Button {
public:
    PlayButton(Fl_Widget* target, int x, int y, int w, int h);
    ~PlayButton() override;

    Fl_Widget* target;
};

void slider_cb(Fl_Widget* widget, void* data);
void play_timeout_cb(void* data);
