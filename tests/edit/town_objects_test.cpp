// The town-object list: creating objects, stepping the selection, cycling
// the type codes.
#include <gtest/gtest.h>

#include "scene/scene_test_support.h"
#include "edit/edited_town.h"
#include "scene_file_commands.h"
#include "selection.h"

TEST(TownObjects, CreatingAppendsASelectedObjectOfTheNewType) {
    CountingTown town;
    town.town_objects.new_object_type = 11;
    create_object(town, town.editor);
    town.town_objects.new_object_type = 0;
    create_object(town, town.editor);
    ASSERT_EQ(town.town_objects.object_count, 2);
    EXPECT_EQ(town.editor.selected_object, 1);
    EXPECT_EQ(town.town_objects.object_type[0], 11);
    EXPECT_EQ(town.town_objects.object_type[1], 0);
    const ControlPoint& made = *town.town_objects.objects[1];
    EXPECT_EQ(made.x, 0.0f);
    EXPECT_EQ(made.y, 0.0f);
    EXPECT_EQ(made.z, 0.0f);
    EXPECT_EQ(made.size, 1.0f);
    EXPECT_EQ(made.height, 4.5f);
    EXPECT_EQ(made.third_scalar, 1.0f);
    EXPECT_EQ(made.red + made.green + made.blue + made.alpha, 0);
    EXPECT_EQ(town.redraws, 2);

    // While the train runs the pump redraws: no request.
    town.train.train_running = 1;
    create_object(town, town.editor);
    EXPECT_EQ(town.redraws, 2);
}

TEST(TownObjects, TheTwoHundredAndFirstObjectIsRefused) {
    CountingTown town;
    for (int i = 0; i < 200; ++i) create_object(town, town.editor);
    town.editor.selected_object = 17;
    create_object(town, town.editor);
    EXPECT_EQ(town.town_objects.object_count, 200);
    EXPECT_EQ(town.editor.selected_object, 17);
    EXPECT_EQ(town.redraws, 200);
}

TEST(TownObjects, SelectionStepsThroughTheListAndBackToNone) {
    CountingTown town;
    select_next_object(town, town.editor);
    EXPECT_EQ(town.editor.selected_object, -1);  // an empty list has nothing to select
    for (int i = 0; i < 3; ++i) create_object(town, town.editor);
    town.editor.selected_object = -1;
    town.editor.sel_point = 2;
    town.editor.sel_orient_point = 1;
    const int expected[] = {0, 1, 2, -1, 0};
    for (int want : expected) {
        select_next_object(town, town.editor);
        EXPECT_EQ(town.editor.selected_object, want);
    }
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.editor.sel_orient_point, -1);
}

TEST(TownObjects, TypeCyclesThroughNineteenCodesAndBecomesTheNewType) {
    CountingTown town;
    create_object(town, town.editor);
    town.town_objects.object_type[0] = 17;
    for (int i = 0; i < 19; ++i) cycle_object_type(town, town.editor);
    EXPECT_EQ(town.town_objects.object_type[0], 17);  // a full turn, through 18 and 0
    EXPECT_EQ(town.town_objects.new_object_type, 17);

    // A code from a file that no model draws joins the cycle at 0.
    town.town_objects.object_type[0] = 2147483647;
    cycle_object_type(town, town.editor);
    EXPECT_EQ(town.town_objects.object_type[0], 0);
    town.town_objects.object_type[0] = -7;
    cycle_object_type(town, town.editor);
    EXPECT_EQ(town.town_objects.object_type[0], 0);

    // Without a selection there is nothing to change.
    town.editor.selected_object = -1;
    town.town_objects.new_object_type = 4;
    cycle_object_type(town, town.editor);
    EXPECT_EQ(town.town_objects.object_type[0], 0);
    EXPECT_EQ(town.town_objects.new_object_type, 4);
}
