// The town view's key commands as rows of one table, run by one loop: each
// row names its key, the rule its latch follows, the step of the event's
// poll it runs in, when it may act, what a refusal says and what it does.
// Rows of a step run in table order, which is the order keys act in.
#pragma once

#include <cstddef>

#include "key_latches.h"
#include "key_poll.h"
#include "overlays.h"

struct Town;
struct Editor;

// How a row's latch turns a held key into actions. Two rows that name the
// same latch share it: while one fires, the other waits for its release.
enum class LatchRule {
    once_per_press,   // fires when armed (1) and disarms; the key's release re-arms
    repeating,        // no latch: acts at every poll while held
    inverted,         // armed at 0: fires when 0 and sets 1; the key's release sets 0
    inverted_unfired, // fires while the inverted latch is armed but never fires it
    never_disarmed,   // fires while the latch is armed, which nothing disarms
};

// The steps of one event's poll that run key commands (see commands.cpp).
enum class PollStep {
    any_selection,   // whatever is selected
    without_point,   // only while no control or orientation point is selected
    after_gestures,  // after the gestures on the selection
};

struct KeyCommand {
    int key;
    LatchRule rule;
    int KeyLatches::*latch;  // null for a repeating key
    PollStep step;
    // When the command may act, besides its latch; null: always.
    bool (*condition)(const Town& town, const Editor& editor, const KeyPoll& keys);
    // Why a press may not act, noted for the HUD; null: it is never refused.
    Refusal (*refusal)(const Town& town, const Editor& editor);
    void (*action)(Town& town, Editor& editor);
    // The latch re-arms after its step in every selection state, by the key
    // as it was when the step began (a prompt may open in between).
    bool rearms_in_every_state = false;
};

extern const KeyCommand KEY_COMMANDS[];
extern const std::size_t KEY_COMMAND_COUNT;

// Runs the rows of one step in table order. Rows of the without-point step
// act only while no point is selected; a free key held while one is, is
// refused instead.
void run_key_commands(Town& town, Editor& editor, const KeyPoll& keys, PollStep step);
