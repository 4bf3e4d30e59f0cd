// The toolkit side of the town view: frames, events and the keyboard.
#include "town_view.h"

#include <FL/Fl.H>
#include <FL/Enumerations.H>

#include "commands.h"
#include "file_prompt.h"
#include "frame_rest.h"
#include "scene_file_commands.h"
#include "number_dialog.h"
#include "keyboard_focus.h"
#include "pick.h"
#include "draw.h"
#include "overlay_draw.h"
#include "texture_cache.h"
#include "input_codes.h"
#include "tick.h"

namespace {

// The commands name the toolkit's keys and events by number.
static_assert(KEY_F1 == FL_F + 1 && KEY_F5 == FL_F + 5, "function keys");
static_assert(KEY_PAGE_UP == FL_Page_Up && KEY_PAGE_DOWN == FL_Page_Down, "page keys");
static_assert(KEY_UP == FL_Up && KEY_DOWN == FL_Down, "arrow keys");
static_assert(KEY_F12 == FL_F + 12 && KEY_HOME == FL_Home, "display and camera keys");
static_assert(KEY_INSERT == FL_Insert && KEY_DELETE == FL_Delete, "editing keys");
static_assert(EVENT_PUSH == FL_PUSH && EVENT_RELEASE == FL_RELEASE && EVENT_DRAG == FL_DRAG &&
                  EVENT_MOVE == FL_MOVE && EVENT_SHOW == FL_SHOW && EVENT_KEYDOWN == FL_KEYDOWN &&
                  EVENT_KEYUP == FL_KEYUP,
              "event kinds");
static_assert(BUTTON_LEFT == FL_LEFT_MOUSE && BUTTON_RIGHT == FL_RIGHT_MOUSE && BUTTON_MIDDLE == FL_MIDDLE_MOUSE,
              "buttons");
static_assert(KEY_END == FL_End && KEY_F11 == FL_F + 11 && KEY_SHIFT_L == FL_Shift_L && KEY_SHIFT_R == FL_Shift_R,
              "camera and window keys");
static_assert(EVENT_MOUSEWHEEL == FL_MOUSEWHEEL && EVENT_SHORTCUT == FL_SHORTCUT, "wheel and shortcut events");

// The keyboard as the toolkit sees it. Fl::get_key reads the whole keyboard,
// keys held for another application included; they count only while the
// main window holds the keyboard focus, so typing elsewhere with the pointer
// resting on the town cannot clear it. The toolkit drops its focus widget when
// the window loses the focus; within the window the focus may sit on the main
// window itself or on any widget in it.
//
// The X server is asked at the moment of the poll, so while the program is
// behind its events, the server's keyboard is ahead of the event being
// handled. A tap released before its press event is handled would be missed,
// and a key pressed again before its release event is handled would keep its
// latch shut, so the second press would be lost (u u u: one undo short). So
// at a key's own press event the key counts as down, and at its own release
// event as up, from what the event itself said. That is the event's key,
// taken before any poll: asking the server for the keyboard also overwrites
// the toolkit's record of which keys the events held down.
class ToolkitKeys : public KeyPoll {
public:
    ToolkitKeys(const Fl_Widget* view, int event)
        : view_(view),
          event_(event),
          pressed_(event == FL_KEYDOWN || event == FL_SHORTCUT ? Fl::event_key() : 0),
          released_(event == FL_KEYUP ? Fl::event_key() : 0) {}
    bool key_down(int key) const override {
        const Fl_Widget* focus = Fl::focus();
        const bool ours = focus != nullptr && focus->top_window() == view_->top_window();
        if (!ours || names(released_, key)) return false;
        return Fl::get_key(key) != 0 || names(pressed_, key);
    }
    bool button_down() const override { return (Fl::event_buttons() & (FL_BUTTON1 | FL_BUTTON2 | FL_BUTTON3)) != 0; }
    int wheel_notches() const override { return event_ == FL_MOUSEWHEEL ? Fl::event_dy() : 0; }

private:
    // Whether the toolkit's key EVENT_KEY (0 for none) is KEY. The toolkit
    // names a letter's key by its lower case; the commands poll letters by
    // their capitals.
    static bool names(int event_key, int key) {
        const int named = key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key;
        return event_key != 0 && event_key == named;
    }
    const Fl_Widget* view_;
    int event_;
    int pressed_;   // the key of this press event, 0 at any other event
    int released_;  // the key of this release event, 0 at any other event
};

}  // namespace

TownView::TownView(int x, int y, int w, int h) : Fl_Gl_Window(x, y, w, h, nullptr) {
    // The start-up load asks nobody: the view is not on screen yet.
    start_town(town_, editor_, STARTUP_SCENE);
    editor_.seams = this;
    mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
}

TownView::~TownView() = default;

void TownView::flush() {
    // Uncovered or resized, the window needs its picture whether or not
    // the town is resting.
    if ((damage() & ~FL_DAMAGE_CHILD) != 0) editor_.picture_wanted = true;
    run_frame(town_, editor_, [this] {
        const unsigned long loaded = texture_files_loaded();
        Fl_Gl_Window::flush();
        return texture_files_loaded() != loaded;
    });
}

void TownView::draw() {
    if (!context_valid()) drawing_context_lost(draw_state_);
    // The pick draws into the back buffer; the frame clears it and covers it.
    if (hover_moved_) show_pick_cursor();
    // The report's draw timing counts the picture, measured here because
    // drawing only reads the town.
    const uint32_t t0 = GetTickCount();
    render_frame(town_, editor_, draw_state_, w(), h());
    town_.clock.count_drawn_frame(static_cast<int>(GetTickCount() - t0));
    draw_overlays(town_, editor_, w(), h());
    const auto tell = [this](const std::string& line) { editor_.tell_user(line); };
    if (save_wanted_screenshot(editor_, w(), h(), tell)) editor_.overlays.screenshot_wanted = 0;
}

int TownView::handle(int event) {
    const ToolkitKeys keys(this, event);
    const unsigned prompts_before = prompts_opened_;  // nested events may come and go meanwhile
    const int result = handle_event(town_, editor_, event, Fl::event_x(), Fl::event_y(), Fl::event_button(), keys);
    if (top_window() != nullptr) full_screen_.poll(*top_window(), keys);
    if (event == FL_SHOW) show();
    if (event == FL_SHOW || event == FL_PUSH) give_keyboard_to(*this);
    pick_after_event(event);
    // The file-name prompt ran its own event loop inside this event, and the
    // toolkit's notion of the current key is now the one that closed it. Left
    // unanswered, the toolkit would go on to treat that key as this event's
    // shortcut, and an Escape that cancelled the prompt would close the main
    // window with the town in it.
    if (prompts_opened_ != prompts_before) return 1;
    return result;
}

void TownView::request_redraw() { damage(FL_DAMAGE_CHILD); }

int TownView::ask_file_name(char* buffer, const char* label) {
    ++prompts_opened_;
    const int confirmed = ::ask_file_name(buffer, label, 109, 10, 200, 25, 330);
    give_keyboard_to(*this);
    return confirmed;
}

bool TownView::ask_numbers(const std::string& title, const std::vector<std::string>& names,
                           std::vector<float>& values) {
    ++prompts_opened_;  // a nested event loop, like the file prompt's
    const bool confirmed = ask_numbers_dialog(title, names, values);
    give_keyboard_to(*this);
    return confirmed;
}

// The click acts after the press and release have done what they always do.
void TownView::pick_after_event(int event) {
    // The view answers no FL_ENTER, so the toolkit never makes it the widget
    // below the mouse: each pointer move arrives as an FL_ENTER instead of
    // an FL_MOVE.
    if (event == FL_MOVE || event == FL_ENTER) {
        hover_moved_ = true;
        hover_x_ = Fl::event_x();
        hover_y_ = Fl::event_y();
    }
    // The pick leaves a few pixels in the back buffer; the toolkit only ever
    // swaps it after a draw, which clears it first.
    if (clicks_.ends_click(town_, editor_, event, Fl::event_x(), Fl::event_y(), Fl::event_button()) && shown()) {
        make_current();
        select_clicked(town_, editor_, pick_at(town_, editor_, w(), h(), Fl::event_x(), Fl::event_y()));
    }
}

// Called from the frame, so however fast the pointer moves, the cursor costs
// at most one pick per frame.
void TownView::show_pick_cursor() {
    hover_moved_ = false;
    const bool hand = pick_at(town_, editor_, w(), h(), hover_x_, hover_y_).kind != PickHit::Nothing;
    if (hand == hand_shown_) return;
    hand_shown_ = hand;
    cursor(hand ? FL_CURSOR_HAND : FL_CURSOR_DEFAULT);
}
