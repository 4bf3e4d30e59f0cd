// The bounds a scene must keep agree with what the program does to it:
// whatever the train, the physics keys and a rebuild make of a scene at the
// bounds can be saved and loaded back, and a track too long to draw is
// refused when it is loaded.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "scene_file.h"
#include "scene_text.h"
#include "scene/scene_test_support.h"
#include "town_bounds.h"
#include "track_measure.h"
#include "edit/edited_town.h"
#include "town.h"
#include "scene_file_commands.h"
#include "selection.h"

namespace {

constexpr float B = TOWN_MAX_COORDINATE;

// The reason the scene the town would save now cannot be loaded back, or
// empty when it can.
std::string reload_refusal(const Town& town) {
    const std::vector<unsigned char> bytes = encode_scene(scene_of_town(town));
    return decode_scene(bytes.data(), bytes.size()).reason;
}

// A few tall points at the bound, so the train dives through the whole
// height of the town while the track stays short enough to draw.
SceneData tall_scene(float energy, float gravity, int bspline, int physics) {
    SceneData scene = small_scene();
    scene.points = {{0, B, 0}, {3, -B, 0}, {0, -B, 3}, {-3, B, -3}};
    scene.orient_points = scene.points;
    for (Vec3& q : scene.orient_points) q.y = q.y > 0 ? B : -B + 4;
    scene.settings.total_energy = energy;
    scene.settings.gravity = gravity;
    scene.settings.bspline = bspline;
    scene.settings.physics = physics;
    scene.settings.train_speed = TOWN_MAX_SPEED;
    return scene;
}

// Steps the train, and now and then a physics key, checking after each
// that the scene still reloads.
void run_and_check(Town& town, std::mt19937& random, int steps, const std::string& what) {
    for (int i = 0; i < steps; ++i) {
        town.train_step();
        switch (random() % 8) {
            case 0: town.raise_energy(); break;
            case 1: town.lower_energy(); break;
            case 2: town.stronger_gravity(); break;
            case 3: town.weaker_gravity(); break;
            case 4: town.recompute_energy(); break;
            case 5: town.toggle_physics(); break;
            default: break;
        }
        const std::string refusal = reload_refusal(town);
        ASSERT_EQ(refusal, "") << what << ", step " << i << ", speed " << town.train.train_speed
                               << ", energy " << town.train.total_energy;
    }
}

TEST(SceneBounds, TheTrainRunFromTheExtremesSavesASceneThatLoadsBack) {
    std::mt19937 random(21);
    EditedTown town;  // one town throughout: each scene inherits the last one's summit
    for (const float energy : {TOWN_MAX_ENERGY, 6e11f, -TOWN_MAX_ENERGY, 0.0f}) {
        for (const float gravity : {-TOWN_MAX_GRAVITY, TOWN_MAX_GRAVITY, -100.5f}) {
            for (const int bspline : {0, 1}) {
                const SceneData scene = tall_scene(energy, gravity, bspline, 1);
                ASSERT_EQ(check_scene(scene), "");
                install_scene(town, scene);
                std::ostringstream what;
                what << "energy " << energy << ", gravity " << gravity << ", basis " << bspline;
                run_and_check(town, random, 40, what.str());
            }
        }
    }
}

TEST(SceneBounds, RandomScenesWithinTheBoundsStayLoadableWhateverTheyDo) {
    std::mt19937 random(1921);
    auto anywhere = [&](float bound) { return std::uniform_real_distribution<float>(-bound, bound)(random); };
    EditedTown town;
    for (int trial = 0; trial < 60; ++trial) {
        SceneData scene = small_scene();
        // Three points anywhere in the town make a track short enough to keep.
        scene.points.resize(3);
        scene.orient_points.resize(3);
        for (std::size_t i = 0; i < 3; ++i) {
            scene.points[i] = {anywhere(B), anywhere(B), anywhere(B)};
            scene.orient_points[i] = {anywhere(B), anywhere(B), anywhere(B)};
        }
        SceneSettings& s = scene.settings;
        s.bspline = static_cast<int>(random() % 2);
        s.physics = static_cast<int>(random() % 2);
        s.total_energy = anywhere(TOWN_MAX_ENERGY);
        s.gravity = anywhere(TOWN_MAX_GRAVITY);
        s.train_speed = anywhere(TOWN_MAX_SPEED);
        if (check_scene(scene) != "") continue;  // a track too long: refused, as the next test shows
        install_scene(town, scene);
        run_and_check(town, random, 25, "trial " + std::to_string(trial));
    }
}

TEST(SceneBounds, ATrackTooLongToDrawIsRefusedAndTheHeaviestTownIsNot) {
    // The heaviest town the benchmarks use loads, in either basis.
    std::ifstream file(QUILL_SOURCE_DIR "/bench/heaviest_town.txt");
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    SceneTextParse heaviest = scene_from_text(text.str());
    ASSERT_TRUE(heaviest.ok) << heaviest.reason;
    heaviest.scene.settings.bspline = 0;
    EXPECT_EQ(check_scene(heaviest.scene), "");

    // The same ring half as wide again, well within the town's bound, needs
    // about 47 000 ties at the closest spacing, however wide its own.
    SceneData far = heaviest.scene;
    for (Vec3& p : far.points) p = p * 1.5f;
    far.settings.bspline = 1;
    far.settings.tie_spacing = 500;
    const std::string reason = check_scene(far);
    EXPECT_EQ(reason.rfind("the track would need more than 40000 ties (it is ", 0), 0u) << reason;
    const std::vector<unsigned char> bytes = encode_scene(far);
    EXPECT_FALSE(decode_scene(bytes.data(), bytes.size()).ok);

    // Loading it changes nothing and says why.
    EditedTown town;
    install_scene(town, small_scene());
    const std::vector<unsigned char> before = encode_scene(scene_of_town(town));
    const std::string name = "scene_bounds_far_scene";
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    testing::internal::CaptureStdout();
    load_scene(town, town.editor, name.c_str());
    const std::string said = testing::internal::GetCapturedStdout();
    std::remove(name.c_str());
    EXPECT_EQ(said.rfind("Error loading file \"scene_bounds_far_scene\": the track would need more than", 0), 0u)
        << said;
    EXPECT_EQ(encode_scene(scene_of_town(town)), before);
}

}  // namespace
