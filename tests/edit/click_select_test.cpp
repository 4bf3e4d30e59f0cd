// A click told from a drag, and what a click selects.
#include <gtest/gtest.h>

#include "click_select.h"
#include "edit/command_fixture.h"

TEST(ClickSelect, OnlyAPressAndReleaseCloseTogetherIsAClick) {
    const CommandTown town;
    ClickWatch w;
    EXPECT_FALSE(w.ends_click(town, town.editor, EVENT_RELEASE, 50, 50, BUTTON_LEFT)) << "a release without a press";
    w.ends_click(town, town.editor, EVENT_PUSH, 50, 50, BUTTON_LEFT);
    EXPECT_TRUE(w.ends_click(town, town.editor, EVENT_RELEASE, 53, 47, BUTTON_LEFT)) << "3 pixels is still a click";
    w.ends_click(town, town.editor, EVENT_PUSH, 50, 50, BUTTON_LEFT);
    w.ends_click(town, town.editor, EVENT_DRAG, 54, 50, BUTTON_LEFT);
    EXPECT_FALSE(w.ends_click(town, town.editor, EVENT_RELEASE, 50, 50, BUTTON_LEFT)) << "a drag of 4 pixels that came back";
}

// An object crept along one pixel at a time, the pointer within the slop:
// the release ends a drag, and over bare ground must not let go of it.
TEST(ClickSelect, APressWhoseDragMovedTheSelectionOrTheLightIsNoClick) {
    for (const bool light : {false, true}) {
        CommandTown town;
        create_object(town, town.editor);
        if (light) town.editor.selected_object = -1, town.press('L');
        ClickWatch w;
        ScriptedKeys keys;
        const auto event = [&](int kind, int x) {
            town.poll(keys, kind, x, 50, BUTTON_LEFT);
            return w.ends_click(town, town.editor, kind, x, 50, BUTTON_LEFT);
        };
        event(EVENT_PUSH, 50);
        event(EVENT_DRAG, 51);
        event(EVENT_DRAG, 52);
        EXPECT_FALSE(event(EVENT_RELEASE, 52)) << (light ? "the light" : "the object");
        event(EVENT_PUSH, 52);
        EXPECT_TRUE(event(EVENT_RELEASE, 52)) << "a press and release that moved nothing";
    }
}

TEST(ClickSelect, SelectsOneThingOrLetsGoRebuildingTheTrack) {
    CommandTown town;
    town.add_points(3);
    create_object(town, town.editor);
    town.editor.sel_orient_point = 2;
    select_clicked(town, town.editor, {PickHit::Object, 0});
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    EXPECT_EQ(town.editor.selected_object, 0);
    select_clicked(town, town.editor, {PickHit::Object, 1});  // gone since it was drawn
    EXPECT_EQ(town.editor.selected_object, -1);

    select_clicked(town, town.editor, {PickHit::ControlPoint, 0});
    const float length = town.track.track_length;
    town.track.points[0]->set_position(town.track.points[0]->x + 6, town.track.points[0]->y,
                                       town.track.points[0]->z);  // dragged
    town.editor.light_edit = 1;
    select_clicked(town, town.editor, {});
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.light_edit, 0);
    EXPECT_NE(town.track.track_length, length);
}
