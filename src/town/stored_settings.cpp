// The stored settings' way out of the town, and their way back to the start
// values; the way in is the template in the header.
#include "stored_settings.h"

SceneSettings settings_of_town(const Town& town) {
    SceneSettings settings;
    for (const StoredSetting& row : STORED_SETTINGS) {
        visit_place(row, [&](const auto& place) { settings.*place.in_scene = place.in_const_town(town); });
    }
    return settings;
}

void reset_settings(Town& town, SettingRule rule) { settings_to_town(SceneSettings{}, town, rows_with(rule)); }
