// Placeholder until the town objects arrive.
#include "view/town.h"

void Town::create_object() {}
void Town::select_next_object() {}
void Town::cycle_object_type() {}
