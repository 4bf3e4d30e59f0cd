// Start-up and shut-down: the size dialog, the main window with the town
// view and the pump, the event loop. The exit status is 1 on every path.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include <cstdio>

#include "autosave_notice.h"
#include "close_with_autosave.h"
#include "edit_history.h"
#include "keyboard_focus.h"
#include "pump.h"
#include "shutdown_signals.h"
#include "start_dir.h"
#include "town_view.h"
#include "window_size_dialog.h"

int main() {
    // Messages must reach a pipe or a log as they happen (some end without
    // a newline), not when the program exits.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::vector<std::string> start_advice = advise_if_no_textures();
    send_held_keys_as_presses();

    int width = 0;
    int height = 0;
    int cancelled = 0;
    ask_window_size(width, height, cancelled);
    if (cancelled == 1) return 1;

    auto* window = new Fl_Double_Window(0, 0, width, height, "Quillmoor Project - By: Tamsprig");
    window->begin();
    auto* view = new TownView(0, 0, width, height);
    auto* slider = new SpeedSlider(view, 0, 0, 0, 0, 0);
    view->slider = slider;
    new PlayButton(slider, view, 0, 0, 0, 0);
    window->end();
    // The view takes every size the window is given, full screen included.
    window->resizable(view);
    window->show();
    announce_newer_autosaves(view->editor(), STARTUP_SCENE);
    for (const std::string& line : start_advice) view->editor().overlays.start_notice.push_back(line);

    {
        // Fl::run(), but a signal ends it even should a window show again.
        const ShutdownWatch watch(view->town(), view->editor());
        const CloseWithAutosave close(*window, view->town(), view->editor());
        while (Fl::first_window() != nullptr && !watch.ending()) Fl::wait();
        if (!close.kept()) keep_edits_on_close(view->town(), view->editor());
    }

    // The view first (it leaves the window as it goes), then the window with
    // the slider and the button, whose destructor removes the pump's timeout.
    window->remove(view);
    delete view;
    delete window;
    return 1;
}
