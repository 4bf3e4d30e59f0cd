// Loading and saving as the user sees it: the unsaved edits kept before a
// load, the selections that outlive it, and word of what happened. Standard
// output has never said that a load or save worked, and stays as it was; the
// window says it for a few seconds.
#include "scene_file_commands.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor.h"
#include "scene_data.h"
#include "scene_file.h"
#include "tick.h"
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
void tell_if_synced(Editor& editor, int syncs_before, const std::string& line) {
    if (editor.scene_file_syncs != syncs_before) editor.overlays.messages.post(line, GetTickCount());
}

// Scene-file errors end without a newline: the next line continues them.
void print_load_error(Editor& editor, const char* name, const std::string& reason) {
    editor.tell_user("Error loading file \"" + std::string(name) + "\": " + reason, "");
}

}  // namespace

void install_scene_keeping_selection(Town& town, Editor& editor, const SceneData& scene) {
    install_scene(town, scene);
    // Selections survive a load only while they still name something.
    if (editor.selected_object >= town.town_objects.object_count) editor.selected_object = -1;
    if (editor.sel_point >= town.track.num_points) editor.sel_point = -1;
    if (editor.sel_orient_point >= town.track.num_orient_points) editor.sel_orient_point = -1;
    editor.redraw(town);
}

void load_scene(Town& town, Editor& editor, const char* name) {
    const FileBytes file = read_scene_bytes(name);
    if (!file.ok) return print_load_error(editor, name, file.reason);
    const SceneDecode decoded = decode_scene(file.bytes.data(), file.bytes.size());
    if (!decoded.ok) return print_load_error(editor, name, decoded.reason);
    // The file is read whole first, so loading the autosave itself still
    // loads what it held before these edits went there.
    if (!keep_edits_before_load(town, editor, name)) {
        return print_load_error(editor, name, "the unsaved edits could not be kept anywhere: F2 saves them");
    }
    install_scene_keeping_selection(town, editor, decoded.scene);
    ++editor.scene_file_syncs;
}

void save_scene(const Town& town, Editor& editor, const char* name) {
    const std::string reason = write_file_replacing(name, encode_scene(scene_of_town(town)));
    if (reason.empty()) {
        ++editor.scene_file_syncs;
        return;
    }
    editor.tell_user("Error saving to file \"" + std::string(name) + "\": " + reason, "");
}

void start_town(Town& town, Editor& editor, const char* startup_scene) {
    if (startup_scene != nullptr) {
        editor.latches.load_f1 = 0;  // the start-up load counts as a press of F1
        const int syncs = editor.scene_file_syncs;
        load_scene(town, editor, startup_scene);
        // F1's message stays on its line for the next one; at start-up the
        // texture loader's lines follow at once, so this one ends its line.
        if (editor.scene_file_syncs == syncs) std::printf("\n");
    }
    std::srand(GetTickCount());
}

void load_scene_and_tell(Town& town, Editor& editor, const char* name) {
    const int syncs = editor.scene_file_syncs;
    load_scene(town, editor, name);
    tell_if_synced(editor, syncs, "Loaded " + where(name));
}

void save_scene_and_tell(Town& town, Editor& editor, const char* name) {
    const int syncs = editor.scene_file_syncs;
    save_scene(town, editor, name);
    tell_if_synced(editor, syncs, "Saved " + where(name));
}
