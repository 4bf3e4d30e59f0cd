// What the user sees of a load or a save that worked. Standard output has
// never said so, and stays as it was; the window says it for a few seconds.
#include "scene_file_commands.h"

#include <unistd.h>

#include <climits>
#include <string>

#include "town.h"

namespace {

// The name as the user gave it, with the folder a relative name lands in.
std::string where(const char* name) {
    const std::string given = std::string("\"") + name + "\"";
    char folder[PATH_MAX];
    if (name[0] == '/' || getcwd(folder, sizeof folder) == nullptr) return given;
    return given + " in " + folder;
}

// Only a load or save that went through counts: it is the one that
// matches the town to a file.
void tell_if_synced(Town& town, int syncs_before, const std::string& line) {
    if (town.scene_file_syncs != syncs_before) town.overlays.messages.post(line, GetTickCount());
}

}  // namespace

void load_scene_and_tell(Town& town, const char* name) {
    const int syncs = town.scene_file_syncs;
    town.load_scene(name);
    tell_if_synced(town, syncs, "Loaded " + where(name));
}

void save_scene_and_tell(Town& town, const char* name) {
    const int syncs = town.scene_file_syncs;
    town.save_scene(name);
    tell_if_synced(town, syncs, "Saved " + where(name));
}
