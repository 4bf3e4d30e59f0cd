// Editing by hand: Insert and Delete of points and objects, snapping at the
// end of a drag, typed numbers, and the HUD's numbers; each an undo step.
#include <gtest/gtest.h>

#include "command_fixture.h"
#include "scene_file.h"
#include "typed_numbers.h"
#include "town/near_vec.h"

namespace {

SceneBytes saved(const Town& town) { return encode_scene(scene_of_town(town)); }

// A dialog that answers by script.
struct TypingTown : CommandTown {
    bool ask_numbers(const std::string&, const std::vector<std::string>& names, std::vector<float>& values) override {
        asked = names, offered = values;
        if (confirm) values = answer;
        return confirm;
    }
    std::vector<std::string> asked;
    std::vector<float> offered, answer;
    bool confirm = false;
};

void drag(CommandTown& town, int button, int dx, int dy) {
    town.poll({}, EVENT_PUSH, 100, 100, button);
    for (int i = 1; i <= 3; ++i) town.poll({}, EVENT_DRAG, 100 + i * dx, 100 + i * dy, button);
    town.poll({}, EVENT_RELEASE, 100 + 3 * dx, 100 + 3 * dy, button);
}

}  // namespace

TEST(HandEdits, InsertPutsAPointHalfwayAlongTheCurveAndUndoTakesItAway) {
    CommandTown town;
    town.add_points(5);
    town.press('R');
    const SceneBytes before = saved(town);
    town.press('Q');
    town.press('Q');  // point 1
    const Vec3 halfway = town.track.segments[1]->evaluate(0.5f);
    const Vec3 orient_halfway = town.track.orient_segments[1]->evaluate(0.5f);
    const Vec3 third = town.track.points[2]->position();
    town.press(KEY_INSERT);
    ASSERT_EQ(town.track.num_points, 6);
    EXPECT_EQ(town.track.num_orient_points, 6);
    EXPECT_EQ(town.editor.sel_point, 2);
    EXPECT_TRUE(near_vec(town.track.points[2]->position(), halfway, 0.0f));
    EXPECT_TRUE(near_vec(town.track.orient_points[2]->position(), orient_halfway, 0.0f));
    EXPECT_TRUE(near_vec(town.track.points[3]->position(), third, 0.0f))
        << "the points after it move one place on";
    town.press('U');
    EXPECT_EQ(saved(town), before);
}

TEST(HandEdits, DeleteUnderThreePointsStopsTheTrainAndEveryStepUndoes) {
    CommandTown town;
    town.add_points(3);
    town.press('R');
    ASSERT_EQ(town.train.train_running, 1);
    const SceneBytes three = saved(town);
    const Vec3 last = town.track.points[2]->position();
    town.press('Q');  // point 0
    town.press(KEY_DELETE);
    EXPECT_EQ(town.track.num_points, 2);
    EXPECT_EQ(town.track.num_orient_points, 2);
    EXPECT_TRUE(near_vec(town.track.points[1]->position(), last, 0.0f));
    EXPECT_EQ(town.editor.sel_point, -1);
    EXPECT_EQ(town.train.train_running, 0) << "no track to ride";
    town.press('U');
    EXPECT_EQ(saved(town), three);

    CommandTown two;  // an Insert makes the third point; its undo leaves no track
    two.add_points(2);  // the second one selected
    two.press(KEY_INSERT);
    ASSERT_EQ(two.train.train_running, 1);
    two.press('U');
    EXPECT_EQ(two.track.num_points, 2);
    EXPECT_EQ(two.train.train_running, 0) << "no train drawn over a track that is gone";
}

TEST(HandEdits, ObjectsAreCopiedBesideAndDeletedWithinTheirCapacity) {
    CommandTown town;
    town.editor.camera = std::make_unique<Camera>(Vec3{0, 10, 10}, Vec3{0, 0, 0}, Vec3{0, 1, 0});
    town.press('N');
    town.town_objects.objects[0]->set_size(2.0f);
    town.town_objects.object_type[0] = 15;
    town.press(KEY_INSERT);
    ASSERT_EQ(town.town_objects.object_count, 2);
    EXPECT_EQ(town.editor.selected_object, 1);
    EXPECT_EQ(town.town_objects.object_type[1], 15);
    EXPECT_FLOAT_EQ(town.town_objects.objects[1]->get_size(), 2.0f);
    EXPECT_NEAR(
        length(town.town_objects.objects[1]->position() - town.town_objects.objects[0]->position()),
        1.0f, 1e-5f);

    town.press('E');
    town.press('E');  // object 0
    town.press(KEY_DELETE);
    EXPECT_EQ(town.town_objects.object_count, 1);
    EXPECT_EQ(town.town_objects.object_type[0], 15);
    EXPECT_EQ(town.editor.selected_object, -1);

    while (town.town_objects.object_count < MAX_OBJECTS) town.press('N');
    town.press(KEY_INSERT);
    EXPECT_EQ(town.town_objects.object_count, MAX_OBJECTS) << "no copy past the capacity";
}

TEST(HandEdits, SnappingLandsADragOnTheGridAndTheHudSaysSo) {
    CommandTown town;
    town.add_points(4);
    town.press('R');
    town.press('S');
    EXPECT_EQ(town.editor.snapping, 1);
    EXPECT_EQ(hud_lines(town, town.editor)[5], "snapping on: grid 0.5, heights 0.25 (S)");
    town.press('Q');
    const Vec3 orient_before = town.track.orient_points[0]->position();
    const Vec3 point_before = town.track.points[0]->position();
    drag(town, BUTTON_LEFT, 3, 2);  // then up: a height on quarters
    drag(town, BUTTON_RIGHT, 0, -1);
    const Vec3 p = town.track.points[0]->position();
    EXPECT_EQ(p.x, std::round(p.x * 2) / 2);
    EXPECT_EQ(p.z, std::round(p.z * 2) / 2);
    EXPECT_EQ(p.y, std::round(p.y * 4) / 4);
    EXPECT_FALSE(near_vec(p, point_before, 0.1f));
    EXPECT_NEAR(
        length(town.track.orient_points[0]->position() - orient_before - (p - point_before)), 0.0f,
        1e-4f)
        << "its orientation point rides along";

    town.press('R');
    town.press('N');  // a town object: its height lands on quarters too
    town.town_objects.objects[0]->set_height(4.6f);
    drag(town, BUTTON_LEFT, 2, 0);
    EXPECT_EQ(town.town_objects.objects[0]->get_height(), 4.5f);
    EXPECT_EQ(town.town_objects.objects[0]->x, std::round(town.town_objects.objects[0]->x * 2) / 2);

    town.press('S');
    town.town_objects.objects[0]->set_height(4.6f);
    drag(town, BUTTON_LEFT, 2, 0);
    EXPECT_FLOAT_EQ(town.town_objects.objects[0]->get_height(), 4.6f) << "snapping off";
}

TEST(HandEdits, TypedNumbersAreCheckedByFieldAndAppliedAsOneStep) {
    float v = 0;
    EXPECT_EQ(typed_number_refusal("x", " 12.5 ", v), "");
    EXPECT_EQ(v, 12.5f);
    EXPECT_EQ(typed_number_refusal("z", "1000.01", v), "z: 1000.01 lies beyond 1000");
    EXPECT_EQ(typed_number_refusal("y", "", v), "y: \"\" is not a number");
    EXPECT_EQ(typed_number_refusal("x", "nan", v), "x: nan lies beyond 1000");
    EXPECT_EQ(typed_number_refusal("x", "3x", v), "x: \"3x\" is not a number");
    EXPECT_EQ(std::strtof(number_text(0.1f).c_str(), nullptr), 0.1f);

    TypingTown town;
    town.add_points(4);
    town.press('R');
    const SceneBytes before = saved(town);
    town.press('Q');
    town.press('P');  // cancelled: nothing changes
    EXPECT_EQ(town.asked, (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(town.offered[0], town.track.points[0]->x);
    const Vec3 orient = town.track.orient_points[0]->position();
    const Vec3 from = town.track.points[0]->position();
    town.confirm = true;
    town.answer = {2.5f, 1.25f, -7.0f};
    town.press('P');
    EXPECT_TRUE(near_vec(town.track.points[0]->position(), (Vec3{2.5f, 1.25f, -7.0f}), 0.0f));
    EXPECT_NEAR(length(town.track.orient_points[0]->position() - orient -
                       (Vec3{2.5f, 1.25f, -7.0f} - from)),
                0, 1e-5f);
    town.press('R');
    town.press('U');
    EXPECT_EQ(saved(town), before);

    town.press('N');
    town.answer = {1, 0, 2, 3, 6};
    town.press('P');
    EXPECT_EQ(town.asked.size(), 5u);
    EXPECT_EQ(town.town_objects.objects[0]->get_size(), 3.0f);
    EXPECT_EQ(town.town_objects.objects[0]->get_height(), 6.0f);
}

TEST(HandEdits, TheHudShowsWhereTheSelectionStandsAndTheSettings) {
    CommandTown town;
    town.press('N');
    town.town_objects.objects[0]->set_position(1.5f, 0.0f, -2.25f);
    const std::vector<std::string> lines = hud_lines(town, town.editor);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[2] + " / " + lines[3], "at x 1.50  y 0.00  z -2.25 / size 1.00  height 4.50");
    EXPECT_EQ(lines[4].rfind("energy 0  gravity -20.8", 0), 0u);
}
