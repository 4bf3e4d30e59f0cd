// The town-object list: creating an object and cycling an object's type code.
#include <memory>

#include "town.h"

void Town::create_object() {
    if (town_objects.object_count >= MAX_OBJECTS) return;
    // A new object starts at the centre of town as a tree of canopy radius 1
    // and height 4.5 (the height is also where a hanging sign hangs).
    town_objects.objects[town_objects.object_count] =
        std::make_unique<ControlPoint>(0.0f, 0.0f, 0.0f, 1.0f, 4.5f, 1.0f, 0, 0, 0, 0);
    town_objects.object_type[town_objects.object_count] = town_objects.new_object_type;
    ++town_objects.object_count;
}

void Town::cycle_object_type(int i) {
    if (i < 0 || i >= town_objects.object_count) return;
    int& type = town_objects.object_type[i];
    // A code from a file outside 0..18 joins the cycle at its start.
    type = type >= 0 && type < NUM_OBJECT_TYPES - 1 ? type + 1 : 0;
    town_objects.new_object_type = type;
}
