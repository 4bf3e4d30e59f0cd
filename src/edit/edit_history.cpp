// Turning the town's edits into undo steps: the scene's file image before
// and after each event tells whether the event edited anything.
#include "edit_history.h"

#include <cstdio>
#include <string>

#include "scene_data.h"
#include "scene_file.h"
#include "scene_file_commands.h"
#include "command_steps.h"
#include "input_codes.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr int KEY_UNDO = 'U';
constexpr int KEY_REDO = 'Y';

SceneBytes scene_bytes(const Town& town) { return encode_scene(scene_of_town(town)); }

// The train's speed and energy are stored, but the town writes them itself:
// the train sets its speed from its energy at every step, and every rebuild of
// the track (a point let go with R, a click on it) works the energy out anew
// from the highest the track has been. They count as edits only when a key
// that sets them by hand is down.
bool speed_or_energy_keys_down(const KeyPoll& keys) {
    return keys.key_down(KEY_UP) || keys.key_down(KEY_DOWN) || keys.key_down(KEY_F4) || keys.key_down('D');
}

bool is_edit(const SceneBytes& from, const SceneBytes& to, bool speed_or_energy_keys) {
    if (from == to) return false;
    return speed_or_energy_keys || !same_but_speed_and_energy(from, to);
}

void take_step(Town& town, Editor& editor, const SceneBytes& now) {
    EditTracker& edits = editor.edits;
    if (now != edits.history.current()) edits.history.record(now, town.track.max_height);
    edits.pending = false;
}

// Brings the history up to the scene as it stands now: a pending edit becomes
// a step, what the town worked out by itself joins the current step, and an
// edit made outside any event (none are known) still becomes a step. A load
// or save since the last look makes the step the one a file holds.
void settle(Town& town, Editor& editor, const SceneBytes& now) {
    EditTracker& edits = editor.edits;
    if (!edits.history.started()) {
        edits.history.start(now, town.track.max_height);
    } else if (edits.pending || is_edit(edits.history.current(), now, false)) {
        take_step(town, editor, now);
    } else if (now != edits.history.current() ||
               town.track.max_height != edits.history.current_max_height()) {
        edits.history.amend(now, town.track.max_height);
    }
    if (editor.scene_file_syncs == edits.file_syncs_seen) return;
    edits.file_syncs_seen = editor.scene_file_syncs;
    edits.history.mark_matches_file();
}

// Puts a stored step into the town the way a load does: curves rebuilt, tie
// table afresh, selections that name nothing dropped. The summit goes back
// first, so the step's rebuild and every later one measure the energy as
// they did at that step. A step that cannot be read back (none should)
// leaves the town as it is.
bool restore(Town& town, Editor& editor, const SceneBytes& bytes, float max_height) {
    const SceneDecode decoded = decode_scene(bytes.data(), bytes.size());
    if (!decoded.ok) {
        editor.tell_user("Cannot restore that step: " + decoded.reason);
        return false;
    }
    const int was_running = town.train.train_running;
    town.track.max_height = max_height;
    install_scene_keeping_selection(town, editor, decoded.scene);
    // A load starts the train; a step back leaves it standing, and stops it
    // where fewer than 3 points leave no track to ride.
    if (was_running == 0 || town.track.num_points < 3) {
        town.train.train_running = 0;
        editor.redraw(town);
    }
    editor.edits.before = scene_bytes(town);  // the step itself is no edit of this event
    return true;
}

}  // namespace

namespace {

// One step back (U) or forward (Y) through the same restore a load uses; a
// step that cannot be read back leaves the history where it stood.
bool step_through_history(Town& town, Editor& editor, bool back) {
    settle(town, editor, scene_bytes(town));
    SceneHistory& history = editor.edits.history;
    if (back ? !history.can_undo() : !history.can_redo()) {
        editor.tell_user(back ? "Nothing to undo" : "Nothing to redo");
        return false;
    }
    const SceneBytes& step = back ? history.undo() : history.redo();
    if (restore(town, editor, step, history.current_max_height())) return true;
    if (back) {
        history.redo();
    } else {
        history.undo();
    }
    return false;
}

}  // namespace

bool undo_edit(Town& town, Editor& editor) { return step_through_history(town, editor, true); }

bool redo_edit(Town& town, Editor& editor) { return step_through_history(town, editor, false); }

void edits_before_event(Town& town, Editor& editor, int event, const KeyPoll& keys) {
    EditTracker& edits = editor.edits;
    if (++edits.depth > 1) return;
    edits.before = scene_bytes(town);
    if (!edits.history.started()) settle(town, editor, edits.before);  // the scene the town was built with

    // Every button is up, yet no release came (the pointer left the window,
    // or the release was lost): the drag is over, and what this event edits
    // is a step of its own, not the end of the drag.
    const bool part_of_drag = event == EVENT_PUSH || event == EVENT_DRAG || event == EVENT_RELEASE;
    if (edits.button_down && !part_of_drag && (event == EVENT_MOVE || !keys.button_down())) {
        edits.button_down = false;
        settle(town, editor, edits.before);
    }

    KeyLatches& latch = editor.latches;
    const bool u = keys.key_down(KEY_UNDO);
    if (fire_once(u, latch.undo_u, true)) undo_edit(town, editor);
    rearm_when_up(u, latch.undo_u);
    const bool y = keys.key_down(KEY_REDO);
    if (fire_once(y, latch.redo_y, true)) redo_edit(town, editor);
    rearm_when_up(y, latch.redo_y);
}

void edits_after_event(Town& town, Editor& editor, int event, const KeyPoll& keys) {
    EditTracker& edits = editor.edits;
    if (edits.depth-- > 1) return;
    if (event == EVENT_PUSH) edits.button_down = true;
    if (event == EVENT_RELEASE || event == EVENT_MOVE) edits.button_down = false;

    const SceneBytes now = scene_bytes(town);
    const bool edited_now = is_edit(edits.before, now, speed_or_energy_keys_down(keys));
    edits.pending = edits.pending || edited_now;

    // A drag is one step from push to release; a held repeating key (C, the
    // arrows) is one step once an event passes that it changes nothing in.
    const bool gesture_over = !edits.button_down && (!edited_now || event == EVENT_RELEASE);
    const bool file_synced = editor.scene_file_syncs != edits.file_syncs_seen;
    if (edits.pending && !gesture_over && !file_synced) return;
    settle(town, editor, now);
}

bool has_unsaved_edits(Town& town, Editor& editor) {
    // Before the first event (the load the town is built with) nothing was
    // edited yet, and the history must start from the scene that load gives,
    // not from the empty town before it: undo would clear the town.
    if (!editor.edits.history.started()) return false;
    settle(town, editor, scene_bytes(town));
    return editor.edits.history.differs_from_file();
}

namespace {

// Writes the unsaved edits as the autosave and says where they went, or why
// they went nowhere; false when they did. Nothing to keep is no failure.
bool keep_unsaved_edits(Town& town, Editor& editor, const char* before_what) {
    if (!has_unsaved_edits(town, editor)) return true;
    const SceneBytes now = scene_bytes(town);
    const AutosaveResult kept = write_autosave(editor.seams->autosave_places(), now);
    for (const AutosaveRefusal& refused : kept.refusals) {
        editor.tell_user("Error saving to file \"" + refused.path + "\": " + refused.reason);
    }
    if (kept.path.empty()) {
        editor.tell_user("Unsaved edits could not be kept: no place would take them");
        return false;
    }
    editor.tell_user("Unsaved edits kept in \"" + kept.path + "\"" + before_what + ": F1 loads them back");
    if (!kept.previous.empty()) editor.tell_user("The autosave before them is now \"" + kept.previous + "\"");
    return true;
}

}  // namespace

void keep_edits_on_close(Town& town, Editor& editor) { keep_unsaved_edits(town, editor, ""); }

bool keep_edits_before_load(Town& town, Editor& editor, const char* loading) {
    const std::string before = std::string(" before loading \"") + loading + "\"";
    return keep_unsaved_edits(town, editor, before.c_str());
}
