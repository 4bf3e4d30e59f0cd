// One toolkit event through the editor's commands.
#pragma once

struct Town;
struct Editor;
struct KeyPoll;

// Runs the key commands and mouse gestures for one toolkit event and
// returns what the toolkit's handle must return.
int handle_event(Town& town, Editor& editor, int event, int event_x, int event_y, int button,
                 const KeyPoll& keys);
