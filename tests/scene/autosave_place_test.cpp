// Where autosaves go: the one before is kept, a folder that refuses sends
// them to the state folder, and a start finds those newer than the town.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "autosave_place.h"
#include "support/scratch_files.h"

namespace {

const SceneBytes OLDER{1, 2, 3, 4, 5};
const SceneBytes NEWER{9, 8, 7, 6, 5, 4};

void set_mtime(const std::string& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

}  // namespace

TEST(AutosavePlace, TheOneBeforeBecomesAutosave1AndTheSameBytesAreNoNewAutosave) {
    ScratchDir dir;
    const AutosavePlaces places{dir.path(), ""};
    AutosaveResult kept = write_autosave(places, OLDER);
    EXPECT_EQ(kept.path, dir.file("autosave"));
    EXPECT_EQ(kept.previous, "");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"autosave"}));

    kept = write_autosave(places, NEWER);
    EXPECT_EQ(kept.path, dir.file("autosave"));
    EXPECT_EQ(kept.previous, dir.file("autosave.1"));
    EXPECT_TRUE(kept.refusals.empty());
    EXPECT_EQ(read_bytes(dir.file("autosave")), NEWER);
    EXPECT_EQ(read_bytes(dir.file("autosave.1")), OLDER);

    // Written twice (the display lost while the close is written): the one
    // before is still the last session's.
    kept = write_autosave(places, NEWER);
    EXPECT_EQ(kept.previous, "");
    EXPECT_EQ(read_bytes(dir.file("autosave.1")), OLDER);
}

TEST(AutosavePlace, AFolderThatRefusesSendsTheEditsToTheStateFolderAndLosesNothing) {
    ScratchDir dir;
    write_bytes(dir.file("plain file"), OLDER);
    const std::string state = dir.file("state/deeper/quillmoor");
    AutosaveResult kept = write_autosave({dir.file("plain file"), state}, NEWER);
    EXPECT_EQ(kept.path, state + "/autosave");
    EXPECT_EQ(read_bytes(state + "/autosave"), NEWER);
    ASSERT_EQ(kept.refusals.size(), 1u);
    EXPECT_EQ(kept.refusals[0].path, dir.file("plain file") + "/autosave");
    EXPECT_FALSE(kept.refusals[0].reason.empty());
    struct stat info {};
    ASSERT_EQ(stat(state.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the state folder is the user's alone";

    // The autosave there cannot be kept as autosave.1 (a folder stands in its
    // way): it is not overwritten, the edits go to the second place.
    ScratchDir work;
    write_bytes(work.file("autosave"), OLDER);
    ASSERT_EQ(mkdir(work.file("autosave.1").c_str(), 0700), 0);
    kept = write_autosave({work.path(), state}, SceneBytes{42});
    EXPECT_EQ(read_bytes(work.file("autosave")), OLDER);
    EXPECT_EQ(kept.path, state + "/autosave");
    EXPECT_EQ(kept.previous, state + "/autosave.1");
    EXPECT_EQ(read_bytes(state + "/autosave.1"), NEWER);
    EXPECT_EQ(read_bytes(state + "/autosave"), SceneBytes{42});

    // With no second place the edits go nowhere, and the result says so.
    kept = write_autosave({dir.file("plain file"), ""}, NEWER);
    EXPECT_EQ(kept.path, "");
    EXPECT_EQ(kept.refusals.size(), 1u);
}

TEST(AutosavePlace, TheStateFolderFollowsXdgStateHomeWhenItIsAbsoluteElseTheHome) {
    const char* was = std::getenv("XDG_STATE_HOME");
    const std::string kept = was != nullptr ? was : "";
    setenv("XDG_STATE_HOME", "/var/ada/state", 1);
    EXPECT_EQ(user_state_folder(), "/var/ada/state/quillmoor");
    setenv("XDG_STATE_HOME", "relative/state", 1);
    const std::string home_based = user_state_folder();
    EXPECT_EQ(home_based.rfind("/.local/state/quillmoor"), home_based.size() - 23) << home_based;
    EXPECT_EQ(home_based[0], '/') << home_based;
    was != nullptr ? setenv("XDG_STATE_HOME", kept.c_str(), 1) : unsetenv("XDG_STATE_HOME");
}

TEST(AutosavePlace, AStartFindsTheAutosavesNewerThanTheTownNewestFirst) {
    ScratchDir work, state;
    const std::string town = work.file("town");
    write_bytes(town, OLDER);
    write_bytes(work.file("autosave"), NEWER);
    write_bytes(state.file("autosave"), NEWER);
    set_mtime(town, 1000000);
    set_mtime(work.file("autosave"), 1000010);
    set_mtime(state.file("autosave"), 1000020);
    const AutosavePlaces places{work.path(), state.path()};
    EXPECT_EQ(autosaves_newer_than(places, town.c_str()),
              (std::vector<std::string>{state.file("autosave"), work.file("autosave")}));

    set_mtime(state.file("autosave"), 1000000);  // as old as the town: nothing to tell
    EXPECT_EQ(autosaves_newer_than(places, town.c_str()), (std::vector<std::string>{work.file("autosave")}));
    EXPECT_EQ(autosaves_newer_than({work.path(), work.path()}, town.c_str()).size(), 1u) << "one file, told once";

    std::remove(town.c_str());  // without a town every autosave is news
    EXPECT_EQ(autosaves_newer_than(places, town.c_str()).size(), 2u);
}
