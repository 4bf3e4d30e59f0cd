// Undo and redo against the bytes a save writes, and the autosave on close.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "scene/scene_file.h"
#include "support/scratch_files.h"
#include "view/command_fixture.h"

namespace {

SceneBytes saved(const Town& town) { return encode_scene(scene_of_town(town)); }

// One drag from push to release, in three moves.
void drag(CommandTown& town, int button, int dx, int dy) {
    const ScriptedKeys none;
    town.poll(none, EVENT_PUSH, 100, 100, button);
    for (int i = 1; i <= 3; ++i) town.poll(none, EVENT_DRAG, 100 + i * dx, 100 + i * dy, button);
    town.poll(none, EVENT_RELEASE, 100 + 3 * dx, 100 + 3 * dy, button);
}

TEST(EditHistory, EveryKindOfEditIsOneStepBackAndForth) {
    ScratchDir dir;
    CommandTown town;
    town.add_points(4);
    town.save_scene(dir.file("start").c_str());
    town.prompt_confirms = true;
    town.prompt_answer = dir.file("start");
    auto keys = [&](std::initializer_list<int> seq) { for (int k : seq) town.press(k); };
    const std::vector<std::function<void()>> edits = {
        [&] { keys({'M', 'R'}); },
        [&] { keys({'Q'}), drag(town, BUTTON_LEFT, 4, 2), keys({'R'}); },
        [&] { keys({'Q'}), drag(town, BUTTON_RIGHT, 0, -3), keys({'R'}); },
        [&] { keys({'W'}), drag(town, BUTTON_LEFT, -2, 5), keys({'R'}); },
        [&] { keys({'N', 'R'}); },
        [&] { keys({'E', 'T', 'R'}); },
        [&] { keys({'E'}), drag(town, BUTTON_LEFT, 5, 1), keys({'R'}); },
        [&] { keys({'E'}), drag(town, BUTTON_RIGHT, 0, -4), keys({'R'}); },
        [&] { keys({'L'}), drag(town, BUTTON_LEFT, 3, 3), keys({'L'}); },
        [&] { keys({'B'}); }, [&] { keys({'-'}); }, [&] { keys({']'}); }, [&] { keys({'2'}); },
        [&] { keys({'3'}); }, [&] { keys({'4'}); }, [&] { keys({KEY_UP}); }, [&] { keys({KEY_F3}); },
        [&] { town.hold_keys({KEY_UP}, 3), keys({KEY_F4}); }, [&] { keys({KEY_PAGE_UP}); },
        [&] { keys({'Q'}), town.hold_keys({'A'}, 4), keys({'R'}); }, [&] { keys({'D'}); },
        [&] { town.hold_keys({'C'}, 5), keys({}); }, [&] { keys({KEY_F1}); },
    };
    std::vector<SceneBytes> states{saved(town)};
    for (const auto& edit : edits) {
        edit();
        states.push_back(saved(town));
        ASSERT_NE(states.back(), states[states.size() - 2]) << "edit " << states.size() - 1;
    }
    for (std::size_t i = edits.size(); i-- > 0;) {
        town.press('U');
        ASSERT_EQ(saved(town), states[i]) << "undo to " << i;
    }
    testing::internal::CaptureStdout();
    town.press('U');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Nothing to undo\n");
    for (std::size_t i = 1; i <= edits.size(); ++i) {
        town.press('Y');
        ASSERT_EQ(saved(town), states[i]) << "redo to " << i;
    }
    EXPECT_FALSE(redo_edit(town));
}

TEST(EditHistory, WhatTheTownWorksOutItselfIsNoStepAndANewEditDropsRedo) {
    CommandTown town;
    town.add_points(4);
    town.press('4');
    const SceneBytes lit_off = saved(town);
    town.press('B');
    const SceneBytes switched = saved(town);
    ASSERT_TRUE(undo_edit(town));
    // The energy a rebuild works out (the track once stood higher) and the
    // speed the running train reaches join the step the town is at.
    town.max_height += 3.0f;
    town.press('Q');
    town.press('R');
    town.train_step();
    town.hold_keys({});
    EXPECT_NE(saved(town), lit_off);
    town.press('Y');
    EXPECT_EQ(saved(town), switched);
    town.press('U');
    town.press('U');
    town.press('Y');
    town.press(']');  // a new edit: what was undone is gone
    EXPECT_FALSE(redo_edit(town));
    EXPECT_EQ(town.post_interval, 2);
}

TEST(EditHistory, UndoKeepsTheTrainAsItWasAndDropsASelectionThatIsGone) {
    CommandTown town;
    town.add_points(3);
    town.press('M');  // selects the new point
    EXPECT_EQ(town.sel_point, 3);
    town.press('U');
    EXPECT_EQ(town.num_points, 3);
    EXPECT_EQ(town.sel_point, -1);
    EXPECT_EQ(town.train_running, 1);
    town.press(KEY_SPACE);
    town.press('Y');
    EXPECT_EQ(town.num_points, 4);
    EXPECT_EQ(town.train_running, 0);
}

TEST(EditHistory, KeepsTheNewestStepsUpToItsBound) {
    CommandTown town;
    for (int i = 0; i < 300; ++i) town.press('-');
    const int widest = town.tie_spacing;
    for (std::size_t i = 0; i < UNDO_STEPS; ++i) ASSERT_TRUE(undo_edit(town));
    EXPECT_FALSE(undo_edit(town));
    EXPECT_EQ(town.tie_spacing, widest - static_cast<int>(UNDO_STEPS));
}

TEST(EditHistory, ClosingAfterEditsSavesThemToAutosave) {
    ScratchDir dir;
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    CommandTown town;
    town.add_points(3);
    town.hold_keys({});
    keep_edits_on_close(town);
    EXPECT_TRUE(dir.entries().empty()) << "no edits, no file";
    town.press('N');
    keep_edits_on_close(town);
    CommandTown back;
    back.load_scene("autosave");
    EXPECT_EQ(saved(back), saved(town));
    town.save_scene("kept");
    std::remove("autosave");
    keep_edits_on_close(town);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"kept"}) << "saved: nothing more to keep";
    town.press('U');
    keep_edits_on_close(town);
    EXPECT_EQ(dir.entries().size(), 2u) << "undone past the save";
    ASSERT_EQ(chdir(here), 0);
}

}  // namespace
