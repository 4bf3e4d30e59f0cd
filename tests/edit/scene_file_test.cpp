// Loading and saving scene files through the town: what a load replaces and
// keeps, that refused files change nothing, and that failed saves keep the
// old file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <limits>
#include <tuple>

#include "scene_file.h"
#include "scene/scene_test_support.h"
#include "edit/edited_town.h"
#include "scene_file_commands.h"
#include "selection.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Everything a load could touch, so a refused one can be shown to change nothing.
auto state_of(const CountingTown& t) {
    return std::make_tuple(
        encode_scene(scene_of_town(t)), t.track.num_points, t.track.num_orient_points,
        t.town_objects.object_count, t.editor.selected_object, t.train.train_running, t.redraws,
        t.track.tie_capacity, t.track.realtime_ties, t.track.bspline, t.clock.frame_clock,
        t.train.train_param, t.track.track_length, t.track.max_height, t.train.total_energy,
        t.train.gravity, t.track.tie_data.get());
}

std::string load_and_capture(CountingTown& town, const std::string& name) {
    CaptureStdout();
    load_scene(town, town.editor, name.c_str());
    return GetCapturedStdout();
}

std::string save_and_capture(CountingTown& town, const std::string& name) {
    CaptureStdout();
    save_scene(town, town.editor, name.c_str());
    return GetCapturedStdout();
}

}  // namespace

TEST(SceneFile, SaveLoadSaveGivesTheSameBytes) {
    ScratchDir dir;
    SceneData scene = small_scene();
    scene.objects[0].type = INT_MIN;                                       // object 1 has 23
    scene.settings.spare_scalar = std::numeric_limits<float>::quiet_NaN();  // read by nothing, kept
    const std::vector<unsigned char> original = encode_scene(scene);
    write_bytes(dir.file("original"), original);

    CountingTown first;
    EXPECT_EQ(load_and_capture(first, dir.file("original")), "");
    EXPECT_EQ(save_and_capture(first, dir.file("saved")), "");
    EXPECT_EQ(read_bytes(dir.file("saved")), original);
    CountingTown second;
    load_scene(second, second.editor, dir.file("saved").c_str());
    save_scene(second, second.editor, dir.file("again").c_str());
    EXPECT_EQ(read_bytes(dir.file("again")), original);

    // The records carry the colours and scalars of their roles.
    const ControlPoint& point = *second.track.points[2];
    EXPECT_EQ(point.red, 255);
    EXPECT_EQ(point.blue, 0);
    EXPECT_EQ(point.size, 1.0f);
    EXPECT_EQ(point.third_scalar, 1.0f);
    const ControlPoint& orient = *second.track.orient_points[2];
    EXPECT_EQ(orient.red, 0);
    EXPECT_EQ(orient.blue, 255);
    const ControlPoint& object = *second.town_objects.objects[0];
    EXPECT_EQ(object.third_scalar, 1.0f);
    EXPECT_EQ(object.red + object.green + object.blue + object.alpha, 0);
    EXPECT_EQ(second.track.num_orient_points, 4);
}

TEST(SceneFile, ALoadRebuildsTheTrackButKeepsTheStoredEnergyAndTheView) {
    ScratchDir dir;
    write_bytes(dir.file("scene"), encode_scene(small_scene()));
    CountingTown town;
    town.train.gravity = -40.0f;
    town.train.train_param = 0.375f;
    town.editor.camera_mode = 3;
    town.editor.vehicle_view = 7;
    town.sky.time_of_day = 0.8f;
    town.sky.time_step = 0.0003f;
    town.town_objects.new_object_type = 5;
    town.editor.selected_object = 1;
    load_scene(town, town.editor, dir.file("scene").c_str());

    // The track was rebuilt from the new points...
    EXPECT_GT(town.track.track_length, 0.0f);
    EXPECT_GE(town.track.max_height, 5.0f);
    EXPECT_EQ(town.track.sample_y[0], town.track_point(0).y);
    // ...but the energy and gravity are the file's, read after the rebuild.
    EXPECT_EQ(town.train.total_energy, 31234.5f);
    EXPECT_EQ(town.train.gravity, -15.5f);
    // More than two points start the train where it was.
    EXPECT_EQ(town.train.train_running, 1);
    EXPECT_EQ(town.clock.frame_clock, 0);
    EXPECT_EQ(town.train.train_param, 0.375f);
    const Vec3 at = town.track_point(0.375f);
    EXPECT_EQ(town.train.train_pos.x, at.x);
    EXPECT_EQ(town.train.train_pos.z, at.z);
    EXPECT_EQ(town.redraws, 0);  // the running train redraws anyway
    // The view, the clock and a selection still in range stay.
    EXPECT_EQ(town.editor.camera_mode, 3);
    EXPECT_EQ(town.editor.vehicle_view, 7);
    EXPECT_EQ(town.sky.time_of_day, 0.8f);
    EXPECT_EQ(town.sky.time_step, 0.0003f);
    EXPECT_EQ(town.town_objects.new_object_type, 5);
    EXPECT_EQ(town.editor.selected_object, 1);

    // A train parameter outside the loop starts again from 0, and a
    // selection past the new list is dropped.
    SceneData one_object = small_scene();
    one_object.objects.resize(1);
    write_bytes(dir.file("one"), encode_scene(one_object));
    town.train.train_param = 1.5f;
    load_scene(town, town.editor, dir.file("one").c_str());
    EXPECT_EQ(town.train.train_param, 0.0f);
    EXPECT_EQ(town.town_objects.object_count, 1);
    EXPECT_EQ(town.editor.selected_object, -1);
}

TEST(SceneFile, FewPointsLeaveTheTrainAsItWas) {
    ScratchDir dir;
    SceneData two_points = small_scene();
    two_points.points.resize(2);
    two_points.orient_points.resize(2);
    write_bytes(dir.file("two"), encode_scene(two_points));

    CountingTown running;
    running.train.train_running = 1;
    load_scene(running, running.editor, dir.file("two").c_str());
    EXPECT_EQ(running.track.num_points, 2);
    EXPECT_EQ(running.train.train_running, 1);
    EXPECT_EQ(running.redraws, 0);

    CountingTown stopped;
    load_scene(stopped, stopped.editor, dir.file("two").c_str());
    EXPECT_EQ(stopped.train.train_running, 0);
    EXPECT_EQ(stopped.redraws, 1);  // a stopped train needs the redraw asked for
}

TEST(SceneFile, RefusedFilesLeaveTheSceneUntouched) {
    ScratchDir dir;
    const std::vector<unsigned char> good = encode_scene(small_scene());
    write_bytes(dir.file("good"), good);
    CountingTown town;
    load_scene(town, town.editor, dir.file("good").c_str());
    town.editor.selected_object = 1;
    town.train.train_param = 0.25f;
    const auto before = state_of(town);

    // Refused with a message, no newline, and nothing changed; reason, when
    // given, is what the message must say.
    const std::string bad = dir.file("bad");
    auto expect_refused = [&](const std::string& name, const std::string& what, const std::string& reason = "") {
        const std::string printed = load_and_capture(town, name);
        const std::string head = "Error loading file \"" + name + "\": ";
        EXPECT_EQ(printed.compare(0, head.size(), head), 0) << what << ": " << printed;
        EXPECT_GT(printed.size(), head.size()) << what << ": no reason given";
        if (!reason.empty()) {
            EXPECT_EQ(printed, head + reason) << what;
        }
        EXPECT_NE(printed.back(), '\n') << what;
        EXPECT_TRUE(state_of(town) == before) << what;
    };
    auto expect_refused_bytes = [&](const std::vector<unsigned char>& bytes, const std::string& what,
                                    const std::string& reason = "") {
        write_bytes(bad, bytes);
        expect_refused(bad, what, reason);
    };

    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        expect_refused_bytes({good.begin(), good.begin() + cut}, "truncated to " + std::to_string(cut));
    }
    std::vector<unsigned char> bytes = good;
    bytes.push_back(7);
    expect_refused_bytes(bytes, "a trailing byte",
                         "213 bytes long, 212 expected for 4 control points and 2 town objects");
    // Counts past the arrays, with a length that would match them.
    bytes.assign(scene_file_size(101, 0), 0);
    put_word(bytes, 0, 101);
    expect_refused_bytes(bytes, "101 points", "control point count 101 outside 0..100");
    bytes.assign(scene_file_size(0, 201), 0);
    put_word(bytes, 4, 201);
    expect_refused_bytes(bytes, "201 objects", "town object count 201 outside 0..200");
    bytes = good;
    put_word(bytes, 0, static_cast<uint32_t>(-4));
    expect_refused_bytes(bytes, "a negative point count");
    bytes = good;
    put_word(bytes, 100, 0x80000000u);
    expect_refused_bytes(bytes, "the most negative object count", "town object count -2147483648 outside 0..200");
    bytes = good;
    put_word(bytes, 32, bits_of(std::numeric_limits<float>::quiet_NaN()));  // control point 2 y
    expect_refused_bytes(bytes, "a NaN coordinate", "control point 2 is not a finite position");
    bytes = good;
    put_word(bytes, 4, bits_of(3e38f));  // control point 0 at (3e38, 2.5e38, 1.5)
    put_word(bytes, 8, bits_of(2.5e38f));
    put_word(bytes, 12, bits_of(1.5f));
    expect_refused_bytes(bytes, "a point beyond the town", "control point 0 lies beyond 1000");

    expect_refused(dir.file("missing"), "a missing file", "No such file or directory");
    expect_refused(dir.file(""), "a directory", "it is a directory, not a file");
    // Something longer than any scene is refused without reading it all.
    const std::string huge = dir.file("huge");
    write_bytes(huge, {});
    ASSERT_EQ(truncate(huge.c_str(), off_t{1} << 40), 0);  // sparse: a terabyte of nothing
    expect_refused(huge, "a huge file", "longer than any scene file");
    // A device or a pipe is refused before it is opened: a pipe would wait
    // for a writer with the window frozen.
    expect_refused("/dev/zero", "an endless device", "it is a device, not a file");
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    expect_refused(dir.file("pipe"), "a pipe", "it is a pipe, not a file");
    ASSERT_EQ(symlink("pipe", dir.file("to pipe").c_str()), 0);
    expect_refused(dir.file("to pipe"), "a link to a pipe", "it is a pipe, not a file");
    ASSERT_EQ(symlink("good", dir.file("to good").c_str()), 0);
    EXPECT_EQ(load_and_capture(town, dir.file("to good")), "") << "a link to a scene loads it";
}

TEST(SceneFile, StartUpWithoutTheTownFileLeavesAnEmptyScene) {
    ScratchDir dir;
    const std::string name = dir.file("town");
    CaptureStdout();
    EditedTown town;
    start_town(town, town.editor, name.c_str());
    const std::string printed = GetCapturedStdout();
    // Its line ends: the texture loader's lines follow at once.
    EXPECT_EQ(printed, "Error loading file \"" + name + "\": No such file or directory\n");
    EXPECT_EQ(town.track.num_points, 0);
    EXPECT_EQ(town.town_objects.object_count, 0);
    EXPECT_EQ(town.train.train_running, 0);
}

TEST(SceneFile, SaveReplacesTheFileKeepingItsModeAndLinks) {
    ScratchDir dir;
    write_bytes(dir.file("scene"), {1, 2, 3});
    chmod(dir.file("scene").c_str(), 0640);
    ASSERT_EQ(symlink("scene", dir.file("link").c_str()), 0);

    CountingTown town;
    write_bytes(dir.file("source"), encode_scene(small_scene()));
    load_scene(town, town.editor, dir.file("source").c_str());
    EXPECT_EQ(save_and_capture(town, dir.file("link")), "");

    EXPECT_EQ(read_bytes(dir.file("scene")), encode_scene(small_scene()));
    struct stat info {};
    ASSERT_EQ(lstat(dir.file("link").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(dir.file("scene").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.entries().size(), 3u);  // scene, link, source: no temporary left
}

TEST(SceneFile, SaveIntoAMissingDirectoryReportsAndWritesNothing) {
    ScratchDir dir;
    CountingTown town;
    const std::string name = dir.file("nowhere") + "/scene";
    EXPECT_EQ(save_and_capture(town, name),
              "Error saving to file \"" + name + "\": No such file or directory");
    EXPECT_TRUE(dir.entries().empty());
}

TEST(SceneFile, SaveRefusesWhatIsNotAFileAndLeavesItAsItWas) {
    // A rename over a pipe, a device or a folder would remove it, and writing
    // into a pipe waits for a reader; a link to nothing would be replaced by
    // a file of its own. Each is refused, and no temporary file is left.
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    ASSERT_EQ(mkdir(dir.file("folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink("pipe", dir.file("to pipe").c_str()), 0);
    ASSERT_EQ(symlink("gone", dir.file("to nothing").c_str()), 0);
    const std::vector<std::string> before = dir.entries();
    CountingTown town;
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {{"pipe", "it is a pipe, not a file"},
                 {"folder", "it is a directory, not a file"},
                 {"to pipe", "it is a pipe, not a file"},
                 {"to nothing", "it is a link to a file that does not exist"}};
    for (const auto& c : cases) {
        const std::string name = dir.file(c.name);
        EXPECT_EQ(save_and_capture(town, name), "Error saving to file \"" + name + "\": " + c.reason);
    }
    EXPECT_EQ(dir.entries(), before);
    struct stat info {};
    EXPECT_TRUE(lstat(dir.file("pipe").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(lstat(dir.file("to nothing").c_str(), &info) == 0 && S_ISLNK(info.st_mode));
    EXPECT_EQ(town.editor.scene_file_syncs, 0) << "a refused save counts as one";
}

TEST(SceneFile, AWriteFailingPartWayKeepsTheOldFile) {
    ScratchDir dir;
    const std::vector<unsigned char> old_bytes = encode_scene(SceneData{});
    write_bytes(dir.file("scene"), old_bytes);

    SceneData big = small_scene();
    for (int i = 0; i < 30; ++i) big.objects.push_back({static_cast<float>(i), 0, 3, 1, 4.5f, 5});
    write_bytes(dir.file("big"), encode_scene(big));  // 68 + 96 + 768 bytes
    CountingTown town;
    load_scene(town, town.editor, dir.file("big").c_str());
    std::remove(dir.file("big").c_str());

    ScratchDir elsewhere;
    std::fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Files may grow to 300 bytes here; the write past that fails with
        // EFBIG instead of killing the process.
        if (std::freopen(elsewhere.file("printed").c_str(), "w", stdout) == nullptr) _exit(2);
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{300, 300};
        setrlimit(RLIMIT_FSIZE, &limit);
        save_scene(town, town.editor, dir.file("scene").c_str());
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::vector<unsigned char> out = read_bytes(elsewhere.file("printed"));
    const std::string printed(out.begin(), out.end());

    const std::string head = "Error saving to file \"" + dir.file("scene") + "\": ";
    EXPECT_EQ(printed.compare(0, head.size(), head), 0) << printed;
    EXPECT_EQ(read_bytes(dir.file("scene")), old_bytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"scene"});
}
