// Placeholder until the track arrives.
#include "view/town.h"

void Town::rebuild_track() {}
void Town::release_tie_table() { tie_data.reset(); }
float* Town::allocate_tie_table(std::size_t floats) {
    return static_cast<float*>(std::malloc(floats * sizeof(float)));
}
