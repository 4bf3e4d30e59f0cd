// Between scene files and the town: reading a file whole, writing one safely,
// and moving a checked scene into the town or out of it.
#pragma once

#include <string>
#include <vector>

#include "replace_file.h"
#include "scene_data.h"

struct Town;

// The whole file, or the reason it could not be read. Reading stops past the
// largest scene a file can hold, so a huge or endless file costs nothing.
struct FileBytes {
    bool ok = false;
    std::string reason;
    std::vector<unsigned char> bytes;
};
FileBytes read_scene_bytes(const char* name);

// Replaces the town's points, objects and stored settings with a checked
// scene and does what a load does after it: rebuilds the track and restarts
// the train.
void install_scene(Town& town, const SceneData& scene);

// The scene the town would save now.
SceneData scene_of_town(const Town& town);
