// The modal prompt that asks for the name of a scene file to load or save;
// it runs its own wait loop, so the caller blocks until the user answers.
#include "file_prompt.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "modal_answer.h"

namespace {

constexpr int PROMPT_HEIGHT = 75;
constexpr int BUTTON_W = 80;
constexpr int BUTTON_H = 25;
constexpr int BUTTON_Y = 40;
constexpr int BUTTON_GAP = 10;
// Room left of the label, and between it and the field it names.
constexpr int LABEL_MARGIN = 8;

// Room the field gives for typing: far more than a name may have, so a long
// name shows whole and is refused whole, never cut to one that fits.
constexpr int FIELD_BYTES = 1024;

// The byte where the part of text that does not fit the name buffer starts,
// never in the middle of a UTF-8 character.
int overflow_start(const char* text) {
    int n = FILE_NAME_BYTES - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

}  // namespace

int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w) {
    // Declared in the order they are built, so they are destroyed in the
    // reverse one: buttons, input, then the window.
    Fl_Window window(window_w, PROMPT_HEIGHT);
    Fl_Input input(input_x, input_y, input_w, input_h, label);
    // The label stands left of the field, measured in the font it is drawn
    // in: the field's left edge moves right until the whole label shows, and
    // its right edge stays, so the window keeps its size.
    fl_font(input.labelfont(), input.labelsize());
    const int label_w = static_cast<int>(std::ceil(fl_width(label)));
    const int shift = std::max(0, LABEL_MARGIN + label_w + LABEL_MARGIN - input_x);
    input.resize(input_x + shift, input_y, input_w - shift, input_h);
    input.maximum_size(FIELD_BYTES);
    input.value(buffer, static_cast<int>(strnlen(buffer, FILE_NAME_BYTES - 1)));
    // The two buttons stand side by side, centred as a pair.
    const int left = (window_w - 2 * BUTTON_W - BUTTON_GAP) / 2;
    Fl_Button cancel(left, BUTTON_Y, BUTTON_W, BUTTON_H, "cancel");
    Fl_Return_Button ok(left + BUTTON_W + BUTTON_GAP, BUTTON_Y, BUTTON_W, BUTTON_H, "OK");
    window.hotspot(&cancel);
    window.end();
    while (wait_for_modal_answer(window, ok, cancel)) {
        const std::string refusal = file_name_refusal(input.value());
        if (refusal.empty()) {
            std::memcpy(buffer, input.value(), static_cast<std::size_t>(input.size()) + 1);
            return 1;
        }
        std::printf("%s\n", refusal.c_str());
        std::fflush(stdout);
        fl_beep();
        // What does not fit is selected, ready to be typed over or deleted.
        input.take_focus();
        input.position(input.size(), overflow_start(input.value()));
    }
    return 0;
}
