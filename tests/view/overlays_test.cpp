// The display keys and what the HUD says: H, I and G switch once per press,
// Home returns to the free camera from any mode, F12 asks for one
// screenshot; a command refused by a lock is explained for as long as the
// lock holds, and not again once it has gone.
#include <gtest/gtest.h>

#include "command_fixture.h"
#include "support/fake_tick.h"

namespace {

class Overlays : public ::testing::Test {
protected:
    CommandTown town;

    bool hud_says(const std::string& text) const {
        for (const std::string& line : hud_lines(town)) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }
};

}  // namespace

TEST_F(Overlays, DisplayKeysSwitchOncePerPress) {
    town.hold_keys({'H', 'I', 'G'}, 5);  // held: once
    EXPECT_EQ(town.overlays.show_help, 1);
    EXPECT_EQ(town.overlays.show_hud, 1);
    EXPECT_EQ(town.overlays.show_profile, 1);
    town.hold_keys({});
    town.press('I');
    EXPECT_EQ(town.overlays.show_hud, 0);
    EXPECT_EQ(town.overlays.show_help, 1);

    town.hold_keys({KEY_F12}, 3);
    EXPECT_EQ(town.overlays.screenshot_wanted, 1);
    town.overlays.screenshot_wanted = 0;  // taken by the next drawn frame
    town.hold_keys({KEY_F12});
    EXPECT_EQ(town.overlays.screenshot_wanted, 0) << "a held F12 takes one screenshot";
}

TEST_F(Overlays, HomeReturnsToTheFreeCameraInOnePress) {
    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 7; ++i) town.press('1');
    ASSERT_EQ(town.camera_mode, 7);
    EXPECT_TRUE(hud_says("camera 7: in front of car 0"));
    town.press(KEY_HOME);
    EXPECT_EQ(town.camera_mode, 0);
    EXPECT_TRUE(hud_says("camera 0: free camera"));
}

TEST_F(Overlays, StoppedTrainInCameraModeFiveExplainsTheDeadOneKey) {
    town.add_points(3);
    town.press('R');
    for (int i = 0; i < 5; ++i) town.press('1');
    town.press(KEY_SPACE);  // stop
    ASSERT_EQ(town.train_running, 0);
    EXPECT_EQ(refusal_text(town), "");
    EXPECT_TRUE(hud_says("free camera (mode 5 waits for the train)"));

    town.press('1');
    EXPECT_EQ(town.camera_mode, 5);
    EXPECT_EQ(refusal_text(town), "camera modes show only while the train runs: press space");
    EXPECT_EQ(hud_lines(town).back(), refusal_text(town));
    town.press(KEY_SPACE);  // runs again: the lock is gone
    town.press(KEY_SPACE);  // and stopped once more: no new press, no refusal
    EXPECT_EQ(refusal_text(town), "");

    town.press('M');  // and no new point outside the free camera
    EXPECT_EQ(town.num_points, 3);
    EXPECT_EQ(refusal_text(town), "new points only in the free camera: press Home");
    town.press(KEY_HOME);
    EXPECT_EQ(refusal_text(town), "");
}

TEST_F(Overlays, FreeCommandsLockedByASelectedPointSayPressR) {
    town.add_points(3);
    town.press('R');
    town.press('Q');
    ASSERT_EQ(town.sel_point, 0);
    EXPECT_TRUE(hud_says("selected: point 0"));
    EXPECT_TRUE(hud_says("camera 0: following point 0"));
    town.press('1');  // with a point selected '1' switches the drag plane: no refusal
    EXPECT_EQ(refusal_text(town), "");
    town.press('C');
    EXPECT_EQ(refusal_text(town), "locked while a point is selected: press R");
    EXPECT_EQ(town.num_points, 3) << "nothing was cleared";
    town.press('R');
    EXPECT_EQ(refusal_text(town), "");
}

TEST_F(Overlays, LimitsAndTooFewPointsAreExplained) {
    town.press(KEY_SPACE);
    EXPECT_EQ(refusal_text(town), "the train needs 3 control points: press M");
    town.add_points(3);
    town.press('R');
    EXPECT_EQ(refusal_text(town), "");

    for (int i = 0; i < MAX_OBJECTS; ++i) town.create_object();
    town.press('E');  // let go of the new object; the press below is refused
    town.press('N');
    EXPECT_EQ(town.object_count, MAX_OBJECTS);
    EXPECT_EQ(refusal_text(town), "200 town objects reached: no more fit");
    town.selected_object = 4;
    town.object_type[4] = 15;
    EXPECT_TRUE(hud_says("selected: object 4, clock tower"));
}

TEST_F(Overlays, HudReadsTheClockAndTheTrain) {
    town.time_of_day = 0.5f + 7.0f / (24 * 60);
    EXPECT_TRUE(hud_says("time 12:07"));
    EXPECT_TRUE(hud_says("train stopped, speed energy"));
    town.add_points(3);
    town.physics = 0;
    town.train_speed = 7.5f;
    EXPECT_TRUE(hud_says("train speed 7.5"));
    EXPECT_TRUE(hud_says("by hand"));
}

TEST(StartHint, ShowsForTheFirstSecondsUnlessTheHelpIsOpen) {
    FakeTick tick(5000);
    CommandTown town;
    EXPECT_EQ(start_hint(town), "press H for help");
    tick.advance(START_HINT_MS - 1);
    town.press('H');
    EXPECT_EQ(start_hint(town), "");
    town.press('H');
    EXPECT_EQ(start_hint(town), "press H for help");
    tick.advance(1);
    EXPECT_EQ(start_hint(town), "");
}
