// The text form of a scene: it reads back bit for bit, and a mistake in it
// is reported with its line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "scene_text.h"
#include "scene_test_support.h"

namespace {

SceneData through_text(const SceneData& scene) {
    const SceneTextParse parsed = scene_from_text(scene_to_text(scene));
    EXPECT_TRUE(parsed.ok) << parsed.reason;
    return parsed.scene;
}

std::string reason_for(const std::string& text) {
    const SceneTextParse parsed = scene_from_text(text);
    EXPECT_FALSE(parsed.ok);
    return parsed.reason;
}

const char* SETTINGS_TEXT =
    "light 0 13 0\nbspline 1\ntrain_speed 3\nshow_ties 0\nshow_points 1\nlighting 1\ntie_spacing 5\n"
    "post_interval 1\nphysics 1\ntotal_energy 2880\nspare_scalar 0\nfollow_distance 15\ngravity -20.8\n";

}  // namespace

TEST(SceneText, EveryFieldReadsBackBitForBit) {
    SceneData scene = small_scene();
    // Values that a careless printer loses: many digits, the smallest and
    // largest floats, negative zero, and a NaN payload where nothing checks.
    // (Positions stay within the town's bound; the largest float goes where
    // only the spare scalar can hold it.)
    scene.points[0] = {0.1f, 1.0f / 3.0f, -999.99994f};
    scene.points[1] = {std::numeric_limits<float>::denorm_min(), 16777215.0f / 65536, -0.0f};
    scene.objects[0].size = 1e-7f;
    scene.objects[1].type = -2147483647 - 1;
    const uint32_t payload = 0x7fc01234u;
    std::memcpy(&scene.settings.spare_scalar, &payload, 4);
    scene.settings.gravity = -20.8f;

    const SceneData back = through_text(scene);
    EXPECT_EQ(encode_scene(back), encode_scene(scene));
    EXPECT_TRUE(std::signbit(back.points[1].z));

    scene.settings.spare_scalar = std::numeric_limits<float>::max();
    EXPECT_EQ(encode_scene(through_text(scene)), encode_scene(scene));
}

TEST(SceneText, PrintsOneReadableLinePerPointAndObject) {
    const std::string text = scene_to_text(small_scene());
    EXPECT_NE(text.find("\npoint -2 1 -3  -2 5 -3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nobject 16  7.5 0 -6.25  1.5 5.5  # building 5 (large square block)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nobject 23  -9 0.5 2  1 4.5  # unknown type\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ntotal_energy 31234.5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\ngravity -15.5\n"), std::string::npos) << text;
}

TEST(SceneText, CommentsAndBlankLinesAreIgnored) {
    const std::string text = std::string("# a hand-written scene\n\n  point 1 2 3 4 5 6   # first\n") +
                             "object 7 12.5 0 15.5 1 4.5\n" + SETTINGS_TEXT;
    const SceneTextParse parsed = scene_from_text(text);
    ASSERT_TRUE(parsed.ok) << parsed.reason;
    ASSERT_EQ(parsed.scene.points.size(), 1u);
    EXPECT_EQ(parsed.scene.orient_points[0].z, 6.0f);
    ASSERT_EQ(parsed.scene.objects.size(), 1u);
    EXPECT_EQ(parsed.scene.objects[0].type, 7);
    EXPECT_EQ(parsed.scene.objects[0].z, 15.5f);
    EXPECT_EQ(parsed.scene.settings.total_energy, 2880.0f);
}

TEST(SceneText, MistakesAreReportedWithTheirLine) {
    EXPECT_EQ(reason_for(std::string("point 1 2 3\n") + SETTINGS_TEXT),
              "line 1: a point needs x y z and its orientation point's x y z");
    EXPECT_EQ(reason_for(std::string("\nobject 2.5 0 0 0 1 1\n") + SETTINGS_TEXT),
              "line 2: an object's type code must be an integer");
    EXPECT_EQ(reason_for(std::string("object 1 0 0 x 1 1\n") + SETTINGS_TEXT),
              "line 1: an object's position, size and height must be numbers");
    EXPECT_EQ(reason_for(std::string(SETTINGS_TEXT) + "gravity -9\n"), "line 14: gravity given twice");
    EXPECT_EQ(reason_for(std::string(SETTINGS_TEXT) + "speed 3\n"), "line 14: unknown line \"speed\"");
    EXPECT_EQ(reason_for("light 0 13 0\n"), "no bspline line");
    EXPECT_EQ(reason_for(std::string("point 1 2 3 4 1e39 6\n") + SETTINGS_TEXT),
              "line 1: a point's coordinates must be numbers");
    // The same checks as a scene file's.
    EXPECT_EQ(reason_for(std::string("point nan 2 3 4 5 6\n") + SETTINGS_TEXT),
              "control point 0 is not a finite position");
    std::string too_many;
    for (int i = 0; i < 101; ++i) too_many += "point 0 0 0 0 4 0\n";
    EXPECT_EQ(reason_for(too_many + SETTINGS_TEXT), "line 101: more than 100 track points");
}
