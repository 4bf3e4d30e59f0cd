// What the user selects and the edits of the track and the town's objects
// that go by the selection: stepping it with Q, W and E, moving what it
// names, and what M and N select as they add.
#pragma once

#include "vec3.h"

struct Town;
struct Editor;

// Each steps through -1, 0, 1, ..., count-1 and back to -1, letting go of
// the selections it replaces.
void select_next_point(const Town& town, Editor& editor);
void select_next_orient_point(const Town& town, Editor& editor);
void select_next_object(const Town& town, Editor& editor);
// Moves of the selected point by d; nothing is moved without one.
void move_selected_point(Town& town, const Editor& editor, Vec3 d);
void move_selected_orient_point(Town& town, const Editor& editor, Vec3 d);
// Letting go of the points rebuilds the track a selected point was dragged on.
void deselect_points(Town& town, Editor& editor);
// Every point gone, and the selections of them with them.
void clear_points(Town& town, Editor& editor);
// M: a point at the end of the track, selected; a refusal is told the user.
void append_point(Town& town, Editor& editor);
// N: a new object, selected; none while the list is full.
void create_object(Town& town, Editor& editor);
// T on the selected object: its next type code.
void cycle_object_type(Town& town, Editor& editor);
// B: the other basis, or word of why the track keeps its own.
void switch_basis(Town& town, Editor& editor);
