// The scene's stored settings as one table, in file order: each row gives
// the setting's keyword in the text form, where it lives in a scene and in
// the town, and what puts it back to its start value. The binary and text
// codecs, the copy between a scene and the town, and the start values of a
// new town, of C and of D all run over these rows, so a new stored setting
// is the town's member, a member of SceneSettings (with its start value)
// and one row here.
#pragma once

#include <type_traits>

#include "scene_settings.h"
#include "town.h"

// What a row is subject to, besides being stored, loaded and started.
enum SettingRule : unsigned {
    CLEAR_RESETS = 1,   // C puts it back
    D_RESETS = 2,       // D puts it back, then rebuilds the track
    AFTER_REBUILD = 4,  // a load sets it only after rebuilding the track
};

// One setting's value in a scene and in the town, of type Vec3, int or float.
template <class V>
struct SettingPlace {
    V SceneSettings::*in_scene = nullptr;
    V& (*in_town)(Town&) = nullptr;
    const V& (*in_const_town)(const Town&) = nullptr;
};

// Exactly one of the three places is set: the one of the setting's type.
struct StoredSetting {
    const char* keyword = "";
    SettingPlace<Vec3> triple;
    SettingPlace<int> integer;
    SettingPlace<float> real;
    unsigned rules = 0;
    // The words the setting takes in the file's settings block.
    constexpr int words() const { return triple.in_scene != nullptr ? 3 : 1; }
};

// A row from the scene's member and a lambda picking the town's member,
// written once for both a town and a const town. The lambda returns its
// member in parentheses, so decltype(auto) makes it a reference.
template <class V, class PickInTown>
constexpr StoredSetting setting(const char* keyword, V SceneSettings::*in_scene, unsigned rules, PickInTown pick) {
    const SettingPlace<V> place{in_scene, static_cast<V& (*)(Town&)>(pick),
                                static_cast<const V& (*)(const Town&)>(pick)};
    StoredSetting row;
    row.keyword = keyword;
    row.rules = rules;
    if constexpr (std::is_same_v<V, Vec3>) {
        row.triple = place;
    } else if constexpr (std::is_same_v<V, int>) {
        row.integer = place;
    } else {
        static_assert(std::is_same_v<V, float>, "a stored setting is a Vec3, an int or a float");
        row.real = place;
    }
    return row;
}

// The town's members are named here, in the last column, and nowhere else
// in the table's users: when they move, re-point them here.
constexpr StoredSetting STORED_SETTINGS[] = {
    setting("light", &SceneSettings::light_pos, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.sky.light_pos); }),
    setting("bspline", &SceneSettings::bspline, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.track.bspline); }),
    setting("train_speed", &SceneSettings::train_speed, CLEAR_RESETS | D_RESETS,
            [](auto& t) -> decltype(auto) { return (t.train.train_speed); }),
    setting("show_ties", &SceneSettings::show_ties, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.track.show_ties); }),
    setting("show_points", &SceneSettings::show_points, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.track.show_points); }),
    setting("lighting", &SceneSettings::lighting, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.sky.lighting); }),
    setting("tie_spacing", &SceneSettings::tie_spacing, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.track.tie_spacing); }),
    setting("post_interval", &SceneSettings::post_interval, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.track.post_interval); }),
    setting("physics", &SceneSettings::physics, CLEAR_RESETS,
            [](auto& t) -> decltype(auto) { return (t.train.physics); }),
    // The rebuild of a load computes an energy that the stored one replaces,
    // and it sees the gravity the town had. C keeps the energy.
    setting("total_energy", &SceneSettings::total_energy, AFTER_REBUILD,
            [](auto& t) -> decltype(auto) { return (t.train.total_energy); }),
    setting("spare_scalar", &SceneSettings::spare_scalar, CLEAR_RESETS | AFTER_REBUILD,
            [](auto& t) -> decltype(auto) { return (t.spare_scalar); }),
    setting("follow_distance", &SceneSettings::follow_distance, CLEAR_RESETS | AFTER_REBUILD,
            [](auto& t) -> decltype(auto) { return (t.follow_distance); }),
    setting("gravity", &SceneSettings::gravity, CLEAR_RESETS | D_RESETS | AFTER_REBUILD,
            [](auto& t) -> decltype(auto) { return (t.train.gravity); }),
};
constexpr int NUM_STORED_SETTINGS = sizeof STORED_SETTINGS / sizeof STORED_SETTINGS[0];

// The words of the whole settings block of a scene file.
constexpr int stored_setting_words() {
    int words = 0;
    for (const StoredSetting& row : STORED_SETTINGS) words += row.words();
    return words;
}

// Calls visit with the row's one place, a SettingPlace of its type.
template <class Visit>
void visit_place(const StoredSetting& row, Visit&& visit) {
    if (row.triple.in_scene != nullptr) return visit(row.triple);
    if (row.integer.in_scene != nullptr) return visit(row.integer);
    visit(row.real);
}

// Row filters for the copies below.
constexpr auto every_row = [](const StoredSetting&) { return true; };
constexpr auto rows_with(unsigned rule) {
    return [rule](const StoredSetting& row) { return (row.rules & rule) != 0; };
}
constexpr auto rows_without(unsigned rule) {
    return [rule](const StoredSetting& row) { return (row.rules & rule) == 0; };
}

// Copies into the town the settings of the rows that `take` accepts.
template <class Take>
void settings_to_town(const SceneSettings& settings, Town& town, Take take) {
    for (const StoredSetting& row : STORED_SETTINGS) {
        if (!take(row)) continue;
        visit_place(row, [&](const auto& place) { place.in_town(town) = settings.*place.in_scene; });
    }
}

SceneSettings settings_of_town(const Town& town);

// Puts the settings of the rows under `rule` back to their start values.
void reset_settings(Town& town, SettingRule rule);
