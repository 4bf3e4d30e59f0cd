// Editing the point set: appending, the selections, moving and clearing.
#include <gtest/gtest.h>

#include "town/near_vec.h"
#include "town/track_fixture.h"
#include "edit/edited_town.h"
#include "scene_file_commands.h"
#include "selection.h"

TEST(TrackPoints, AppendAddsBothPointsAndStartsTheTrainAtThree) {
    CountingTown town;
    town.editor.sel_orient_point = 0;
    append_point(town, town.editor);
    ASSERT_EQ(town.track.num_points, 1);
    EXPECT_EQ(town.editor.sel_point, 0);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    EXPECT_TRUE(near_vec(point_of(town, 0), {0.0f, 0.125f, 0.0f}, 0.0f));
    EXPECT_TRUE(near_vec(town.track.orient_points[0]->position(), {0.0f, 4.125f, 0.0f}, 0.0f));
    EXPECT_EQ(town.track.points[0]->red, 255);
    EXPECT_EQ(town.track.orient_points[0]->blue, 255);
    EXPECT_NE(town.track.orient_segments[0], nullptr);
    EXPECT_EQ(town.redraws, 1);

    // Spread the first two out so the third makes a real loop.
    town.track.points[0]->set_position(-5.0f, 1.0f, -2.0f);
    append_point(town, town.editor);
    town.track.points[1]->set_position(6.0f, 2.0f, -3.0f);
    EXPECT_EQ(town.train.train_running, 0);
    EXPECT_EQ(town.redraws, 2);

    town.train.train_param = 0.7f;
    town.clock.frame_clock = 55;
    append_point(town, town.editor);
    EXPECT_EQ(town.train.train_running, 1);
    EXPECT_EQ(town.clock.frame_clock, 0);
    EXPECT_FLOAT_EQ(town.train.train_param, 0.7f);
    EXPECT_TRUE(near_vec(town.train.train_pos, town.track_point(0.7f)));
    // Both curves were rebuilt round all three points.
    EXPECT_GT(town.track.track_length, 20.0f);
    EXPECT_TRUE(near_vec(town.orient_point_at(0.7f), {0.0f, 4.125f, 0.0f}));
    EXPECT_EQ(town.redraws, 2);  // the running train redraws anyway
}

TEST(TrackPoints, AppendStopsAtOneHundred) {
    EditedTown town;
    for (int i = 0; i < MAX_POINTS; ++i) append_point(town, town.editor);
    ASSERT_EQ(town.track.num_points, 100);
    town.editor.sel_point = 4;
    append_point(town, town.editor);
    EXPECT_EQ(town.track.num_points, 100);
    EXPECT_EQ(town.track.num_orient_points, 100);
    EXPECT_EQ(town.editor.sel_point, 4);
}

TEST(TrackPoints, SelectionsStepRoundAndDeselectRebuildsAfterAControlPoint) {
    EditedTown town;
    select_next_point(town, town.editor);
    EXPECT_EQ(town.editor.sel_point, -1);  // nothing to select

    lay_hilly_loop(town);
    for (const int want : {0, 1, 2, 3, -1, 0}) {
        select_next_point(town, town.editor);
        EXPECT_EQ(town.editor.sel_point, want);
    }

    town.editor.selected_object = 2;
    select_next_orient_point(town, town.editor);
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.selected_object, -1);
    EXPECT_EQ(town.editor.sel_orient_point, 0);
    for (int i = 0; i < 4; ++i) select_next_orient_point(town, town.editor);
    EXPECT_EQ(town.editor.sel_orient_point, -1);

    town.editor.sel_orient_point = 2;
    select_next_point(town, town.editor);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    EXPECT_EQ(town.editor.sel_point, 0);

    // Deselecting rebuilds only after a control point was selected.
    town.editor.sel_point = -1;
    town.editor.sel_orient_point = 1;
    town.track.track_edited = 0;
    const unsigned fills = town.track.tie_table_fills;
    deselect_points(town, town.editor);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    EXPECT_EQ(town.track.track_edited, 0);
    EXPECT_EQ(town.track.tie_table_fills, fills);
    town.editor.sel_point = 3;
    deselect_points(town, town.editor);
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_GT(town.track.tie_table_fills, fills)
        << "both curves rebuilt, the tie table filled from them";
}

// A control point carries its orientation point and rebuilds both curves; an
// orientation point moves alone and leaves the track as it was.
TEST(TrackPoints, MovesCarryOrLeaveTheOtherPoint) {
    EditedTown town;
    lay_hilly_loop(town);
    const Vec3 before = town.track_point(0.25f);
    const Vec3 orient_before = town.track.orient_points[1]->position();
    town.editor.sel_point = 1;
    town.track.track_edited = 0;
    move_selected_point(town, town.editor, {1.5f, -0.5f, 2.0f});
    EXPECT_TRUE(near_vec(point_of(town, 1), {8.5f, 2.0f, -3.0f}));
    EXPECT_TRUE(
        near_vec(town.track.orient_points[1]->position(), orient_before + Vec3{1.5f, -0.5f, 2.0f}));
    EXPECT_EQ(town.track.track_edited, 1);
    EXPECT_GT(length(town.track_point(0.25f) - before), 0.5f);
    EXPECT_TRUE(near_vec(town.orient_point_at(0.25f) - town.track_point(0.25f), {0.0f, 4.0f, 0.0f}));

    const Vec3 track_before = town.track_point(0.5f);
    const Vec3 up_before = town.orient_point_at(0.5f);
    const float length_before = town.track.track_length;
    town.editor.sel_point = -1;
    town.editor.sel_orient_point = 2;
    town.track.track_edited = 0;
    move_selected_orient_point(town, town.editor, {0.0f, 0.0f, 3.0f});
    EXPECT_FLOAT_EQ(town.track.points[2]->z, 6.0f);
    EXPECT_FLOAT_EQ(town.track.orient_points[2]->z, 9.0f);
    EXPECT_EQ(town.track.track_edited, 1);
    EXPECT_TRUE(near_vec(town.track_point(0.5f), track_before, 0.0f));
    EXPECT_FLOAT_EQ(town.track.track_length, length_before);
    EXPECT_GT(town.orient_point_at(0.5f).z, up_before.z + 1.0f);

    // Nothing selected: a move changes nothing.
    town.editor.sel_orient_point = -1;
    move_selected_orient_point(town, town.editor, {5.0f, 5.0f, 5.0f});
    move_selected_point(town, town.editor, {5.0f, 5.0f, 5.0f});
    EXPECT_FLOAT_EQ(town.track.points[0]->x, -6.0f);
    EXPECT_FLOAT_EQ(town.track.orient_points[0]->x, -6.0f);
}

// Clearing drops every point and the tie table but keeps its capacity, so the
// same track laid again computes its ties per pass.
TEST(TrackPoints, ClearEmptiesBothSetsAndReleasesTheTieTable) {
    EditedTown town;
    lay_hilly_loop(town);
    town.editor.sel_point = 2;
    town.editor.sel_orient_point = 1;
    const int capacity = town.track.tie_capacity;
    ASSERT_NE(town.track.tie_data, nullptr);
    clear_points(town, town.editor);
    EXPECT_EQ(town.track.num_points, 0);
    EXPECT_EQ(town.track.num_orient_points, 0);
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(!town.track.points[i] && !town.track.orient_points[i] &&
                    !town.track.segments[i] && !town.track.orient_segments[i]);
    }
    EXPECT_EQ(town.track.tie_data, nullptr);
    EXPECT_EQ(town.track.realtime_ties, 1);
    EXPECT_EQ(town.track.tie_capacity, capacity);
    // An empty town still answers where its track would be.
    EXPECT_TRUE(is_finite(town.track_point(0.3f)));

    lay_hilly_loop(town);
    EXPECT_EQ(town.track.tie_data, nullptr);
    EXPECT_EQ(town.track.realtime_ties, 1);
}
