// The animation pump: a zero-size slider whose callback damages the view,
// and a zero-size Play button whose repeating timer fires the slider's
// callback whenever the view's frame clock owes a step, and sleeps in between.
#pragma once

#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

class TownView;

class SpeedSlider : public Fl_Value_Slider {
public:
    SpeedSlider(TownView* view, int maximum, int x, int y, int w, int h);
    ~SpeedSlider() override;
};

class PlayButton : public Fl_Light_Button {
public:
    // target is the slider whose callback asks view for a frame.
    PlayButton(Fl_Widget* target, TownView* view, int x, int y, int w, int h);
    ~PlayButton() override;

    Fl_Widget* target;
    TownView* view;
};

void slider_cb(Fl_Widget* widget, void* data);
void play_timeout_cb(void* data);
