// A click told from a drag, and what a click selects: the same selection the
// Q, W and E keys make, or letting go as R does.
#include <gtest/gtest.h>

#include "view/click_select.h"
#include "view/command_fixture.h"

namespace {

TEST(ClickWatch, OnlyAPressAndReleaseCloseTogetherIsAClick) {
    ClickWatch watch;
    EXPECT_FALSE(watch.ends_click(EVENT_RELEASE, 50, 50, BUTTON_LEFT)) << "a release without a press";
    EXPECT_FALSE(watch.ends_click(EVENT_PUSH, 50, 50, BUTTON_LEFT));
    EXPECT_FALSE(watch.ends_click(EVENT_DRAG, 52, 47, BUTTON_LEFT));
    EXPECT_TRUE(watch.ends_click(EVENT_RELEASE, 53, 47, BUTTON_LEFT)) << "3 pixels is still a click";

    watch.ends_click(EVENT_PUSH, 50, 50, BUTTON_LEFT);
    EXPECT_FALSE(watch.ends_click(EVENT_RELEASE, 50, 54, BUTTON_LEFT)) << "4 pixels is a drag";

    watch.ends_click(EVENT_PUSH, 50, 50, BUTTON_LEFT);
    watch.ends_click(EVENT_DRAG, 70, 50, BUTTON_LEFT);
    EXPECT_FALSE(watch.ends_click(EVENT_RELEASE, 50, 50, BUTTON_LEFT)) << "a drag that came back";

    watch.ends_click(EVENT_PUSH, 50, 50, BUTTON_RIGHT);
    EXPECT_FALSE(watch.ends_click(EVENT_RELEASE, 50, 50, BUTTON_RIGHT)) << "the right button";
}

TEST(SelectClicked, SelectsOneThingAsTheKeysDo) {
    CommandTown town;
    town.add_points(3);
    town.create_object();
    town.create_object();

    town.sel_orient_point = 2;
    select_clicked(town, {PickHit::ControlPoint, 1});
    EXPECT_EQ(town.sel_point, 1);
    EXPECT_EQ(town.sel_orient_point, -1);
    EXPECT_EQ(town.selected_object, -1);

    select_clicked(town, {PickHit::OrientPoint, 2});
    EXPECT_EQ(town.sel_point, -1);
    EXPECT_EQ(town.sel_orient_point, 2);

    select_clicked(town, {PickHit::Object, 1});
    EXPECT_EQ(town.sel_orient_point, -1);
    EXPECT_EQ(town.selected_object, 1);

    // An index the scene no longer holds selects nothing.
    select_clicked(town, {PickHit::Object, 2});
    EXPECT_EQ(town.selected_object, -1);
}

TEST(SelectClicked, ClickOnNothingLetsGoAndRebuildsTheTrackOfAPoint) {
    CommandTown town;
    town.add_points(3);
    town.light_edit = 1;
    town.sel_point = 0;
    const float length = town.track_length;
    // Moved without a rebuild, as a drag leaves it until the release.
    town.points[0]->set_position(town.points[0]->x + 6, town.points[0]->y, town.points[0]->z);

    select_clicked(town, {PickHit::ControlPoint, 0});  // the same point again: it stays
    EXPECT_EQ(town.sel_point, 0);
    EXPECT_EQ(town.track_length, length);

    select_clicked(town, {});
    EXPECT_EQ(town.sel_point, -1);
    EXPECT_EQ(town.light_edit, 0);
    EXPECT_NE(town.track_length, length);
}

}  // namespace
