// The town-object list: creating an object from the keyboard, stepping the
// selection through the list and cycling the selected object's type code.
#include <memory>

#include "town.h"

void Town::create_object() {
    if (town_objects.object_count >= MAX_OBJECTS) return;
    // A new object starts at the centre of town as a tree of canopy radius 1
    // and height 4.5 (the height is also where a hanging sign hangs).
    town_objects.objects[town_objects.object_count] =
        std::make_unique<ControlPoint>(0.0f, 0.0f, 0.0f, 1.0f, 4.5f, 1.0f, 0, 0, 0, 0);
    town_objects.object_type[town_objects.object_count] = town_objects.new_object_type;
    selected_object = town_objects.object_count;
    ++town_objects.object_count;
    redraw();
}

void Town::select_next_object() {
    sel_point = -1;
    sel_orient_point = -1;
    // -1, 0, 1, ..., object_count - 1, then -1 again.
    selected_object = selected_object + 1 < town_objects.object_count ? selected_object + 1 : -1;
    redraw();
}

void Town::cycle_object_type() {
    if (selected_object < 0 || selected_object >= town_objects.object_count) return;
    int& type = town_objects.object_type[selected_object];
    // A code from a file outside 0..18 joins the cycle at its start.
    type = type >= 0 && type < NUM_OBJECT_TYPES - 1 ? type + 1 : 0;
    town_objects.new_object_type = type;
    redraw();
}
