// Placeholder until the track arrives.
#include "view/town.h"

void Town::append_point() {}
void Town::select_next_point() {}
void Town::select_next_orient_point() {}
void Town::move_selected_point(Vec3) {}
void Town::move_selected_orient_point(Vec3) {}
void Town::deselect_points() {}
void Town::clear_points() {}
