// The numbers on the HUD, each line short enough for the smallest window.
#include "hud_numbers.h"

#include <cstdio>

#include "editor.h"
#include "town.h"

namespace {

constexpr float STEP_SECONDS = 0.024f;

std::string position_line(const ControlPoint& p) {
    char line[96];
    std::snprintf(line, sizeof line, "at x %.2f  y %.2f  z %.2f", p.x, p.y, p.z);
    return line;
}

const ControlPoint* selected_record(const Town& town, const Editor& editor) {
    if (editor.sel_point >= 0 && editor.sel_point < town.track.num_points)
        return town.track.points[editor.sel_point].get();
    if (editor.sel_orient_point >= 0 && editor.sel_orient_point < town.track.num_points) {
        return town.track.orient_points[editor.sel_orient_point].get();
    }
    if (editor.selected_object >= 0 && editor.selected_object < town.town_objects.object_count) {
        return town.town_objects.objects[editor.selected_object].get();
    }
    return nullptr;
}

// A day of time_step per 24 ms step lasts this many minutes.
std::string day_line(float time_step) {
    char line[96];
    if (time_step <= 0) {
        std::snprintf(line, sizeof line, "day speed 0: the clock stands");
    } else {
        std::snprintf(line, sizeof line, "day speed %.4f a step, a day in %.1f min", time_step,
                      STEP_SECONDS / time_step / 60.0f);
    }
    return line;
}

}  // namespace

std::vector<std::string> hud_number_lines(const Town& town, const Editor& editor) {
    std::vector<std::string> lines;
    char line[96];
    if (const ControlPoint* p = selected_record(town, editor)) {
        lines.push_back(position_line(*p));
        const bool object = editor.sel_point == -1 && editor.sel_orient_point == -1;  // points come first
        if (object) {
            std::snprintf(line, sizeof line, "size %.2f  height %.2f", p->size, p->height);
            lines.push_back(line);
        }
    } else if (editor.light_edit == 1) {
        std::snprintf(line, sizeof line, "at x %.2f  y %.2f  z %.2f", town.sky.light_pos.x,
                      town.sky.light_pos.y, town.sky.light_pos.z);
        lines.push_back(line);
    }
    std::snprintf(line, sizeof line, "energy %.0f  gravity %.1f", town.train.total_energy,
                  town.train.gravity);
    lines.push_back(line);
    std::snprintf(line, sizeof line, "ties every %d  posts every %d ties  %d ties",
                  town.track.tie_spacing, town.track.post_interval, town.track.num_ties);
    lines.push_back(line);
    lines.push_back(day_line(town.sky.time_step));
    if (editor.snapping == 1) lines.push_back("snapping on: grid 0.5, heights 0.25 (S)");
    return lines;
}
