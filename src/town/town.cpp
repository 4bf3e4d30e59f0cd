// Building and tearing down the town: every member at its start value, the
// cars, the intersections, the free camera and the start-up scene.
#include "town.h"

#include <cstdio>
#include <cstdlib>

#include "stored_settings.h"
#include "tick.h"

Town::Town(const char* startup_scene) {
    // Every member already holds its start value from its initialiser; the
    // stored settings take theirs from the one table that also serves C and D.
    settings_to_town(SceneSettings{}, *this, every_row);
    clock.last_tick = static_cast<int>(GetTickCount());
    create_traffic(traffic);
    camera = std::make_unique<Camera>(Vec3{0, 10, 10}, Vec3{0, 0, 0}, Vec3{0, 1, 0});
    if (startup_scene != nullptr) {
        latches.load_f1 = 0;  // the start-up load counts as a press of F1
        const int syncs = scene_file_syncs;
        load_scene(startup_scene);
        // F1's message stays on its line for the next one; at start-up the
        // texture loader's lines follow at once, so this one ends its line.
        if (scene_file_syncs == syncs) std::printf("\n");
    }
    std::srand(GetTickCount());
}

Town::~Town() {
    for (int i = 0; i < track.num_points; ++i) {
        track.points[i].reset();
        track.orient_points[i].reset();
        track.segments[i].reset();
        track.orient_segments[i].reset();
    }
    for (int i = 0; i < town_objects.object_count; ++i) town_objects.objects[i].reset();
    for (int i = 0; i < traffic.num_cars; ++i) traffic.cars[i].reset();
    for (auto& isect : traffic.intersections) isect.reset();
    track.tie_data.reset();
}
