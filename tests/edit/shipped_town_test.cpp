// The town that ships beside the program: it loads at start-up with the train
// running, holds every kind of object, keeps its objects off the streets and
// out of the train's way, and its hills make the physics show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "scene_file.h"
#include "scene_text.h"
#include "track_walk.h"
#include "scene/scene_test_support.h"
#include "edit/edited_town.h"
#include "scene_file_commands.h"
#include "selection.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Ground rectangle an object's model covers, from the models' fixed
// dimensions; trees by their canopy.
struct Footprint {
    float x0, x1, z0, z1;
};

Footprint footprint_of(int type, const ControlPoint& o) {
    auto box = [&](float hx, float hz) { return Footprint{o.x - hx, o.x + hx, o.z - hz, o.z + hz}; };
    switch (type) {
        case 0: return box(o.size, o.size);
        case 1: return box(1.6f, 4.55f);
        case 2: return box(1.07f, 1.435f);
        case 3: return box(0.77f, 0.77f);
        case 4: return box(1.89f, 3.0f);
        case 5: return box(0.1925f, 0.1925f);
        case 6: return box(0.886f * 0.65f, 0.65f);
        case 7: case 9: return box(0.01f, 0.25f);   // sign in the plane x = x0
        case 8: case 10: return box(0.25f, 0.01f);  // sign in the plane z = z0
        case 11: return {o.x - 1.03f, o.x + 0.03f, o.z - 0.03f, o.z + 0.03f};  // arm toward -x
        case 12: return {o.x - 0.03f, o.x + 0.03f, o.z - 1.03f, o.z + 0.03f};  // arm toward -z
        case 13: return {o.x - 0.03f, o.x + 1.03f, o.z - 0.03f, o.z + 0.03f};  // arm toward +x
        case 14: return {o.x - 0.03f, o.x + 0.03f, o.z - 0.03f, o.z + 1.03f};  // arm toward +z
        case 15: return box(0.6155f, 0.6155f);
        case 16: return box(3.235f, 3.235f);
        case 17: return box(1.235f, 1.235f);
        case 18: return box(0.0f, 0.1f);
        default: return box(0.0f, 0.0f);
    }
}

// The concrete strips: 2 wide along x or z = -14, 0, 14 inside the town square.
bool on_a_street(const Footprint& f) {
    for (float c : {-14.0f, 0.0f, 14.0f}) {
        if (f.x1 > c - 1 && f.x0 < c + 1 && f.z1 > -15 && f.z0 < 15) return true;
        if (f.z1 > c - 1 && f.z0 < c + 1 && f.x1 > -15 && f.x0 < 15) return true;
    }
    return false;
}

class ShippedTown : public testing::Test {
protected:
    void SetUp() override {
        CaptureStdout();
        town = std::make_unique<EditedTown>();
        start_town(*town, town->editor, "town");
        printed = GetCapturedStdout();
    }
    std::unique_ptr<EditedTown> town;
    std::string printed;
};

}  // namespace

TEST_F(ShippedTown, LoadsAtStartUpWithTheTrainRunning) {
    EXPECT_EQ(printed, "") << "the build puts the compiled town in the working directory";
    EXPECT_GE(town->track.num_points, 12);
    EXPECT_LE(town->track.num_points, 30);
    EXPECT_EQ(town->train.train_running, 1);
    EXPECT_EQ(town->editor.selected_object, -1);
    EXPECT_GT(town->track.track_length, 0.0f);

    std::set<int> types(town->town_objects.object_type,
                        town->town_objects.object_type + town->town_objects.object_count);
    for (int code = 0; code < NUM_OBJECT_TYPES; ++code) EXPECT_EQ(types.count(code), 1u) << "no object of type " << code;
    EXPECT_EQ(types.size(), static_cast<std::size_t>(NUM_OBJECT_TYPES)) << "a type code no model draws";

    // Its text form gives back the very same file.
    const std::vector<unsigned char> bytes = read_bytes("town");
    const SceneDecode decoded = decode_scene(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded.ok) << decoded.reason;
    const SceneTextParse text = scene_from_text(scene_to_text(decoded.scene));
    ASSERT_TRUE(text.ok) << text.reason;
    EXPECT_EQ(encode_scene(text.scene), bytes);
}

TEST_F(ShippedTown, NoObjectStandsOnAStreet) {
    for (int i = 0; i < town->town_objects.object_count; ++i) {
        const Footprint f =
            footprint_of(town->town_objects.object_type[i], *town->town_objects.objects[i]);
        EXPECT_FALSE(on_a_street(f))
            << "object " << i << " of type " << town->town_objects.object_type[i] << " at ("
            << town->town_objects.objects[i]->x << ", " << town->town_objects.objects[i]->z << ")";
    }
}

TEST_F(ShippedTown, EveryApproachHasAStopSignFacingTheCarsThatStop) {
    // Front of each stop-sign code, as a ground direction (x, z).
    const float front[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};  // codes 7..10
    // Where a street leaves an intersection, cars arrive from: west, north, east, south.
    const float away[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    int approaches = 0;
    for (const auto& isect : town->traffic.intersections) {
        for (int exit = 0; exit < 4; ++exit) {
            if (isect->exits[exit] == 0) continue;
            ++approaches;
            const float ax = away[exit][0], az = away[exit][1];  // the approach, seen from the centre
            // The arriving car heads (-ax, -az); its right is (az, -ax).
            bool found = false;
            for (int i = 0; i < town->town_objects.object_count && !found; ++i) {
                const int type = town->town_objects.object_type[i];
                if (type < 7 || type > 10) continue;
                const float dx = town->town_objects.objects[i]->x - isect->center_x;
                const float dz = town->town_objects.objects[i]->z - isect->center_z;
                const float before = dx * ax + dz * az;
                const float right = dx * az - dz * ax;
                const bool faces_car = front[type - 7][0] == ax && front[type - 7][1] == az;
                found = faces_car && before > 1.0f && before < 2.5f && right > 1.0f && right < 2.5f;
            }
            EXPECT_TRUE(found) << "no sign for cars arriving at (" << isect->center_x << ", " << isect->center_z
                               << ") from direction " << exit;
        }
    }
    EXPECT_EQ(approaches, 24);
}

TEST_F(ShippedTown, TheTrainPassesThroughNothing) {
    // The track's ground shadow keeps clear of every object: the train runs
    // beside or over them, and no support post stands in one.
    constexpr float CLEARANCE = 0.6f;  // half a tie and then some
    for (int k = 0; k < 4000; ++k) {
        const Vec3 p = town->track_point(k / 4000.0f);
        for (int i = 0; i < town->town_objects.object_count; ++i) {
            const Footprint f =
                footprint_of(town->town_objects.object_type[i], *town->town_objects.objects[i]);
            const bool inside = p.x > f.x0 - CLEARANCE && p.x < f.x1 + CLEARANCE && p.z > f.z0 - CLEARANCE &&
                                p.z < f.z1 + CLEARANCE;
            ASSERT_FALSE(inside) << "track at (" << p.x << ", " << p.y << ", " << p.z
                                 << ") meets object " << i << " of type "
                                 << town->town_objects.object_type[i];
        }
        EXPECT_GT(p.y, 1.0f) << "the train runs above the ground";
    }
}

TEST_F(ShippedTown, HillsAndValleysShowInTheTrainsSpeed) {
    const float* y = town->track.sample_y;
    const float low = *std::min_element(y, y + NUM_SAMPLES);
    const float high = *std::max_element(y, y + NUM_SAMPLES);
    EXPECT_GT(high - low, 8.0f);
    // The stored energy carries the train over the highest crest at a
    // walking pace, and down in the valleys it runs three times as fast.
    float crest_speed = 1e9f, valley_speed = 0;
    for (int step = 0; step < 3000; ++step) {
        town->train_step();
        if (town->train.train_pos.y > high - 0.5f)
            crest_speed = std::min(crest_speed, town->train.train_speed);
        if (town->train.train_pos.y < low + 0.5f)
            valley_speed = std::max(valley_speed, town->train.train_speed);
    }
    EXPECT_GT(crest_speed, 4.0f);
    EXPECT_LT(crest_speed, 6.0f);
    EXPECT_GT(valley_speed, 3 * crest_speed);
}

TEST_F(ShippedTown, CurvesAreBankedThroughTheirOrientationPoints) {
    int banked = 0;
    for (int i = 0; i < town->track.num_points; ++i) {
        const Vec3 up =
            town->track.orient_points[i]->position() - town->track.points[i]->position();
        EXPECT_GT(up.y, 0.0f) << "the track is never upside down";
        const float tilt = std::atan2(std::hypot(up.x, up.z), up.y);
        if (tilt > 0.25f) ++banked;  // about 15 degrees
    }
    EXPECT_GE(banked, 4);
}

TEST_F(ShippedTown, TheTrainCrossesTheOpeningViewWithinSeconds) {
    // The free camera as the program opens, with the 45 degree field of view
    // of an 800 x 600 window: is the train in the picture?
    const Camera& camera = *town->editor.camera;
    const float tan_half = std::tan(22.5f * 3.14159265f / 180.0f);
    auto in_view = [&](Vec3 p) {
        const Vec3 d = p - camera.eye;
        const float ahead = dot(d, camera.look);
        return ahead > 1.0f && std::fabs(dot(d, camera.up)) < tan_half * ahead &&
               std::fabs(dot(d, camera.right)) < tan_half * 4.0f / 3.0f * ahead;
    };
    constexpr int STEPS_PER_SECOND = 1000 / 24;
    int first_seen = -1, seen = 0;
    for (int step = 0; step < 5 * STEPS_PER_SECOND; ++step) {
        town->train_step();
        if (!in_view(town->train.train_pos)) continue;
        if (first_seen < 0) first_seen = step;
        ++seen;
    }
    EXPECT_GE(first_seen, 0) << "the train stays out of the opening view for five seconds";
    EXPECT_LT(first_seen, 3 * STEPS_PER_SECOND);
    EXPECT_GT(seen, STEPS_PER_SECOND / 2) << "it is in view for half a second at least";
}

TEST_F(ShippedTown, PostsStandBetweenTheLanesAndNeverInACrossing) {
    // Cars run 0.25 either side of their lanes, 0.5 off the street's middle line.
    const float step = static_cast<float>(town->track.tie_spacing) / town->track.track_length;
    int ties = 0, on_streets = 0;
    for (TrackWalk walk(step, town->track.track_length, town->track.tie_spacing); walk.running();
         walk.advance()) {
        if (!walk.take_tie() || ++ties % town->track.post_interval != 0) continue;
        const Vec3 p = town->track_point(walk.t());
        if (!on_a_street({p.x - 0.1f, p.x + 0.1f, p.z - 0.1f, p.z + 0.1f})) continue;
        ++on_streets;
        EXPECT_LT(std::fabs(p.z) + 0.1f, 0.25f) << "a post in a lane at " << p.x << ", " << p.z;
        for (float cx : {-14.0f, 0.0f, 14.0f}) EXPECT_GT(std::fabs(p.x - cx), 1.5f) << "a post in a crossing";
    }
    EXPECT_GT(on_streets, 5);
}
