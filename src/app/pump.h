// The animation pump: a zero-size slider whose callback damages the view,
// and a zero-size Play button whose idle callback fires the slider's
// callback at every idle pass of the event loop.
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
void play_idle_cb(void* data);
