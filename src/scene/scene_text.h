// The readable text form of a scene: one line per track point or town
// object and one per setting, '#' comments allowed. The shipped town is kept
// in this form, and any scene file can be printed in it to inspect or diff.
#pragma once

#include <string>

#include "scene_data.h"

// Floats are printed so that they read back to the same bits.
std::string scene_to_text(const SceneData& scene);

// A scene read from text, or the reason (with its line number) it is not one.
struct SceneTextParse {
    bool ok = false;
    std::string reason;
    SceneData scene;
};
SceneTextParse scene_from_text(const std::string& text);

// The name of a town-object type code, or "unknown type" outside 0..18.
const char* object_type_name(int type);
