// The toolkit side of the town view: frames, events and the keyboard.
#include "view/town_view.h"

#include <FL/Fl.H>
#include <FL/Enumerations.H>

#include "app/file_prompt.h"
#include "render/draw.h"

namespace {

// The keyboard as the toolkit sees it. Keys held while another application
// has the focus are not ours: only the focused main window takes commands.
class ToolkitKeys : public KeyPoll {
public:
    explicit ToolkitKeys(const Fl_Widget* view) : view_(view) {}
    bool key_down(int key) const override {
        const Fl_Window* focus_window = Fl::focus() != nullptr ? Fl::focus()->window() : nullptr;
        const bool ours = Fl::focus() == view_ || focus_window == view_->window() ||
                          Fl::focus() == view_->window();
        return ours && Fl::get_key(key) != 0;
    }

private:
    const Fl_Widget* view_;
};

}  // namespace

TownView::TownView(int x, int y, int w, int h) : Fl_Gl_Window(x, y, w, h, nullptr), Town("town") {
    mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
}

TownView::~TownView() = default;

void TownView::flush() {
    const bool draw_now = frame_begin();
    if (draw_now) Fl_Gl_Window::flush();
    frame_end();
}

void TownView::draw() { render_frame(*this, w(), h()); }

int TownView::handle(int event) {
    const ToolkitKeys keys(this);
    const int result = handle_event(event, Fl::event_x(), Fl::event_y(), Fl::event_button(), keys);
    if (event == FL_SHOW) show();
    if (event == FL_FOCUS || event == FL_UNFOCUS) return 1;  // take the keyboard focus
    return result;
}

void TownView::request_redraw() { damage(FL_DAMAGE_CHILD); }

int TownView::ask_file_name(char* buffer, const char* label) {
    return ::ask_file_name(buffer, label, 109, 10, 200, 25, 330);
}
