// Snapping (S): while it is on, whatever a drag moved lands on the grid
// when the button is let go: points and objects on half units, heights on
// quarters.
#pragma once

struct Town;
struct Editor;
struct KeyPoll;

constexpr float SNAP_GRID = 0.5f;
constexpr float SNAP_HEIGHT = 0.25f;

// S switches snapping on and off, saying so on screen.
void switch_snapping(Town& town, Editor& editor);
// A release that ends a drag of the selection snaps it while snapping is on.
void run_snapping(Town& town, Editor& editor, int event);
// Puts the selected point (its orientation point riding along) or object
// on the grid, through the same moves and rebuilds a drag makes.
void snap_selection(Town& town, Editor& editor);
