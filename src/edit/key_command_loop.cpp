// The loop that runs the key command rows: the keyboard is polled at every
// event, and every row of the step whose key is down acts by its latch rule.
#include "key_command_table.h"

#include <vector>

#include "command_steps.h"
#include "editor.h"
#include "town.h"

namespace {

bool point_selected(const Editor& editor) { return editor.sel_point != -1 || editor.sel_orient_point != -1; }

bool armed(const KeyCommand& row, const KeyLatches& latches) {
    switch (row.rule) {
        case LatchRule::repeating: return true;
        case LatchRule::inverted:
        case LatchRule::inverted_unfired: return latches.*row.latch == 0;
        case LatchRule::once_per_press:
        case LatchRule::never_disarmed: return latches.*row.latch == 1;
    }
    return false;
}

void fire_row(const KeyCommand& row, KeyLatches& latches) {
    if (row.rule == LatchRule::once_per_press) latches.*row.latch = 0;
    if (row.rule == LatchRule::inverted) latches.*row.latch = 1;
}

void rearm_row(const KeyCommand& row, bool down, KeyLatches& latches) {
    if (down || row.rule == LatchRule::repeating) return;
    const bool inverted = row.rule == LatchRule::inverted || row.rule == LatchRule::inverted_unfired;
    latches.*row.latch = inverted ? 0 : 1;
}

void run_row(Town& town, Editor& editor, const KeyPoll& keys, const KeyCommand& row, bool down) {
    if (down && armed(row, editor.latches)) {
        const Refusal why = row.refusal != nullptr ? row.refusal(town, editor) : Refusal::None;
        if (why != Refusal::None) note_refusal(town, editor, why);
        const bool may = why == Refusal::None && (row.condition == nullptr || row.condition(town, editor, keys));
        if (may) {
            fire_row(row, editor.latches);
            row.action(town, editor);
        }
    }
    if (!row.rearms_in_every_state) rearm_row(row, down, editor.latches);
}

}  // namespace

void run_key_commands(Town& town, Editor& editor, const KeyPoll& keys, PollStep step) {
    // Keys that re-arm in every state count as they were when the step began.
    std::vector<char> down_at_start(KEY_COMMAND_COUNT, 0);
    for (std::size_t i = 0; i < KEY_COMMAND_COUNT; ++i) {
        const KeyCommand& row = KEY_COMMANDS[i];
        if (row.step == step && row.rearms_in_every_state) down_at_start[i] = keys.key_down(row.key);
    }
    if (step == PollStep::without_point && point_selected(editor)) {
        refuse_locked_free_keys(town, editor, keys);
    } else {
        for (std::size_t i = 0; i < KEY_COMMAND_COUNT; ++i) {
            const KeyCommand& row = KEY_COMMANDS[i];
            if (row.step != step) continue;
            run_row(town, editor, keys, row, row.rearms_in_every_state ? down_at_start[i] != 0 : keys.key_down(row.key));
        }
    }
    for (std::size_t i = 0; i < KEY_COMMAND_COUNT; ++i) {
        const KeyCommand& row = KEY_COMMANDS[i];
        if (row.step == step && row.rearms_in_every_state) rearm_row(row, down_at_start[i] != 0, editor.latches);
    }
}

void run_keys_any_selection(Town& town, Editor& editor, const KeyPoll& keys) {
    run_key_commands(town, editor, keys, PollStep::any_selection);
}

void run_keys_without_point(Town& town, Editor& editor, const KeyPoll& keys) {
    run_key_commands(town, editor, keys, PollStep::without_point);
}

void run_keys_after_gestures(Town& town, Editor& editor, const KeyPoll& keys) {
    run_key_commands(town, editor, keys, PollStep::after_gestures);
}
