// The stored settings' table: every row reaches the town member of its own
// name, and D and C put back exactly the rows that say so.
#include <gtest/gtest.h>

#include <tuple>

#include "stored_settings.h"

namespace {

void set_distinct(Vec3& v, float& next) {
    v = {next, next + 1, next + 2};
    next += 3;
}
void set_distinct(int& v, float& next) { v = static_cast<int>(next++); }
void set_distinct(float& v, float& next) { v = next++ + 0.5f; }

// Settings unlike the start values and unlike one another, word for word.
SceneSettings distinct_settings() {
    SceneSettings settings;
    float next = 101;
    for (const StoredSetting& row : STORED_SETTINGS) {
        visit_place(row, [&](const auto& place) { set_distinct(settings.*place.in_scene, next); });
    }
    return settings;
}

auto by_name(const SceneSettings& s) {
    return std::make_tuple(s.light_pos.x, s.light_pos.y, s.light_pos.z, s.bspline, s.train_speed, s.show_ties,
                           s.show_points, s.lighting, s.tie_spacing, s.post_interval, s.physics, s.total_energy,
                           s.spare_scalar, s.follow_distance, s.gravity);
}
auto by_name(const Town& t) {
    return std::make_tuple(t.sky.light_pos.x, t.sky.light_pos.y, t.sky.light_pos.z, t.track.bspline,
                           t.train.train_speed, t.track.show_ties, t.track.show_points,
                           t.sky.lighting, t.track.tie_spacing, t.track.post_interval,
                           t.train.physics, t.train.total_energy, t.spare_scalar, t.follow_distance,
                           t.train.gravity);
}

TEST(StoredSettings, EveryRowReachesTheTownMemberOfItsName) {
    Town town;
    const SceneSettings distinct = distinct_settings();
    settings_to_town(distinct, town, every_row);
    EXPECT_EQ(by_name(town), by_name(distinct));
    EXPECT_EQ(by_name(settings_of_town(town)), by_name(distinct));

    // A load's two halves together set every row once.
    Town halves;
    settings_to_town(distinct, halves, rows_without(AFTER_REBUILD));
    settings_to_town(distinct, halves, rows_with(AFTER_REBUILD));
    EXPECT_EQ(by_name(halves), by_name(distinct));
}

TEST(StoredSettings, DAndCPutBackOnlyTheirRows) {
    const SceneSettings start;
    const SceneSettings distinct = distinct_settings();
    Town town;
    settings_to_town(distinct, town, every_row);

    reset_settings(town, D_RESETS);
    SceneSettings after_d = distinct;
    after_d.train_speed = start.train_speed;
    after_d.gravity = start.gravity;
    EXPECT_EQ(by_name(town), by_name(after_d));

    // C keeps the train's energy: the track it was computed for is gone too.
    reset_settings(town, CLEAR_RESETS);
    SceneSettings after_c = start;
    after_c.total_energy = distinct.total_energy;
    EXPECT_EQ(by_name(town), by_name(after_c));
}

}  // namespace
