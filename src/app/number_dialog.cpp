// The dialog of typed numbers; it runs its own wait loop like the file
// prompt, so the key command that opened it waits for the answer.
#include "number_dialog.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Float_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <memory>

#include "modal_answer.h"
#include "typed_numbers.h"

namespace {

constexpr int DIALOG_W = 300;
constexpr int MARGIN = 10;
constexpr int ROW_H = 25;
constexpr int ROW_GAP = 5;
constexpr int LABEL_W = 60;
constexpr int BUTTON_W = 80;
constexpr int MESSAGE_H = 20;

}  // namespace

bool ask_numbers_dialog(const std::string& title, const std::vector<std::string>& names, std::vector<float>& values) {
    const int rows = static_cast<int>(names.size());
    const int fields_top = MARGIN + ROW_H;
    const int message_y = fields_top + rows * (ROW_H + ROW_GAP);
    const int buttons_y = message_y + MESSAGE_H + ROW_GAP;
    Fl_Window window(DIALOG_W, buttons_y + ROW_H + MARGIN, "Typed numbers");
    Fl_Box heading(MARGIN, MARGIN, DIALOG_W - 2 * MARGIN, ROW_H);
    heading.copy_label(title.c_str());
    heading.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    std::vector<std::unique_ptr<Fl_Float_Input>> fields;
    for (int i = 0; i < rows; ++i) {
        const int y = fields_top + i * (ROW_H + ROW_GAP);
        fields.push_back(std::make_unique<Fl_Float_Input>(MARGIN + LABEL_W, y, DIALOG_W - 2 * MARGIN - LABEL_W, ROW_H));
        fields.back()->copy_label(names[i].c_str());
        fields.back()->value(number_text(i < static_cast<int>(values.size()) ? values[i] : 0.0f).c_str());
    }
    Fl_Box message(MARGIN, message_y, DIALOG_W - 2 * MARGIN, MESSAGE_H);
    message.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    message.labelcolor(FL_DARK_RED);
    const int left = (DIALOG_W - 2 * BUTTON_W - MARGIN) / 2;
    Fl_Button cancel(left, buttons_y, BUTTON_W, ROW_H, "Cancel");
    Fl_Return_Button ok(left + BUTTON_W + MARGIN, buttons_y, BUTTON_W, ROW_H, "OK");
    window.end();
    // The first field starts selected, as Tab leaves the others: typing replaces it.
    if (!fields.empty()) {
        fields.front()->take_focus();
        fields.front()->position(fields.front()->size(), 0);
    }

    while (wait_for_modal_answer(window, ok, cancel)) {
        std::vector<float> typed(fields.size(), 0.0f);
        std::string refusal;
        for (std::size_t i = 0; i < fields.size() && refusal.empty(); ++i) {
            refusal = typed_number_refusal(names[i], fields[i]->value(), typed[i]);
            if (!refusal.empty()) fields[i]->take_focus();
        }
        if (refusal.empty()) {
            values = typed;
            return true;
        }
        // Said in the dialog, which stays open, and printed as every refusal is.
        std::printf("%s\n", refusal.c_str());
        message.copy_label(refusal.c_str());
        message.redraw();
        fl_beep();
    }
    return false;
}
