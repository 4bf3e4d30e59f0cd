// A click of the mouse selects what is drawn under the pointer. The drawing
// layer finds it (PickHit); this decides what the click does with it, the
// same selection the Q, W and E keys make, or letting go as R does.
#pragma once

#include <vector>

struct Town;
struct Editor;

// What lies nearest under the pointer: a control point's marker, an
// orientation point's marker, a town object, or nothing of these.
struct PickHit {
    enum Kind { Nothing, ControlPoint, OrientPoint, Object };
    Kind kind = Nothing;
    int index = -1;
};

// The pointer may wander this far (in x and in y) between the press and the
// release of a click; further, and the press was the start of a drag.
constexpr int CLICK_SLOP_PIXELS = 3;

// Follows the left button through one press and release at a time. A press
// whose drag moved the selection or the light is no click, however little
// the pointer went: an object crept into place one pixel at a time must not
// be let go at the release.
class ClickWatch {
public:
    // Sees one toolkit event (kinds as in input_codes.h) after the town has
    // handled it; true when it is the release that ends a click.
    bool ends_click(const Town& town, const Editor& editor, int event, int x, int y, int button);

private:
    bool pressed_ = false;
    bool strayed_ = false;
    int press_x_ = 0, press_y_ = 0;
    std::vector<float> pose_at_press_;
};

// Where what a drag can move stands: the selected point, orientation point
// or object (with its size and height), and the light.
std::vector<float> drag_pose(const Town& town, const Editor& editor);

// Selects what the click hit: a control point alone, an orientation point
// alone, or an object alone; nothing lets go of every selection and of the
// light. A control point let go has its track rebuilt, as R does.
void select_clicked(Town& town, Editor& editor, PickHit hit);
