// Building and tearing down the town: every member at its start value, the
// cars and the intersections.
#include "town.h"

#include <cstdio>
#include <cstdlib>

#include "stored_settings.h"
#include "tick.h"

Town::Town() {
    // Every member already holds its start value from its initialiser; the
    // stored settings take theirs from the one table that also serves C and D.
    settings_to_town(SceneSettings{}, *this, every_row);
    clock.last_tick = static_cast<int>(GetTickCount());
    create_traffic(traffic);
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
