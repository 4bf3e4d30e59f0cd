// At start-up: word of the autosaves newer than the town just loaded, which
// hold edits a past session left unsaved.
#pragma once

struct Editor;

// Looks in the editor's autosave places for autosaves newer than the scene file
// town_name and, for each, prints how to load it on standard output and puts
// the same over the picture for the first seconds.
void announce_newer_autosaves(Editor& editor, const char* town_name);
