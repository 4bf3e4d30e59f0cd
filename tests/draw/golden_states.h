// The fixed states of the town whose pictures are kept as golden references, and how one is drawn.
#pragma once

#include <GL/gl.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "camera.h"
#include "draw.h"
#include "editor.h"
#include "scene_file.h"
#include "scene_file_commands.h"
#include "scene_text.h"
#include "town.h"

constexpr int GOLDEN_W = 320, GOLDEN_H = 240;

// A town whose cars turn by a fixed sequence, not by the C library's
// generator seeded from the clock, so a ride of many steps is the same ride
// on every run.
struct GoldenTown : Town {
    GoldenTown() {
        traffic.random_turn_number = [this] {
            turn_seed = turn_seed * 1103515245u + 12345u;
            return static_cast<int>((turn_seed >> 16) & 0x7FFF);
        };
    }
    unsigned turn_seed = 1;
    Editor editor;
};

struct GoldenState {
    const char* name;
    const char* scene;  // "town" (the shipped scene in the build directory) or "crafted"
    float time_of_day;
    int camera_mode;  // CAMERA_FREE looks from eye at target
    Vec3 eye, target;
    int steps;  // simulation steps before the picture
    void (*adjust)(GoldenTown&);
};

inline void as_loaded(GoldenTown&) {}
inline void unlit(GoldenTown& town) { town.sky.lighting = 0; }
inline void without_ties(GoldenTown& town) { town.track.show_ties = 0; }
inline void tower_selected(GoldenTown& town) { town.editor.selected_object = 12; }  // the clock tower
inline void points_selected(GoldenTown& town) {
    town.track.show_points = 1;
    town.editor.sel_point = 3;
    town.editor.sel_orient_point = 5;
}

constexpr Vec3 OVERVIEW_EYE{-38, 30, 38}, STREET_EYE{-0.6f, 1.5f, 13}, STREET_TARGET{1.2f, 2.4f, -4};
constexpr Vec3 NEAR_EYE{-20, 16, 18}, CRAFTED_EYE{13, 17, 15}, ORIGIN{0, 0, 0};

// Day, dusk and night over both towns; lighting off, ties off, a selected
// object and selected points; and a camera riding behind the train.
const GoldenState GOLDEN_STATES[] = {
    {"town-day", "town", 0.45f, CAMERA_FREE, OVERVIEW_EYE, ORIGIN, 0, as_loaded},
    {"town-dusk", "town", 0.73f, CAMERA_FREE, OVERVIEW_EYE, ORIGIN, 0, as_loaded},
    {"town-night", "town", 0.9f, CAMERA_FREE, OVERVIEW_EYE, ORIGIN, 0, as_loaded},
    {"town-street-unlit", "town", 0.45f, CAMERA_FREE, STREET_EYE, STREET_TARGET, 0, unlit},
    {"town-no-ties", "town", 0.45f, CAMERA_FREE, NEAR_EYE, ORIGIN, 0, without_ties},
    {"town-selected-object", "town", 0.45f, CAMERA_FREE, NEAR_EYE, ORIGIN, 0, tower_selected},
    {"town-selected-points", "town", 0.73f, CAMERA_FREE, NEAR_EYE, ORIGIN, 0, points_selected},
    {"town-behind-train", "town", 0.45f, CAMERA_BEHIND_TRAIN, ORIGIN, ORIGIN, 300, as_loaded},
    {"crafted-day", "crafted", 0.45f, CAMERA_FREE, CRAFTED_EYE, ORIGIN, 0, as_loaded},
    {"crafted-dusk", "crafted", 0.73f, CAMERA_FREE, CRAFTED_EYE, ORIGIN, 0, as_loaded},
    {"crafted-night", "crafted", 0.9f, CAMERA_FREE, CRAFTED_EYE, ORIGIN, 0, as_loaded},
    {"crafted-night-no-ties", "crafted", 0.9f, CAMERA_FREE, CRAFTED_EYE, ORIGIN, 0, without_ties},
};

// Loads the state's scene into town; false (with the reason printed) when it
// cannot be read. golden_dir holds the crafted scene's text.
inline bool load_golden_scene(GoldenTown& town, const GoldenState& state, const std::string& golden_dir) {
    if (std::string(state.scene) == "town") {
        load_scene(town, town.editor, "town");
        return town.track.num_points > 2;
    }
    const std::string path = golden_dir + "/crafted_town.txt";
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const SceneTextParse parsed = scene_from_text(text.str());
    if (!in || !parsed.ok) {
        std::printf("cannot read the crafted scene %s: %s\n", path.c_str(), parsed.reason.c_str());
        return false;
    }
    install_scene(town, parsed.scene);
    return true;
}

// Draws the state into the current GOLDEN_W x GOLDEN_H context and returns
// its RGB pixels bottom row first, as the TGA reader gives them; empty when
// the scene cannot be loaded.
inline std::vector<unsigned char> render_golden(const GoldenState& state, const std::string& golden_dir) {
    GoldenTown town;
    DrawState drawing;
    if (!load_golden_scene(town, state, golden_dir)) return {};
    for (int i = 0; i < state.steps && town.train.train_running == 1; ++i) {
        town.train_step();
        traffic_step(town.traffic);
    }
    town.sky.time_of_day = state.time_of_day;
    state.adjust(town);
    town.editor.camera_mode = state.camera_mode;
    if (state.camera_mode == CAMERA_FREE) town.editor.camera = std::make_unique<Camera>(state.eye, state.target, Vec3{0, 1, 0});
    // The lights are placed under the previous frame's camera: the second
    // frame has them where the running program has them.
    for (int frame = 0; frame < 2; ++frame) {
        town.clock.frame_clock = 0;
        render_frame(town, town.editor, drawing, GOLDEN_W, GOLDEN_H);
    }
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(GOLDEN_W) * GOLDEN_H * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GOLDEN_W, GOLDEN_H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
