// Undo and redo of the town's edits, and the autosave when the window closes.
// An edit is anything that changes what a save would write. Rather than each
// command recording itself, the scene's file image is compared before and
// after every event, so every way of editing is covered, the ones still to
// come included.
#pragma once

#include "autosave_place.h"
#include "scene_history.h"

struct Town;
struct Editor;
struct KeyPoll;

// What the editor remembers between events to turn edits into steps.
struct EditTracker {
    SceneHistory history;
    SceneBytes before;         // the scene as the current event found it
    bool pending = false;      // edited, not yet a step: a drag or a held key still going
    bool button_down = false;  // from push to release a drag is one step
    int depth = 0;             // events nested in a file prompt belong to the outer one
    int file_syncs_seen = 0;
};

// At the start of an event: a drag whose release was lost ends as its own
// step, then U and Y, and the scene as the event finds it.
void edits_before_event(Town& town, Editor& editor, int event, const KeyPoll& keys);
// At its end: an edit made in it becomes a step once the gesture or the held
// key is over.
void edits_after_event(Town& town, Editor& editor, int event, const KeyPoll& keys);

// One step back or forward; false (and a line on standard output) when there
// is none. The train keeps running or standing as it was.
bool undo_edit(Town& town, Editor& editor);
bool redo_edit(Town& town, Editor& editor);

// When the program ends (the window closed, a signal, the display lost): with
// edits made since the last load or save, the scene is saved as the autosave
// of the editor's autosave places, as F2 saves, and a line says where.
void keep_edits_on_close(Town& town, Editor& editor);
// Edits made since the last load or save that a close would keep.
bool has_unsaved_edits(Town& town, Editor& editor);
// Before a load replaces the scene: the same, with a line naming the file to
// be loaded. False when there were edits and no place would take them: the
// load must not go on.
bool keep_edits_before_load(Town& town, Editor& editor, const char* loading);
