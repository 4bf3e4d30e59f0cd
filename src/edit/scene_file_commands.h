// Loading and saving the scene file as the user sees it: a load keeps the
// unsaved edits first and drops the selections that name nothing any more;
// F1 and F2 once the prompt gave a name add word of it on screen. A failure
// tells its reason itself, on standard output too.
#pragma once

struct Town;
struct Editor;
struct SceneData;

// Puts a checked scene into the town as a load does, keeping the selections
// that still point at something.
void install_scene_keeping_selection(Town& town, Editor& editor, const SceneData& scene);
// The whole file is read and checked before the current scene is touched;
// a save replaces the old file only once the new one is completely on disk.
void load_scene(Town& town, Editor& editor, const char* name);
void save_scene(const Town& town, Editor& editor, const char* name);
// The town as the program starts it: the start-up scene loaded (skipped when
// null), then the random turns seeded.
void start_town(Town& town, Editor& editor, const char* startup_scene);

void load_scene_and_tell(Town& town, Editor& editor, const char* name);
void save_scene_and_tell(Town& town, Editor& editor, const char* name);
