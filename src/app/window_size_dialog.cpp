// The small modal dialog that asks for the main window's size before the
// window exists, pre-filled from res.cfg and writing the answer back to it.
#include "window_size_dialog.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>

#include <cstdio>

#include "modal_answer.h"
#include "window_size.h"

int ask_window_size(int& width, int& height, int& cancelled) {
    const WindowSizeText start = read_res_cfg();

    // Declared in the order they are built, so they are destroyed in the
    // reverse one: buttons, label, inputs, then the window.
    Fl_Window window(265, 75, "Quillmoor Project - By: Tamsprig");
    Fl_Input width_input(140, 5, 40, 25);
    Fl_Input height_input(192, 5, 40, 25, "x");
    Fl_Box label(33, 7, 100, 20, "Set window size:");
    width_input.value(start.width);
    height_input.value(start.height);
    Fl_Button cancel(43, 40, 80, 25, "Cancel");
    Fl_Return_Button ok(143, 40, 80, 25, "OK");
    window.hotspot(&cancel);
    window.end();
    if (!wait_for_modal_answer(window, ok, cancel)) {
        cancelled = 1;
        return 0;
    }
    const AcceptedSize size = accept_window_size(width_input.value(), height_input.value());
    if (size.fell_back) {
        std::printf("Window size \"%.4s\" x \"%.4s\" is outside %d x %d to %d x %d: using %d x %d\n",
                    width_input.value(), height_input.value(), MIN_WINDOW_WIDTH, MIN_WINDOW_HEIGHT,
                    MAX_WINDOW_WIDTH, MAX_WINDOW_HEIGHT, DEFAULT_WINDOW_WIDTH, DEFAULT_WINDOW_HEIGHT);
    }
    write_res_cfg(size.text);
    width = size.width;
    height = size.height;
    return 0;
}
