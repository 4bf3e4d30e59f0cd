// TownView: the OpenGL widget that fills the main window. It holds the town,
// the editor of it and what drawing keeps between frames, runs one frame per
// redraw, turns toolkit events into the editor's commands and answers the
// editor's questions with the toolkit's dialogs.
#pragma once

#include <FL/Fl_Gl_Window.H>

#include "click_select.h"
#include "draw_state.h"
#include "editor.h"
#include "full_screen.h"
#include "town.h"

class Fl_Widget;

// The scene file the view loads when it is made.
constexpr const char* STARTUP_SCENE = "town";

class TownView : public Fl_Gl_Window, private EditorSeams {
public:
    TownView(int x, int y, int w, int h);
    ~TownView() override;

    void draw() override;
    int handle(int event) override;
    // Draws only when the frame clock says so; a frame that draws nothing
    // must not swap an undefined back buffer onto the screen.
    void flush() override;

    Town& town() { return town_; }
    Editor& editor() { return editor_; }

    Fl_Widget* slider = nullptr;  // the speed slider; stored, never read

private:
    void request_redraw() override;
    int ask_file_name(char* buffer, const char* label) override;
    bool ask_numbers(const std::string& title, const std::vector<std::string>& names,
                     std::vector<float>& values) override;

    Town town_;
    Editor editor_;
    DrawState draw_state_;
    unsigned prompts_opened_ = 0;  // file-name prompts opened so far
    FullScreenKey full_screen_;

    // Picking with the mouse: a click selects what is under the pointer, and
    // the pointer turns into a hand over what a click would select.
    void pick_after_event(int event);
    void show_pick_cursor();
    ClickWatch clicks_;
    bool hover_moved_ = false;  // the pointer moved since the last frame
    int hover_x_ = 0, hover_y_ = 0;
    bool hand_shown_ = false;
};
