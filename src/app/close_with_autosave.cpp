#include "close_with_autosave.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "edit_history.h"
#include "editor.h"
#include "town.h"

CloseWithAutosave::CloseWithAutosave(Fl_Window& window, Town& town, Editor& editor)
    : window_(window), town_(town), editor_(editor) {
    window_.callback(asked_to_close, this);
}

CloseWithAutosave::~CloseWithAutosave() {
    Fl::remove_timeout(moment_over, this);
    window_.callback(Fl_Widget::default_callback);
}

void CloseWithAutosave::asked_to_close(Fl_Widget*, void* self) {
    auto& close = *static_cast<CloseWithAutosave*>(self);
    // Asked again while the line shows: the user does not want to wait.
    if (close.kept_ || !has_unsaved_edits(close.town_, close.editor_)) {
        close.window_.hide();
        return;
    }
    keep_edits_on_close(close.town_, close.editor_);
    close.kept_ = true;
    // No edit may slip in after the autosave: the view takes no more events.
    close.window_.deactivate();
    close.editor_.seams->request_redraw();
    Fl::add_timeout(AUTOSAVE_FAREWELL_S, moment_over, self);
}

void CloseWithAutosave::moment_over(void* self) { static_cast<CloseWithAutosave*>(self)->window_.hide(); }
