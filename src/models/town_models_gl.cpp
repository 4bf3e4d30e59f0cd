// Placeholder until the town models arrive: objects draw nothing.
#include "models/town_models.h"

void draw_building(const ModelContext&, int, float, float) {}
void draw_shrub(const ModelContext&, float, float) {}
void draw_smoke_stack(const ModelContext&, float, float) {}
void draw_stop_sign(const ModelContext&, int, float, float) {}
void draw_street_lamp(const ModelContext&, int, float, float) {}
void draw_clock_tower(const ModelContext&, float, float) {}
void draw_hanging_sign(const ModelContext&, float, float, float) {}
void draw_tree(const ModelContext&, float, float, float, float) {}
