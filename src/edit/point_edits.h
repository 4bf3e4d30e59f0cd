// Insert and Delete: a control point halfway to the next one, a copy of a
// town object beside it, and taking either away.
#pragma once

struct Town;
struct Editor;

// After the selected control point, a point (with its orientation point)
// halfway along the curve to the next one, selected; or a copy of the
// selected object one unit to the camera's right, selected. False, with a
// line on screen, when nothing fits.
bool insert_beside_selection(Town& town, Editor& editor);
// Takes away the selected control point with its orientation point, or the
// selected object. Under 3 points the train stops, as after a clear.
bool delete_selection(Town& town, Editor& editor);
