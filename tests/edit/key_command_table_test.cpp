// The key command rows against the help overlay and README's key table:
// a key that acts is a key the user can read about, and the reverse.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "edit/command_fixture.h"
#include "edit/readme_keys.h"
#include "help_table.h"
#include "input_codes.h"
#include "key_command_table.h"

namespace {

// The name the help and README give a key code.
std::string key_name(int key) {
    static const std::map<int, std::string> NAMES = {
        {KEY_SPACE, "Space"}, {KEY_F1, "F1"}, {KEY_F2, "F2"}, {KEY_F3, "F3"}, {KEY_F4, "F4"}, {KEY_F5, "F5"},
        {KEY_UP, "Up"}, {KEY_DOWN, "Down"}, {KEY_PAGE_UP, "Page Up"}, {KEY_PAGE_DOWN, "Page Down"},
        {KEY_INSERT, "Insert"}, {KEY_DELETE, "Delete"}, {KEY_END, "End"},
    };
    const auto named = NAMES.find(key);
    if (named != NAMES.end()) return named->second;
    if (key > ' ' && key < 127) return std::string(1, static_cast<char>(key));
    return "key code " + std::to_string(key) + " (name it in key_name)";
}

// Keys polled by steps of their own, and what is not a key at all.
const std::set<std::string> POLLED_ELSEWHERE = {
    "T",                                   // with the selected object's gestures
    "U", "Y",                              // by the edit history, before any command
    "H", "I", "G", "F12", "Home",          // by the display step, after every command
    "F11",                                 // by the window, which it fills
    "Escape",                              // by the toolkit: it closes the window
    "Left click", "Left drag", "Right drag", "Left", "right drag",  // gestures
    "Wheel", "Middle drag", "Shift + middle drag",
};

std::set<std::string> names_in(const std::set<std::string>& cells) {
    std::set<std::string> names;
    for (const std::string& cell : cells) {
        for (const std::string& name : split_pair(cell)) names.insert(name);
    }
    return names;
}

TEST(KeyCommandTable, TheRowsKeysAreTheKeysOfTheHelpAndTheReadme) {
    std::set<std::string> rows;
    for (std::size_t i = 0; i < KEY_COMMAND_COUNT; ++i) rows.insert(key_name(KEY_COMMANDS[i].key));
    std::set<std::string> help_cells;
    for (std::size_t i = 0; i < HELP_ROW_COUNT; ++i) help_cells.insert(HELP_ROWS[i].keys);
    const std::set<std::string> readme_cells = readme_keys();
    ASSERT_GT(readme_cells.size(), 30u) << "no key table found in " << readme_path();

    for (const auto& [where, names] : {std::make_pair("help", names_in(help_cells)),
                                       std::make_pair("README", names_in(readme_cells))}) {
        for (const std::string& key : rows) EXPECT_EQ(names.count(key), 1u) << "the " << where << " lacks " << key;
        for (const std::string& name : names) {
            const bool known = rows.count(name) == 1 || POLLED_ELSEWHERE.count(name) == 1;
            EXPECT_TRUE(known) << "no key command row for " << name << " of the " << where;
        }
    }
}

// A row the loop cannot run shows here rather than as a crash at its key.
TEST(KeyCommandTable, EveryRowHasWhatItsRuleNeeds) {
    for (std::size_t i = 0; i < KEY_COMMAND_COUNT; ++i) {
        const KeyCommand& row = KEY_COMMANDS[i];
        const std::string name = key_name(row.key);
        EXPECT_NE(row.action, nullptr) << name;
        EXPECT_EQ(row.latch == nullptr, row.rule == LatchRule::repeating) << name;
        // A refusal is noted only by a press that would have fired.
        if (row.refusal != nullptr || row.rearms_in_every_state) {
            EXPECT_EQ(row.rule, LatchRule::once_per_press) << name;
        }
    }
}

// F1 and '1' held until the file prompt opens; the prompt's own events
// let go of them.
struct KeysLetGoInThePrompt : KeyPoll {
    explicit KeysLetGoInThePrompt(const CommandTown& town) : town(town) {}
    bool key_down(int key) const override { return town.prompt_labels.empty() && (key == KEY_F1 || key == '1'); }
    const CommandTown& town;
};

TEST(KeyCommandTable, TheCameraKeyCountsAsItWasBeforeAPromptOpened) {
    CommandTown town;
    town.add_points(3);
    town.editor.sel_point = -1;
    ASSERT_EQ(town.train.train_running, 1);
    handle_event(town, town.editor, EVENT_MOVE, 0, 0, 0, KeysLetGoInThePrompt(town));
    EXPECT_EQ(town.prompt_labels.size(), 1u);
    EXPECT_EQ(town.editor.camera_mode, 1);
    EXPECT_EQ(town.editor.latches.camera_mode_1, 0);  // its release is yet to come
}

}  // namespace
