// Shared pieces of the scene tests: a small fixture scene and the file's
// 4-byte words.
#pragma once

#include <cstdint>
#include <cstring>

#include "scene_data.h"
#include "support/scratch_files.h"

// Four points on a lopsided loop (5 wide, 7 deep, one hill) and two objects,
// one with a type code no model has; settings unlike the defaults.
inline SceneData small_scene() {
    SceneData scene;
    scene.points = {{-2, 1, -3}, {3, 2.5f, -3}, {3, 6, 4}, {-2, 1.25f, 4}};
    scene.orient_points = {{-2, 5, -3}, {3, 6.5f, -3}, {2.5f, 10, 4}, {-2, 5.25f, 4}};
    scene.objects = {{7.5f, 0, -6.25f, 1.5f, 5.5f, 16}, {-9, 0.5f, 2, 1, 4.5f, 23}};
    SceneSettings& s = scene.settings;
    s.light_pos = {1.5f, 12, -2};
    s.bspline = 0;
    s.train_speed = 4.5f;
    s.show_ties = 1;
    s.show_points = 0;
    s.lighting = 1;
    s.tie_spacing = 7;
    s.post_interval = 3;
    s.physics = 1;
    s.total_energy = 31234.5f;
    s.spare_scalar = 0.25f;
    s.follow_distance = 11;
    s.gravity = -15.5f;
    return scene;
}

inline uint32_t bits_of(float f) {
    uint32_t w = 0;
    std::memcpy(&w, &f, sizeof w);
    return w;
}

// The file form of a 4-byte little-endian value at a byte offset.
inline uint32_t word_at(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}
inline void put_word(std::vector<unsigned char>& bytes, std::size_t offset, uint32_t w) {
    for (int k = 0; k < 4; ++k) bytes[offset + k] = static_cast<unsigned char>(w >> (8 * k));
}
