// The byte form of a scene: where every field lands, and which byte images
// the decoder refuses before anything reaches the town.
#include <gtest/gtest.h>

#include <limits>

#include "scene_data.h"
#include "scene_test_support.h"

TEST(SceneBytes, EmptySceneIsSixtyEightBytesOfSettings) {
    const std::vector<unsigned char> bytes = encode_scene(SceneData{});
    ASSERT_EQ(bytes.size(), 68u);
    EXPECT_EQ(word_at(bytes, 0), 0u);               // no control points
    EXPECT_EQ(word_at(bytes, 4), 0u);               // no town objects
    EXPECT_EQ(word_at(bytes, 12), bits_of(13.0f));  // light y, first of the settings
    EXPECT_EQ(word_at(bytes, 64), bits_of(-20.8f)); // gravity, the last
}

TEST(SceneBytes, FourPointsAndTwoObjectsLandAtTheirOffsets) {
    const SceneData scene = small_scene();
    const std::vector<unsigned char> bytes = encode_scene(scene);
    ASSERT_EQ(bytes.size(), 212u);
    // Little-endian whatever the host: the count's low byte comes first.
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(word_at(bytes, 4), bits_of(-2.0f));     // control point 0 x
    EXPECT_EQ(word_at(bytes, 48), bits_of(4.0f));     // control point 3 z
    EXPECT_EQ(word_at(bytes, 52), bits_of(-2.0f));    // orientation point 0 x
    EXPECT_EQ(word_at(bytes, 60), bits_of(-3.0f));    // orientation point 0 z
    EXPECT_EQ(word_at(bytes, 80), bits_of(10.0f));    // orientation point 2 y
    EXPECT_EQ(word_at(bytes, 100), 2u);               // object count
    EXPECT_EQ(word_at(bytes, 104), bits_of(7.5f));    // object 0 x
    EXPECT_EQ(word_at(bytes, 116), bits_of(1.5f));    // object 0 size
    EXPECT_EQ(word_at(bytes, 120), bits_of(5.5f));    // object 0 height
    EXPECT_EQ(word_at(bytes, 124), bits_of(-9.0f));   // object 1 x
    EXPECT_EQ(word_at(bytes, 144), bits_of(1.5f));    // light x
    EXPECT_EQ(word_at(bytes, 148), bits_of(12.0f));   // light y
    EXPECT_EQ(word_at(bytes, 156), 0u);               // Catmull-Rom
    EXPECT_EQ(word_at(bytes, 160), bits_of(4.5f));    // train speed
    EXPECT_EQ(word_at(bytes, 164), 1u);               // ties shown
    EXPECT_EQ(word_at(bytes, 168), 0u);               // markers hidden
    EXPECT_EQ(word_at(bytes, 176), 7u);               // tie spacing
    EXPECT_EQ(word_at(bytes, 180), 3u);               // post interval
    EXPECT_EQ(word_at(bytes, 188), bits_of(31234.5f));
    EXPECT_EQ(word_at(bytes, 192), bits_of(0.25f));   // spare scalar
    EXPECT_EQ(word_at(bytes, 196), bits_of(11.0f));   // follow distance
    EXPECT_EQ(word_at(bytes, 200), bits_of(-15.5f));  // gravity
    EXPECT_EQ(word_at(bytes, 204), 16u);              // type codes
    EXPECT_EQ(word_at(bytes, 208), 23u);
}

TEST(SceneBytes, FullCapacityIsAccepted) {
    SceneData scene;
    for (int i = 0; i < 100; ++i) {
        scene.points.push_back({static_cast<float>(i), 1, 0});
        scene.orient_points.push_back({static_cast<float>(i), 5, 0});
    }
    scene.objects.resize(200);
    const std::vector<unsigned char> bytes = encode_scene(scene);
    EXPECT_EQ(bytes.size(), 68u + 2400u + 4800u);
    EXPECT_EQ(bytes.size(), SCENE_MAX_BYTES);
    EXPECT_TRUE(decode_scene(bytes.data(), bytes.size()).ok);
}

TEST(SceneBytes, NonFiniteValuesAndRangesAreRefused) {
    const std::vector<unsigned char> good = encode_scene(small_scene());
    const uint32_t nan = bits_of(std::numeric_limits<float>::quiet_NaN());
    const uint32_t inf = bits_of(std::numeric_limits<float>::infinity());
    struct Patch {
        std::size_t offset;
        uint32_t word;
        const char* reason;
    };
    const Patch patches[] = {
        {8, nan, "control point 0 is not a finite position"},
        {64, inf, "orientation point 1 is not a finite position"},
        {112, nan, "town object 0 has a position, size or height that is not finite"},
        {140, inf, "town object 1 has a position, size or height that is not finite"},
        {152, nan, "the light position is not finite"},
        {160, inf, "the train speed is not finite"},
        {188, nan, "the total energy is not finite"},
        {196, nan, "the follow distance is not finite"},
        {200, nan, "the gravity is not finite"},
        // Finite but beyond the town.
        {4, bits_of(3e38f), "control point 0 lies beyond 1000"},
        {56, bits_of(1000.0001f), "orientation point 0 lies beyond 1000"},
        {116, bits_of(-2e3f), "town object 0's position, size or height lies beyond 1000"},
        {148, bits_of(3e38f), "the light position lies beyond 1000"},
        {160, bits_of(150000.02f), "the train speed lies beyond 150000"},
        {188, bits_of(2e12f), "the total energy lies beyond 1e12"},
        {196, bits_of(1000.0001f), "the follow distance lies beyond 1000"},
        {200, bits_of(-100000.01f), "the gravity lies beyond 100000"},
        {176, 0, "tie spacing 0 outside 1..500"},
        {180, 51, "post interval 51 outside 1..50"},
    };
    for (const Patch& patch : patches) {
        std::vector<unsigned char> bytes = good;
        put_word(bytes, patch.offset, patch.word);
        const SceneDecode decoded = decode_scene(bytes.data(), bytes.size());
        EXPECT_FALSE(decoded.ok) << "offset " << patch.offset;
        EXPECT_EQ(decoded.reason, patch.reason);
    }
    // Right at the town's bound everything is still a scene.
    SceneData edge = small_scene();
    edge.points[0] = {-1000.0f, 1000.0f, 1000.0f};
    edge.settings.total_energy = -1e12f;
    edge.settings.train_speed = 150000.0f;
    edge.settings.gravity = 100000.0f;
    EXPECT_EQ(check_scene(edge), "");
}

