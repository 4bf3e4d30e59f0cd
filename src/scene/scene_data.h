// A scene as it stands in a scene file: the track's points, the town objects
// and the stored settings, with the byte form and its checks. No town here:
// the loader fills a SceneData, checks it whole, and only then touches the view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene_settings.h"
#include "vec3.h"

constexpr int SCENE_MAX_POINTS = 100;
constexpr int SCENE_MAX_OBJECTS = 200;
// Bytes: the point count, the object count and the fifteen settings fields.
constexpr std::size_t SCENE_FIXED_BYTES = 68;
constexpr std::size_t SCENE_BYTES_PER_POINT = 24;   // control point and orientation point
constexpr std::size_t SCENE_BYTES_PER_OBJECT = 24;  // five floats and the type code
constexpr std::size_t SCENE_MAX_BYTES = SCENE_FIXED_BYTES +
                                        SCENE_BYTES_PER_POINT * SCENE_MAX_POINTS +
                                        SCENE_BYTES_PER_OBJECT * SCENE_MAX_OBJECTS;

struct SceneObject {
    float x = 0, y = 0, z = 0;
    float size = 1, height = 4.5f;
    int type = 0;  // 0..18 draw a model; any other code is kept and draws nothing
};

struct SceneData {
    std::vector<Vec3> points;         // track control points, in track order
    std::vector<Vec3> orient_points;  // one per control point
    std::vector<SceneObject> objects;
    SceneSettings settings;
};

// Bytes a scene of this many points and objects occupies in its file.
constexpr std::size_t scene_file_size(std::size_t points, std::size_t objects) {
    return SCENE_FIXED_BYTES + SCENE_BYTES_PER_POINT * points + SCENE_BYTES_PER_OBJECT * objects;
}

// A decoded scene, or the reason the bytes are not one.
struct SceneDecode {
    bool ok = false;
    std::string reason;
    SceneData scene;
};

// Checks the whole byte image before accepting any of it: the counts within
// the capacities, the exact length, finite positions, sizes and settings.
SceneDecode decode_scene(const unsigned char* bytes, std::size_t size);

// The byte image of a scene, little-endian whatever the host. A scene whose
// point lists differ in length, or whose counts exceed the capacities, has no
// file form; callers build scenes from the town, which cannot hold one.
std::vector<unsigned char> encode_scene(const SceneData& scene);

// The reason a scene could not be stored as it stands, or empty when it can.
std::string check_scene(const SceneData& scene);
