// Lines told to the user show across the bottom for a few seconds, a few at
// a time, and every way of telling reaches them: a failed save, an empty
// undo, a lock refused with the HUD off.
#include <gtest/gtest.h>

#include "command_fixture.h"
#include "screen_messages.h"

namespace {

using Lines = std::vector<std::string>;

Lines shown_now(const CommandTown& town) { return town.editor.overlays.messages.lines_at(GetTickCount()); }

}  // namespace

TEST(ScreenMessages, LinesLastTheirTimeAndOnlyAFewShowAtOnce) {
    ScreenMessages messages;
    const uint32_t start = 0xFFFFF000u;  // the tick wraps while these show
    messages.post("saved", start);
    messages.post("", start);
    EXPECT_EQ(messages.lines_at(start + SCREEN_MESSAGE_MS - 1), Lines{"saved"});
    EXPECT_EQ(messages.lines_at(start + SCREEN_MESSAGE_MS), Lines{});

    messages.post("locked", start + 100);
    messages.post("locked", start + 3000);  // held: its time starts over, no second line
    EXPECT_EQ(messages.lines_at(start + 5000), (Lines{"locked"}));
    for (int i = 0; i < 6; ++i) messages.post("line " + std::to_string(i), start + 5000);
    EXPECT_EQ(messages.lines_at(start + 5000), (Lines{"line 2", "line 3", "line 4", "line 5"}));
}

TEST(ScreenMessages, WhatStandardOutputSaysTheWindowShowsToo) {
    ScratchDir dir;
    CommandTown town;
    town.press('U');
    EXPECT_EQ(shown_now(town), Lines{"Nothing to undo"});
    save_scene(town, town.editor, dir.file("no/such/folder").c_str());
    ASSERT_EQ(shown_now(town).size(), 2u);
    EXPECT_EQ(shown_now(town).back().rfind("Error saving to file \"" + dir.file("no/such/folder") + "\": ", 0), 0u);

    town.prompt_confirms = true;
    town.prompt_answer = dir.file("saved");
    town.press(KEY_F2);
    EXPECT_EQ(shown_now(town).back(), "Saved \"" + dir.file("saved") + "\"");
    town.prompt_answer = dir.file("missing");
    town.press(KEY_F1);
    EXPECT_EQ(shown_now(town).back().rfind("Error loading file", 0), 0u);

    town.editor.overlays.show_hud = 0;
    town.press(KEY_SPACE);  // fewer than 3 points: refused, with the HUD off
    EXPECT_EQ(shown_now(town).back(), "the train needs 3 control points: press M");
}
