// Shared pieces of the scene tests: a scratch directory, whole-file reads and
// writes, a town that counts its redraw requests, and small fixture scenes.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/scene_data.h"
#include "view/town.h"

// A fresh directory under /tmp, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/quill_scene_XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != nullptr ? made : "/tmp";
    }
    ~ScratchDir() {
        for (const std::string& name : entries()) std::remove((path_ + "/" + name).c_str());
        rmdir(path_.c_str());
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Names in the directory, without "." and "..".
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        DIR* dir = opendir(path_.c_str());
        if (dir == nullptr) return names;
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
        return names;
    }

private:
    std::string path_;
};

inline std::vector<unsigned char> read_bytes(const std::string& name) {
    std::vector<unsigned char> bytes;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return bytes;
    int c = 0;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    return bytes;
}

inline void write_bytes(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

struct CountingTown : Town {
    CountingTown() : Town(nullptr) {}
    void request_redraw() override { ++redraws; }
    int redraws = 0;
};

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

// The file form of a 4-byte little-endian value at a byte offset.
inline uint32_t word_at(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}
inline void put_word(std::vector<unsigned char>& bytes, std::size_t offset, uint32_t w) {
    for (int k = 0; k < 4; ++k) bytes[offset + k] = static_cast<unsigned char>(w >> (8 * k));
}
