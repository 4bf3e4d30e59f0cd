// The display keys act once per press; Home leaves any camera mode; a
// command refused by a lock is explained for as long as the lock holds, and
// not again once it has gone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "command_fixture.h"
#include "support/fake_tick.h"
#include "view/autosave_notice.h"

TEST(Overlays, DisplayKeysActOncePerPressAndHomeLeavesAnyMode) {
    CommandTown town;
    town.hold_keys({'H', 'I', 'G', KEY_F12}, 5);
    EXPECT_EQ(town.overlays.show_help + town.overlays.show_hud + town.overlays.show_profile, 3);
    town.overlays.screenshot_wanted = 0;  // taken by the next drawn frame
    town.hold_keys({KEY_F12});
    EXPECT_EQ(town.overlays.screenshot_wanted, 0) << "a held F12 takes one screenshot";

    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 7; ++i) town.press('1');
    EXPECT_EQ(hud_lines(town).front(), "camera 7: in front of car 0");
    town.press(KEY_HOME);
    EXPECT_EQ(town.camera_mode, 0);
}

TEST(Overlays, RefusalsLastAsLongAsTheirLock) {
    CommandTown town;
    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 5; ++i) town.press('1');
    town.press(KEY_SPACE);  // stopped in camera mode 5: '1' does nothing
    town.press('1');
    EXPECT_EQ(hud_lines(town).back(), "camera modes show only while the train runs: press space");
    town.press(KEY_SPACE);
    town.press(KEY_SPACE);  // stopped again, but nothing new was refused
    EXPECT_EQ(refusal_text(town), "");
    town.press('M');
    EXPECT_EQ(refusal_text(town), "new points only in the free camera: press Home");
    town.press(KEY_HOME);
    EXPECT_EQ(refusal_text(town), "");

    town.press('Q');
    town.press('1');  // with a point selected '1' switches the drag plane: not refused
    EXPECT_EQ(refusal_text(town), "");
    town.press('C');
    EXPECT_EQ(refusal_text(town), "locked while a point is selected: press R");
    town.press('R');
    EXPECT_EQ(refusal_text(town), "");
}

TEST(Overlays, AStartTellsOfANewerAutosaveForItsFirstSeconds) {
    FakeTick tick{5000};
    CommandTown town;
    ScratchDir state;
    town.places.fallback = state.path();
    const std::string scene = town.autosave_dir.file("town");
    write_bytes(scene, {1});
    write_bytes(town.autosave_dir.file("autosave"), {2});
    const timespec older[2] = {{1000, 0}, {1000, 0}};
    utimensat(AT_FDCWD, scene.c_str(), older, 0);

    testing::internal::CaptureStdout();
    announce_newer_autosaves(town, scene.c_str());
    const std::string said = testing::internal::GetCapturedStdout();
    const std::string autosave = town.autosave_dir.file("autosave");
    EXPECT_EQ(said, "\"" + autosave + "\" is newer than \"" + scene + "\": F1 with the name " + autosave +
                        " loads it\n");
    EXPECT_EQ(start_notice(town), (std::vector<std::string>{"\"" + autosave + "\" is newer than \"" + scene + "\"",
                                                           "F1 with the name " + autosave + " loads it"}));
    town.press('H');
    EXPECT_TRUE(start_notice(town).empty()) << "the help covers it";
    town.press('H');
    tick.advance(START_NOTICE_MS);
    EXPECT_TRUE(start_notice(town).empty());
}
