// Telling, at start, of edits a past session left in an autosave.
#include "autosave_notice.h"

#include <cstdio>
#include <string>

#include "autosave_place.h"
#include "editor.h"
#include "town.h"

void announce_newer_autosaves(Editor& editor, const char* town_name) {
    for (const std::string& path : autosaves_newer_than(editor.seams->autosave_places(), town_name)) {
        const std::string newer = "\"" + path + "\" is newer than \"" + town_name + "\"";
        const std::string how = "F1 with the name " + path + " loads it";
        std::printf("%s: %s\n", newer.c_str(), how.c_str());
        editor.overlays.start_notice.push_back(newer);
        editor.overlays.start_notice.push_back(how);
    }
}
