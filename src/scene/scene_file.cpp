// Placeholder until scene files arrive: every load fails as a missing file.
#include <cstdio>

#include "view/town.h"

void Town::load_scene(const char* name) {
    std::printf("Error loading file \"%s\"", name);
    std::fflush(stdout);
}
void Town::save_scene(const char* name) {
    std::printf("Error saving to file \"%s\"", name);
    std::fflush(stdout);
}
