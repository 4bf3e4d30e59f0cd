// A town and its editor for command tests: a scripted key map instead of the
// toolkit's keyboard, and seams with a counted redraw, a file-name prompt that
// answers by script, and autosaves kept in a scratch folder of its own.
#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "support/scratch_files.h"
#include "input_codes.h"
#include "clear_and_report.h"
#include "commands.h"
#include "editor.h"
#include "frame_rest.h"
#include "key_poll.h"
#include "scene_file_commands.h"
#include "selection.h"
#include "town.h"

struct ScriptedKeys : KeyPoll {
    std::set<int> down;
    bool key_down(int key) const override { return down.count(key) != 0; }
    void hold(int key) { down.insert(key); }
    void release(int key) { down.erase(key); }
    void release_all() { down.clear(); }
};

struct CommandTown : Town, EditorSeams {

    void request_redraw() override { ++redraws; }
    AutosavePlaces autosave_places() const override { return places; }
    int ask_file_name(char* buffer, const char* label) override {
        prompt_labels.emplace_back(label);
        // A well-behaved prompt gets a zeroed 64-byte buffer.
        for (int i = 0; i < 64; ++i) buffer_was_zeroed = buffer_was_zeroed && buffer[i] == '\0';
        if (!prompt_confirms) return 0;
        std::memcpy(buffer, prompt_answer.data(), std::min<std::size_t>(64, prompt_answer.size()));
        return 1;
    }

    // One toolkit event with the keys as scripted; returns handle's result.
    int poll(const ScriptedKeys& keys, int event = EVENT_MOVE, int x = 0, int y = 0, int button = 0) {
        return handle_event(*this, editor, event, x, y, button, keys);
    }
    // The same event n times.
    void poll_times(const ScriptedKeys& keys, int n) {
        for (int i = 0; i < n; ++i) poll(keys);
    }
    // n events with exactly these keys down; {} is an event with every key up.
    void hold_keys(std::initializer_list<int> held, int n = 1) {
        ScriptedKeys keys;
        for (int key : held) keys.hold(key);
        poll_times(keys, n);
    }
    // One press of key: an event with it down, then one with it up.
    void press(int key) {
        hold_keys({key});
        hold_keys({});
    }
    // Appends n control points by the track's own operation, each at its
    // own place so the track has a length.
    void add_points(int n) {
        for (int i = 0; i < n; ++i) {
            ::append_point(*this, editor);
            const float a = 0.7f * static_cast<float>(track.num_points);
            track.points[track.num_points - 1]->set_position(10.0f * cosine(a), 0.125f + i,
                                                             8.0f * sine(a));
            track.orient_points[track.num_points - 1]->set_position(10.0f * cosine(a), 4.125f + i,
                                                                    8.0f * sine(a));
        }
        rebuild_track();
        rebuild_orientation();
    }

    Editor editor{*this};
    ScratchDir autosave_dir;
    AutosavePlaces places{autosave_dir.path(), ""};
    int redraws = 0;
    std::vector<std::string> prompt_labels;
    bool buffer_was_zeroed = true;
    bool prompt_confirms = false;
    std::string prompt_answer;
};
