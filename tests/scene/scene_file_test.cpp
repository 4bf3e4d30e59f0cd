// Loading and saving scene files through the town: what a load replaces and
// keeps, that refused files change nothing, and that failed saves keep the
// old file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scene/scene_file.h"
#include "scene_test_support.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Everything a load could touch, so a refused one can be shown to change nothing.
struct TownSnapshot {
    std::vector<unsigned char> scene;
    int num_points, num_orient_points, object_count, selected_object, train_running, redraws;
    int tie_capacity, realtime_ties, bspline, frame_clock;
    float train_param, track_length, max_height, total_energy, gravity;
    const float* tie_data;
    bool operator==(const TownSnapshot& o) const {
        return scene == o.scene && num_points == o.num_points && num_orient_points == o.num_orient_points &&
               object_count == o.object_count && selected_object == o.selected_object &&
               train_running == o.train_running && redraws == o.redraws && tie_capacity == o.tie_capacity &&
               realtime_ties == o.realtime_ties && bspline == o.bspline && frame_clock == o.frame_clock &&
               train_param == o.train_param && track_length == o.track_length && max_height == o.max_height &&
               total_energy == o.total_energy && gravity == o.gravity && tie_data == o.tie_data;
    }
};

TownSnapshot snapshot(const CountingTown& t) {
    return {encode_scene(scene_of_town(t)), t.num_points, t.num_orient_points, t.object_count, t.selected_object,
            t.train_running, t.redraws, t.tie_capacity, t.realtime_ties, t.bspline, t.frame_clock,
            t.train_param, t.track_length, t.max_height, t.total_energy, t.gravity, t.tie_data.get()};
}

std::string load_and_capture(Town& town, const std::string& name) {
    CaptureStdout();
    town.load_scene(name.c_str());
    return GetCapturedStdout();
}

std::string save_and_capture(Town& town, const std::string& name) {
    CaptureStdout();
    town.save_scene(name.c_str());
    return GetCapturedStdout();
}

}  // namespace

TEST(SceneFile, SaveLoadSaveGivesTheSameBytes) {
    ScratchDir dir;
    const std::vector<unsigned char> original = encode_scene(small_scene());
    write_bytes(dir.file("original"), original);

    CountingTown first;
    EXPECT_EQ(load_and_capture(first, dir.file("original")), "");
    EXPECT_EQ(save_and_capture(first, dir.file("saved")), "");
    EXPECT_EQ(read_bytes(dir.file("saved")), original);

    CountingTown second;
    second.load_scene(dir.file("saved").c_str());
    second.save_scene(dir.file("again").c_str());
    EXPECT_EQ(read_bytes(dir.file("again")), original);
    EXPECT_EQ(second.object_type[1], 23);  // a code no model draws survives

    // The records carry the colours and scalars of their roles.
    const ControlPoint& point = *second.points[2];
    EXPECT_EQ(point.y, 6.0f);
    EXPECT_EQ(point.red, 255);
    EXPECT_EQ(point.blue, 0);
    EXPECT_EQ(point.size, 1.0f);
    EXPECT_EQ(point.third_scalar, 1.0f);
    const ControlPoint& orient = *second.orient_points[2];
    EXPECT_EQ(orient.x, 2.5f);
    EXPECT_EQ(orient.red, 0);
    EXPECT_EQ(orient.blue, 255);
    const ControlPoint& object = *second.objects[0];
    EXPECT_EQ(object.z, -6.25f);
    EXPECT_EQ(object.size, 1.5f);
    EXPECT_EQ(object.height, 5.5f);
    EXPECT_EQ(object.third_scalar, 1.0f);
    EXPECT_EQ(object.red + object.green + object.blue + object.alpha, 0);
    EXPECT_EQ(second.num_orient_points, 4);
    EXPECT_EQ(second.spare_scalar, 0.25f);
    EXPECT_EQ(second.follow_distance, 11.0f);
    EXPECT_EQ(second.light_pos.y, 12.0f);
}

TEST(SceneFile, StoredEnergyAndGravityWinOverTheRebuild) {
    ScratchDir dir;
    write_bytes(dir.file("scene"), encode_scene(small_scene()));
    CountingTown town;
    town.gravity = -40.0f;
    town.train_param = 0.375f;
    town.load_scene(dir.file("scene").c_str());

    // The track was rebuilt from the new points...
    EXPECT_GT(town.track_length, 0.0f);
    EXPECT_GE(town.max_height, 5.0f);
    EXPECT_EQ(town.sample_y[0], town.track_point(0).y);
    // ...but the energy and gravity are the file's, read after the rebuild.
    EXPECT_EQ(town.total_energy, 31234.5f);
    EXPECT_EQ(town.gravity, -15.5f);
    // More than two points start the train where it was.
    EXPECT_EQ(town.train_running, 1);
    EXPECT_EQ(town.frame_clock, 0);
    EXPECT_EQ(town.train_param, 0.375f);
    const Vec3 at = town.track_point(0.375f);
    EXPECT_EQ(town.train_pos.x, at.x);
    EXPECT_EQ(town.train_pos.z, at.z);
    EXPECT_EQ(town.redraws, 0);  // the running train redraws anyway

    // A train parameter outside the loop starts again from 0.
    town.train_param = 1.5f;
    town.load_scene(dir.file("scene").c_str());
    EXPECT_EQ(town.train_param, 0.0f);
}

TEST(SceneFile, LoadKeepsTheViewStateAndTheSelectionsStillInRange) {
    ScratchDir dir;
    write_bytes(dir.file("scene"), encode_scene(small_scene()));
    CountingTown town;
    town.camera_mode = 3;
    town.vehicle_view = 7;
    town.time_of_day = 0.8f;
    town.time_step = 0.0003f;
    town.new_object_type = 5;
    town.selected_object = 1;
    town.load_scene(dir.file("scene").c_str());
    EXPECT_EQ(town.camera_mode, 3);
    EXPECT_EQ(town.vehicle_view, 7);
    EXPECT_EQ(town.time_of_day, 0.8f);
    EXPECT_EQ(town.time_step, 0.0003f);
    EXPECT_EQ(town.new_object_type, 5);
    EXPECT_EQ(town.selected_object, 1);

    // A selection past the new list is dropped.
    SceneData one_object = small_scene();
    one_object.objects.resize(1);
    write_bytes(dir.file("one"), encode_scene(one_object));
    town.load_scene(dir.file("one").c_str());
    EXPECT_EQ(town.object_count, 1);
    EXPECT_EQ(town.selected_object, -1);
}

TEST(SceneFile, FewPointsLeaveTheTrainAsItWas) {
    ScratchDir dir;
    SceneData two_points = small_scene();
    two_points.points.resize(2);
    two_points.orient_points.resize(2);
    write_bytes(dir.file("two"), encode_scene(two_points));

    CountingTown running;
    running.train_running = 1;
    running.load_scene(dir.file("two").c_str());
    EXPECT_EQ(running.num_points, 2);
    EXPECT_EQ(running.train_running, 1);
    EXPECT_EQ(running.redraws, 0);

    CountingTown stopped;
    stopped.load_scene(dir.file("two").c_str());
    EXPECT_EQ(stopped.train_running, 0);
    EXPECT_EQ(stopped.redraws, 1);  // a stopped train needs the redraw asked for
}

TEST(SceneFile, RefusedFilesLeaveTheSceneUntouched) {
    ScratchDir dir;
    const std::vector<unsigned char> good = encode_scene(small_scene());
    write_bytes(dir.file("good"), good);
    CountingTown town;
    town.load_scene(dir.file("good").c_str());
    town.selected_object = 1;
    town.train_param = 0.25f;
    const TownSnapshot before = snapshot(town);

    auto expect_refused = [&](const std::string& name, const std::string& what) {
        const std::string printed = load_and_capture(town, name);
        const std::string head = "Error loading file \"" + name + "\"";
        EXPECT_EQ(printed.compare(0, head.size(), head), 0) << what << ": " << printed;
        EXPECT_GT(printed.size(), head.size() + 2) << what << ": no reason given";
        EXPECT_NE(printed.back(), '\n') << what;
        EXPECT_TRUE(snapshot(town) == before) << what;
    };

    const std::string bad = dir.file("bad");
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        write_bytes(bad, std::vector<unsigned char>(good.begin(), good.begin() + cut));
        expect_refused(bad, "truncated to " + std::to_string(cut));
    }
    std::vector<unsigned char> bytes = good;
    bytes.push_back(7);
    write_bytes(bad, bytes);
    expect_refused(bad, "a trailing byte");

    bytes.assign(scene_file_size(101, 0), 0);
    put_word(bytes, 0, 101);
    write_bytes(bad, bytes);
    expect_refused(bad, "101 points");

    bytes.assign(scene_file_size(0, 201), 0);
    put_word(bytes, 4, 201);
    write_bytes(bad, bytes);
    expect_refused(bad, "201 objects");

    bytes = good;
    put_word(bytes, 0, static_cast<uint32_t>(-4));
    write_bytes(bad, bytes);
    expect_refused(bad, "a negative point count");

    bytes = good;
    put_word(bytes, 100, static_cast<uint32_t>(-2));
    write_bytes(bad, bytes);
    expect_refused(bad, "a negative object count");

    bytes = good;
    float nan = std::numeric_limits<float>::quiet_NaN();
    uint32_t nan_bits = 0;
    std::memcpy(&nan_bits, &nan, 4);
    put_word(bytes, 32, nan_bits);  // control point 2 y
    write_bytes(bad, bytes);
    expect_refused(bad, "a NaN coordinate");

    expect_refused(dir.file("missing"), "a missing file");
    expect_refused(dir.file(""), "a directory");

    // Something longer than any scene is refused without reading it all.
    expect_refused("/dev/zero", "an endless file");
}

TEST(SceneFile, StartUpWithoutTheTownFileLeavesAnEmptyScene) {
    ScratchDir dir;
    const std::string name = dir.file("town");
    CaptureStdout();
    Town town(name.c_str());
    const std::string printed = GetCapturedStdout();
    EXPECT_EQ(printed, "Error loading file \"" + name + "\": No such file or directory");
    EXPECT_EQ(town.num_points, 0);
    EXPECT_EQ(town.object_count, 0);
    EXPECT_EQ(town.train_running, 0);
}

TEST(SceneFile, SaveReplacesTheFileKeepingItsModeAndLinks) {
    ScratchDir dir;
    write_bytes(dir.file("scene"), {1, 2, 3});
    chmod(dir.file("scene").c_str(), 0640);
    ASSERT_EQ(symlink("scene", dir.file("link").c_str()), 0);

    CountingTown town;
    write_bytes(dir.file("source"), encode_scene(small_scene()));
    town.load_scene(dir.file("source").c_str());
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

TEST(SceneFile, AWriteFailingPartWayKeepsTheOldFile) {
    ScratchDir dir;
    const std::vector<unsigned char> old_bytes = encode_scene(SceneData{});
    write_bytes(dir.file("scene"), old_bytes);

    SceneData big = small_scene();
    for (int i = 0; i < 30; ++i) big.objects.push_back({static_cast<float>(i), 0, 3, 1, 4.5f, 5});
    write_bytes(dir.file("big"), encode_scene(big));  // 68 + 96 + 768 bytes
    CountingTown town;
    town.load_scene(dir.file("big").c_str());
    std::remove(dir.file("big").c_str());

    int output[2];
    ASSERT_EQ(pipe(output), 0);
    std::fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Files may grow to 300 bytes here; the write past that fails with
        // EFBIG instead of killing the process.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{300, 300};
        setrlimit(RLIMIT_FSIZE, &limit);
        dup2(output[1], 1);
        town.save_scene(dir.file("scene").c_str());
        std::fflush(stdout);
        _exit(0);
    }
    close(output[1]);
    std::string printed;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(output[0], buffer, sizeof buffer)) > 0) printed.append(buffer, static_cast<std::size_t>(got));
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));

    const std::string head = "Error saving to file \"" + dir.file("scene") + "\": ";
    EXPECT_EQ(printed.compare(0, head.size(), head), 0) << printed;
    EXPECT_EQ(read_bytes(dir.file("scene")), old_bytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"scene"});
}
