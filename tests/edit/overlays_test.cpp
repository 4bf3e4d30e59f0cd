// The display keys act once per press; Home leaves any camera mode; a
// command refused by a lock is explained for as long as the lock holds, and
// not again once it has gone.
#include <gtest/gtest.h>

#include "command_fixture.h"

TEST(Overlays, DisplayKeysActOncePerPressAndHomeLeavesAnyMode) {
    CommandTown town;
    town.hold_keys({'H', 'I', 'G', KEY_F12}, 5);
    EXPECT_EQ(town.editor.overlays.show_help + town.editor.overlays.show_hud + town.editor.overlays.show_profile, 3);
    town.editor.overlays.screenshot_wanted = 0;  // taken by the next drawn frame
    town.hold_keys({KEY_F12});
    EXPECT_EQ(town.editor.overlays.screenshot_wanted, 0) << "a held F12 takes one screenshot";

    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 7; ++i) town.press('1');
    EXPECT_EQ(hud_lines(town, town.editor).front(), "camera 7: in front of car 0");
    town.press(KEY_HOME);
    EXPECT_EQ(town.editor.camera_mode, 0);
}

TEST(Overlays, RefusalsLastAsLongAsTheirLock) {
    CommandTown town;
    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 5; ++i) town.press('1');
    town.press(KEY_SPACE);  // stopped in camera mode 5: '1' does nothing
    town.press('1');
    EXPECT_EQ(hud_lines(town, town.editor).back(), "camera modes show only while the train runs: press space");
    town.press(KEY_SPACE);
    town.press(KEY_SPACE);  // stopped again, but nothing new was refused
    EXPECT_EQ(refusal_text(town, town.editor), "");
    town.press('M');
    EXPECT_EQ(refusal_text(town, town.editor), "new points only in the free camera: press Home");
    town.press(KEY_HOME);
    EXPECT_EQ(refusal_text(town, town.editor), "");

    town.press('Q');
    town.press('1');  // with a point selected '1' switches the drag plane: not refused
    EXPECT_EQ(refusal_text(town, town.editor), "");
    town.press('C');
    EXPECT_EQ(refusal_text(town, town.editor), "locked while a point is selected: press R");
    town.press('R');
    EXPECT_EQ(refusal_text(town, town.editor), "");
}
