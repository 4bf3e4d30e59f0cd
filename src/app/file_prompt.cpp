// The modal prompt that asks for the name of a scene file to load or save;
// it runs its own wait loop, so the caller blocks until the user answers.
#include "file_prompt.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
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
// The line naming the folder above the field, and the line below it that
// says why a name was refused: everything else moves down to make room.
constexpr int FOLDER_ROW_Y = 8;
constexpr int FOLDER_ROW_H = 20;
constexpr int MESSAGE_ROW_H = 20;
constexpr int BELOW_FOLDER = FOLDER_ROW_Y + FOLDER_ROW_H;
constexpr int MESSAGE_TEXT_SIZE = 11;

// Room the field gives for typing: far more than a name may have, so a long
// name shows whole and is refused whole, never cut to one that fits.
constexpr int FIELD_BYTES = 1024;

// The byte where the part of text that does not fit the name buffer starts,
// never in the middle of a UTF-8 character. text holds more than that.
int overflow_start(const char* text) {
    int n = FILE_NAME_BYTES - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

// The working directory, which scene names are relative to.
std::string working_folder() {
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) != nullptr) return folder;
    return std::string("(cannot be named: ") + std::strerror(errno) + ")";
}

// A label shows '@' as the start of a symbol unless it is doubled.
std::string literal_label(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '@') out += '@';
    }
    return out;
}

// What the Browse button needs to reach from its callback.
struct Prompt {
    Fl_Input* input = nullptr;
    Fl_Box* message = nullptr;
    std::string folder;
    std::string chooser_title;
};

// Says in the prompt why the name in the field cannot be taken (printed too,
// as every refusal is), and selects what is wrong, ready to be retyped.
void show_refusal(Prompt& prompt, const std::string& refusal) {
    prompt.message->copy_label(literal_label(refusal).c_str());
    prompt.message->redraw();
    if (refusal.empty()) return;
    std::printf("%s\n", refusal.c_str());
    std::fflush(stdout);
    fl_beep();
    Fl_Input& input = *prompt.input;
    input.take_focus();
    if (input.size() >= FILE_NAME_BYTES) input.position(input.size(), overflow_start(input.value()));
}

void browse(Fl_Widget*, void* data) {
    Prompt& prompt = *static_cast<Prompt*>(data);
    const std::string start = prompt.folder == "/" ? prompt.folder : prompt.folder + "/";
    const char* chosen = fl_file_chooser(prompt.chooser_title.c_str(), "*", start.c_str(), 0);
    prompt.input->take_focus();
    if (chosen == nullptr) return;
    const std::string name = field_name_for_chosen(chosen, prompt.folder);
    prompt.input->value(name.c_str());
    prompt.input->position(prompt.input->size());
    // A chosen file whose name does not fit says so at once, not at OK.
    show_refusal(prompt, file_name_refusal(name.c_str()));
}

}  // namespace

int ask_file_name(char* buffer, const char* label, int input_x, int input_y, int input_w,
                  int input_h, int window_w) {
    // The Browse button stands right of the field, and the window widens by it.
    const int browse_x = input_x + input_w + BUTTON_GAP;
    const int prompt_w = window_w + BUTTON_W + BUTTON_GAP;
    const int prompt_h = PROMPT_HEIGHT + BELOW_FOLDER + MESSAGE_ROW_H;
    const int field_y = input_y + BELOW_FOLDER;
    Prompt prompt;
    prompt.folder = working_folder();
    prompt.chooser_title = std::string(label, strcspn(label, ":"));

    // Declared in the order they are built, so they are destroyed in the
    // reverse one: buttons, input, then the window.
    Fl_Window window(prompt_w, prompt_h);
    Fl_Box folder_row(LABEL_MARGIN, FOLDER_ROW_Y, prompt_w - 2 * LABEL_MARGIN, FOLDER_ROW_H);
    folder_row.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    fl_font(folder_row.labelfont(), folder_row.labelsize());
    const std::string folder_words = "Folder: ";
    const double folder_room = folder_row.w() - fl_width(folder_words.c_str());
    const std::string shown = shortened_folder(prompt.folder, folder_room,
                                               [](const std::string& s) { return fl_width(s.c_str()); });
    folder_row.copy_label(literal_label(folder_words + shown).c_str());

    Fl_Input input(input_x, field_y, input_w, input_h, label);
    // The label stands left of the field, measured in the font it is drawn
    // in: the field's left edge moves right until the whole label shows, and
    // its right edge stays, so the window keeps its size.
    fl_font(input.labelfont(), input.labelsize());
    const int label_w = static_cast<int>(std::ceil(fl_width(label)));
    const int shift = std::max(0, LABEL_MARGIN + label_w + LABEL_MARGIN - input_x);
    input.resize(input_x + shift, field_y, input_w - shift, input_h);
    input.maximum_size(FIELD_BYTES);
    input.value(buffer, static_cast<int>(strnlen(buffer, FILE_NAME_BYTES - 1)));
    prompt.input = &input;
    Fl_Button browse_button(browse_x, field_y, BUTTON_W, input_h, "Browse...");
    browse_button.callback(browse, &prompt);

    Fl_Box message(LABEL_MARGIN, field_y + input_h + 2, prompt_w - 2 * LABEL_MARGIN, MESSAGE_ROW_H - 4);
    message.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    message.labelsize(MESSAGE_TEXT_SIZE);
    message.labelcolor(FL_DARK_RED);
    prompt.message = &message;

    // The two buttons stand side by side, centred as a pair.
    const int left = (prompt_w - 2 * BUTTON_W - BUTTON_GAP) / 2;
    const int buttons_y = BUTTON_Y + BELOW_FOLDER + MESSAGE_ROW_H;
    Fl_Button cancel(left, buttons_y, BUTTON_W, BUTTON_H, "cancel");
    Fl_Return_Button ok(left + BUTTON_W + BUTTON_GAP, buttons_y, BUTTON_W, BUTTON_H, "OK");
    window.hotspot(&cancel);
    window.end();
    while (wait_for_modal_answer(window, ok, cancel)) {
        const std::string refusal = file_name_refusal(input.value());
        if (refusal.empty()) {
            std::memcpy(buffer, input.value(), static_cast<std::size_t>(input.size()) + 1);
            return 1;
        }
        show_refusal(prompt, refusal);
    }
    return 0;
}
