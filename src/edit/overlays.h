// What is laid over the picture: the help, the heads-up display (HUD), the
// ride profile and the start hint, and the state behind them: which are
// shown, which command a lock refused last, and a screenshot asked for.
// The text is made here; the drawing layer only lays it out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tick.h"
#include "key_poll.h"
#include "screen_messages.h"

struct Town;
struct Editor;

// Why the last refused command did nothing; shown by the HUD for as long as
// the reason lasts.
enum class Refusal {
    None,
    CameraNeedsTrain,   // '1' or 'V' while the train stands
    PointNeedsFreeCamera,  // 'M' outside camera mode 0
    PointSelected,      // a free command while a point is selected
    PointLimit,         // 'M' at 100 control points
    ObjectLimit,        // 'N' at 200 objects
    TrainNeedsPoints,   // space with fewer than 3 control points
};

// How long the one-line hint about the help stays after start.
constexpr uint32_t START_HINT_MS = 8000;
// How long the word of an autosave newer than the town stays after start:
// longer than the hint, since it names a file to type.
constexpr uint32_t START_NOTICE_MS = 20000;

struct OverlayState {
    int show_help = 0;
    int show_hud = 0;
    int show_profile = 0;
    int screenshot_wanted = 0;
    Refusal refusal = Refusal::None;
    uint32_t start_tick = GetTickCount();
    std::vector<std::string> start_notice;  // about autosaves found at start, top line first
    ScreenMessages messages;                 // what was told to the user lately
};

// Notes a refusal when the command's key is pressed (down, latch armed) and
// its condition does not hold.
void refuse_unless(Town& town, Editor& editor, bool down, int latch, bool condition, Refusal why);
// Notes a refusal on the HUD and in the strip of messages at the bottom.
void note_refusal(Town& town, Editor& editor, Refusal why);
// With a point selected: notes a refusal for any free command's key held.
void refuse_locked_free_keys(Town& town, Editor& editor, const KeyPoll& keys);
// H, I, G, F12 and Home; then forgets a refusal whose reason has gone.
void run_display_keys(Town& town, Editor& editor, const KeyPoll& keys);

// The HUD's lines, top first; the refusal (when one holds) comes last.
std::vector<std::string> hud_lines(const Town& town, const Editor& editor);
// The refusal's text, or empty while none holds.
std::string refusal_text(const Town& town, const Editor& editor);
// The start hint, or empty once its time is over or the help is shown.
std::string start_hint(const Editor& editor);
// The start notice's lines, while they last the same way.
std::vector<std::string> start_notice(const Editor& editor);
// Names for the HUD.
std::string camera_name(const Town& town, const Editor& editor);
std::string selection_name(const Town& town, const Editor& editor);
