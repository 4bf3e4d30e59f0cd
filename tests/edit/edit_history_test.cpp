// Undo and redo against the bytes a save writes (the autosave: undo_e2e.sh).
#include <gtest/gtest.h>

#include <functional>

#include "scene_file.h"
#include "support/scratch_files.h"
#include "edit/command_fixture.h"

namespace {

SceneBytes saved(const Town& town) { return encode_scene(scene_of_town(town)); }

struct EditingTown : CommandTown {
    void keys(std::initializer_list<int> seq) { for (int key : seq) press(key); }
    // Selects with a key (L: the light), then push, three moves, release: one drag.
    void drag(int select, int button, int dx, int dy) {
        press(select);
        poll({}, EVENT_PUSH, 100, 100, button);
        for (int i = 1; i <= 3; ++i) poll({}, EVENT_DRAG, 100 + i * dx, 100 + i * dy, button);
        poll({}, EVENT_RELEASE, 100 + 3 * dx, 100 + 3 * dy, button);
        press(select == 'L' ? 'L' : 'R');
    }
};

TEST(EditHistory, EveryKindOfEditIsOneStepBackAndForth) {
    ScratchDir dir;
    EditingTown t;
    t.add_points(4);
    save_scene(t, t.editor, dir.file("start").c_str());
    t.prompt_confirms = true;
    t.prompt_answer = dir.file("start");
    const std::vector<std::function<void()>> edits = {
        [&] { t.keys({'M', 'R'}); }, [&] { t.drag('Q', BUTTON_LEFT, 4, 2); }, [&] { t.keys({'N', 'R'}); },
        [&] { t.drag('Q', BUTTON_RIGHT, 0, -3); }, [&] { t.drag('W', BUTTON_LEFT, -2, 5); },
        [&] { t.keys({'E', 'T', 'R'}); }, [&] { t.drag('E', BUTTON_LEFT, 5, 1); }, [&] { t.keys({'B'}); },
        [&] { t.drag('E', BUTTON_RIGHT, 0, -4); }, [&] { t.drag('L', BUTTON_LEFT, 3, 3); },
        [&] { t.keys({'-'}); }, [&] { t.keys({']'}); }, [&] { t.keys({'3'}); }, [&] { t.keys({'4'}); },
        [&] { t.keys({KEY_UP}); }, [&] { t.keys({KEY_F3}); }, [&] { t.keys({'D'}); },
        [&] { t.hold_keys({KEY_UP}, 3), t.keys({KEY_F4}); }, [&] { t.keys({KEY_PAGE_UP}); },
        [&] { t.keys({'Q'}), t.hold_keys({'A'}, 4), t.keys({'R'}); },
        [&] { t.hold_keys({'C'}, 5), t.keys({}); }, [&] { t.keys({KEY_F1}); },
    };
    std::vector<SceneBytes> states{saved(t)};
    for (const auto& edit : edits) {
        states.push_back((edit(), saved(t)));
        ASSERT_NE(states.back(), states[states.size() - 2]) << "edit " << states.size() - 1;
    }
    for (std::size_t i = edits.size(); i-- > 0;) ASSERT_EQ((t.press('U'), saved(t)), states[i]) << i;
    EXPECT_FALSE(undo_edit(t, t.editor));
    for (std::size_t i = 1; i <= edits.size(); ++i) ASSERT_EQ((t.press('Y'), saved(t)), states[i]) << i;
    EXPECT_FALSE(redo_edit(t, t.editor));
}

TEST(EditHistory, WhatTheTownWorksOutItselfIsNoStepAndANewEditDropsRedo) {
    EditingTown t;
    t.add_points(4);
    t.keys({'R', '4', 'B'});
    const SceneBytes switched = saved(t);
    t.hold_keys({'U'});
    // The energy a rebuild works out (the track once stood higher), right after
    // the undo, and the speed the running train reaches join the step it is at.
    t.track.max_height += 3.0f;
    t.editor.sel_point = 0;
    t.keys({'R'});
    t.train_step();
    t.keys({'Y'});
    EXPECT_EQ(saved(t), switched);
    t.keys({'U', 'M'});  // a new edit: what was undone is gone; the train still runs
    EXPECT_FALSE(redo_edit(t, t.editor));
    EXPECT_EQ(t.train.train_running, 1);
    t.keys({'R', KEY_SPACE, 'U'});  // and a standing train stays standing
    EXPECT_EQ(t.train.train_running, 0);
    EXPECT_EQ(t.track.bspline, 1) << "M undone brought back the switch undone before it";
}

// Keys come as key events in the window and as pointer moves in the other
// tests; after a drag whose release was lost, either way ends the drag.
TEST(EditHistory, KeyEditsAfterADragWhoseReleaseWasLostAreStepsOfTheirOwn) {
    for (const int key_event : {EVENT_KEYDOWN, EVENT_MOVE}) {
        EditingTown t;
        const auto press = [&](int key) {
            ScriptedKeys down;
            down.hold(key);
            t.poll(down, key_event);
            t.poll({}, key_event == EVENT_KEYDOWN ? EVENT_KEYUP : EVENT_MOVE);
        };
        t.add_points(4);
        t.keys({'N', 'R', 'E'});
        const SceneBytes made = saved(t);
        t.poll({}, EVENT_PUSH, 100, 100, BUTTON_LEFT);
        for (int i = 1; i <= 3; ++i) t.poll({}, EVENT_DRAG, 100 + 4 * i, 100, BUTTON_LEFT);
        const SceneBytes dragged = saved(t);  // and no release comes
        press('T');
        const SceneBytes retyped = saved(t);
        press('R');
        press('-');
        ASSERT_NE(made, dragged);
        ASSERT_NE(dragged, retyped);
        ASSERT_NE(retyped, saved(t));
        t.press('U');
        EXPECT_TRUE(saved(t) == retyped) << key_event << ": the tie spacing joined the type's step";
        t.press('U');
        EXPECT_TRUE(saved(t) == dragged) << key_event << ": the type joined the drag's step";
        t.press('U');
        EXPECT_TRUE(saved(t) == made) << key_event;
    }
}

// The summit only rises and no file holds it, yet F4 and every rebuild work
// the energy out from it: a step back must put it back too.
TEST(EditHistory, AStepBackRestoresTheSummitTheEnergyIsWorkedOutFrom) {
    EditingTown t;
    t.add_points(4);
    t.keys({'R'});
    const SceneBytes start = saved(t);
    const float summit = t.track.max_height;
    t.keys({KEY_F4});
    const SceneBytes recomputed = saved(t);
    t.keys({'U'});
    t.drag('Q', BUTTON_RIGHT, 0, -20);  // point 0 up 4.5 units, above the summit
    const SceneBytes raised = saved(t);
    const float raised_summit = t.track.max_height;
    ASSERT_GT(raised_summit, summit + 1.0f);

    t.keys({'U'});
    EXPECT_EQ(saved(t), start);
    EXPECT_EQ(t.track.max_height, summit);
    t.keys({'Y'});
    EXPECT_EQ(saved(t), raised);
    EXPECT_EQ(t.track.max_height, raised_summit);
    t.keys({'U', KEY_F4});
    EXPECT_EQ(saved(t), recomputed) << "the energy came from the summit of the step undone";
}

// The scene the town is built with is where undo stops, not the empty town
// before its load.
TEST(EditHistory, TheStartupSceneIsTheFirstStep) {
    ScratchDir dir;
    const std::string scene = dir.file("town");
    {
        EditingTown made;
        made.add_points(4);
        save_scene(made, made.editor, scene.c_str());
    }
    struct Started : Town, EditorSeams {
        explicit Started(const char* name) { start_town(*this, editor, name); }
        AutosavePlaces autosave_places() const override { return {"", ""}; }
        Editor editor{*this};
    } t(scene.c_str());
    ScriptedKeys u;
    u.hold('U');
    testing::internal::CaptureStdout();
    handle_event(t, t.editor, EVENT_MOVE, 0, 0, 0, u);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(t.track.num_points, 4);
    EXPECT_NE(said.find("Nothing to undo"), std::string::npos) << said;
}

TEST(EditHistory, KeepsTheNewestStepsUpToItsBound) {
    EditingTown t;
    for (int i = 0; i < 300; ++i) t.press('-');
    const int widest = t.track.tie_spacing;
    for (std::size_t i = 0; i < UNDO_STEPS; ++i) ASSERT_TRUE(undo_edit(t, t.editor));
    EXPECT_FALSE(undo_edit(t, t.editor));
    EXPECT_EQ(t.track.tie_spacing, widest - static_cast<int>(UNDO_STEPS));
}

}  // namespace

namespace {

// F1 with the scripted prompt answering name.
void load_by_f1(EditingTown& t, const std::string& name) {
    t.prompt_confirms = true;
    t.prompt_answer = name;
    t.press(KEY_F1);
}

}  // namespace

TEST(KeptEdits, ALoadOverEditsKeepsThemFirstAndStillLoadsWhatTheFileHeld) {
    EditingTown t;
    t.add_points(4);
    const std::string autosave = t.autosave_dir.file("autosave");
    save_scene(t, t.editor, autosave.c_str());  // last session's autosave
    const SceneBytes last_session = saved(t);
    t.keys({'N', 'R'});
    const SceneBytes edited = saved(t);

    testing::internal::CaptureStdout();
    load_by_f1(t, autosave);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(saved(t), last_session) << "the load read the edits it had just written";
    EXPECT_EQ(read_bytes(autosave), edited);
    EXPECT_EQ(read_bytes(autosave + ".1"), last_session);
    EXPECT_NE(said.find("Unsaved edits kept in \"" + autosave + "\" before loading \"" + autosave + "\""),
              std::string::npos)
        << said;

    // Loaded, nothing is unsaved: a second load writes no autosave.
    load_by_f1(t, autosave + ".1");
    EXPECT_EQ(read_bytes(autosave), edited);

    // With nowhere to keep the edits the load is refused and they stay.
    t.keys({'N', 'R'});
    const SceneBytes unkept = saved(t);
    t.places = {t.autosave_dir.file("autosave.1/not a folder"), ""};
    testing::internal::CaptureStdout();
    load_by_f1(t, autosave);
    const std::string refused = testing::internal::GetCapturedStdout();
    EXPECT_EQ(saved(t), unkept);
    EXPECT_NE(refused.find("the unsaved edits could not be kept"), std::string::npos) << refused;
}
