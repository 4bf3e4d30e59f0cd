// The track as drawn: the centre line, the ties with their texture variants
// and posts, the tie table between passes, the markers and the cube they
// are made of, checked in feedback mode and by pixel probes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "models/world_blocks.h"
#include "models/world_view.h"
#include "support/gl_context.h"
#include "track/track_fixture.h"
#include "view/town.h"

namespace {

constexpr float TIE_RGB[3] = {129 / 255.0f, 114 / 255.0f, 61 / 255.0f};

class TrackDrawGl : public ::testing::Test {
protected:
    void SetUp() override {
        view.look({23, 31, 37}, {1, 2, 0}, {0, 1, 0}, 20, context.width(), context.height());
        town.time_of_day = 0.5f;
        town.lighting = 0;
    }

    std::vector<FeedbackPrimitive> track(int pass) {
        return capture_feedback([&] { draw_track(town, pass); });
    }

    static bool is_tie(const FeedbackPrimitive& p) {
        return p.kind == FeedbackPrimitive::Polygon && colour_is(p.vertices[0], TIE_RGB[0], TIE_RGB[1], TIE_RGB[2]);
    }
    static bool is_post(const FeedbackPrimitive& p) {
        return p.kind == FeedbackPrimitive::Polygon && colour_is(p.vertices[0], 0.5f, 0.5f, 0.5f);
    }

    Vec3 centre_of(const std::vector<FeedbackPrimitive>& prims) const {
        Vec3 sum;
        int n = 0;
        for (const FeedbackPrimitive& p : prims) {
            for (const FeedbackVertex& v : p.vertices) {
                sum = sum + view.world(v);
                ++n;
            }
        }
        return n > 0 ? sum / static_cast<float>(n) : sum;
    }

    float highest_line_point(const std::vector<FeedbackPrimitive>& prims) const {
        float top = -std::numeric_limits<float>::max();
        for (const FeedbackPrimitive& p : of_kind(prims, FeedbackPrimitive::Line)) {
            for (const FeedbackVertex& v : p.vertices) top = std::fmax(top, view.world(v).y);
        }
        return top;
    }

    OffscreenContext context{160, 120};
    Town town{nullptr};
    WorldView view;
};

float distance(Vec3 a, Vec3 b) { return length(a - b); }

// A town whose tie table cannot be allocated.
struct TownWithoutTieTable : Town {
    TownWithoutTieTable() : Town(nullptr) {}
    float* allocate_tie_table(std::size_t) override { return nullptr; }
};

}  // namespace

TEST_F(TrackDrawGl, CentreLineIsAClosedGreyPolylineOfTieSpacingSteps) {
    lay_hilly_loop(town);
    const auto lines = of_kind(track(0), FeedbackPrimitive::Line);
    ASSERT_GT(lines.size(), 10u);
    EXPECT_NEAR(static_cast<float>(lines.size()), town.track_length / town.tie_spacing, 2.0f);
    EXPECT_LT(distance(view.world(lines.front().vertices[0]), town.track_point(0)), 1e-3f);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const FeedbackPrimitive& next = lines[(k + 1) % lines.size()];
        EXPECT_LT(distance(view.world(lines[k].vertices[1]), view.world(next.vertices[0])), 1e-3f)
            << "the line breaks after piece " << k;
        EXPECT_TRUE(colour_is(lines[k].vertices[0], 0.3f, 0.3f, 0.3f));
    }

    // A longer spacing draws fewer, longer pieces.
    town.tie_spacing = 11;
    town.rebuild_track();
    const auto coarse = of_kind(track(0), FeedbackPrimitive::Line);
    EXPECT_NEAR(static_cast<float>(coarse.size()), town.track_length / 11, 2.0f);
    EXPECT_LT(coarse.size(), lines.size() / 2);
}

TEST_F(TrackDrawGl, EveryCountedTieIsDrawnWithTheNextOfEightImages) {
    lay_hilly_loop(town);
    town.show_ties = 1;
    std::vector<FeedbackPrimitive> ties;
    for (const FeedbackPrimitive& p : track(0)) {
        if (is_tie(p)) ties.push_back(p);
    }
    ASSERT_GT(town.num_ties, 16);
    ASSERT_EQ(ties.size(), 12u * static_cast<std::size_t>(town.num_ties));  // six faces, two triangles each

    for (int k = 1; k <= town.num_ties; ++k) {
        const int variant = k % 8;  // the first tie shows image 1
        float s_min = 2, s_max = -1;
        for (int i = 0; i < 12; ++i) {
            for (const FeedbackVertex& v : ties[static_cast<std::size_t>(12 * (k - 1) + i)].vertices) {
                s_min = std::fmin(s_min, v.s);
                s_max = std::fmax(s_max, v.s);
            }
        }
        EXPECT_NEAR(s_min, variant / 8.0f, 1e-5) << "tie " << k;
        EXPECT_NEAR(s_max, (variant + 1) / 8.0f, 1e-5) << "tie " << k;
    }

    // Each tie is a closed box wound outward: seen from any side, the faces
    // turned toward the viewer cover as much as those turned away, and lie
    // in front of them.
    const std::vector<FeedbackPrimitive> first_tie(ties.begin(), ties.begin() + 12);
    const Vec3 centre = centre_of(first_tie);
    for (const Vec3 dir : test_directions()) {
        view.look(centre + 10 * dir, centre, up_for(dir), 0.6f, context.width(), context.height());
        std::vector<FeedbackPrimitive> one;
        for (const FeedbackPrimitive& p : track(0)) {
            if (is_tie(p) && one.size() < 12) one.push_back(p);
        }
        const Sides s = sides_seen(one);
        EXPECT_NEAR(s.front_area, s.back_area, 0.002f * (s.front_area + s.back_area) + 0.5f);
        EXPECT_LT(s.front_depth, s.back_depth);
    }
}

TEST_F(TrackDrawGl, PostsStandUnderEveryIntervalthTieWhereTheTrackIsUpright) {
    lay_hilly_loop(town);
    town.show_ties = 1;
    town.post_interval = 3;

    // Walk the primitives in drawing order: a post comes just before the
    // tie it carries.
    auto posts_under = [&](std::vector<int>& carried) {
        carried.clear();
        int ties_seen = 0;
        bool post_pending = false;
        int tie_triangles = 0;
        for (const FeedbackPrimitive& p : track(0)) {
            if (is_post(p)) post_pending = true;
            if (!is_tie(p)) continue;
            if (tie_triangles++ % 12 != 0) continue;
            ++ties_seen;
            if (post_pending) carried.push_back(ties_seen);
            post_pending = false;
        }
    };

    std::vector<int> carried;
    posts_under(carried);
    ASSERT_EQ(static_cast<int>(carried.size()), town.num_ties / 3);
    for (std::size_t i = 0; i < carried.size(); ++i) EXPECT_EQ(carried[i], 3 * static_cast<int>(i + 1));

    // An interval of 0 (only a damaged scene file could bring one) puts a
    // post under every tie rather than dividing by zero.
    town.post_interval = 0;
    posts_under(carried);
    EXPECT_EQ(static_cast<int>(carried.size()), town.num_ties);
    town.post_interval = 3;

    // A post reaches from the ground to just below its tie.
    std::vector<FeedbackPrimitive> post, tie;
    for (const FeedbackPrimitive& p : track(0)) {
        if (is_post(p) && post.size() < 8) post.push_back(p);
        if (is_tie(p) && tie.size() < 36) tie.push_back(p);
    }
    const std::vector<FeedbackPrimitive> third_tie(tie.begin() + 24, tie.end());
    const Vec3 tie_centre = centre_of(third_tie);
    float low = 1e9f, high = -1e9f;
    for (const FeedbackPrimitive& p : post) {
        for (const FeedbackVertex& v : p.vertices) {
            const Vec3 w = view.world(v);
            low = std::fmin(low, w.y);
            high = std::fmax(high, w.y);
            EXPECT_NEAR(std::fabs(w.x - tie_centre.x), 0.1f, 1e-3f);
            EXPECT_NEAR(std::fabs(w.z - tie_centre.z), 0.1f, 1e-3f);
        }
    }
    EXPECT_NEAR(low, 0.0f, 1e-3f);
    EXPECT_NEAR(high, tie_centre.y - 0.05f, 1e-3f);

    // Turn part of the track over: no post under the upside-down stretch,
    // and still only under every third tie.
    town.orient_points[2]->y = town.points[2]->y - 4;
    town.orient_points[3]->y = town.points[3]->y - 4;
    town.rebuild_orientation();
    posts_under(carried);
    EXPECT_GT(carried.size(), 0u);
    EXPECT_LT(static_cast<int>(carried.size()), town.num_ties / 3);
    for (const int k : carried) EXPECT_EQ(k % 3, 0);

    // Entirely upside down: ties but no posts.
    lay_track(town, {{-6.0f, 1.0f, -4.0f}, {7.0f, 2.5f, -5.0f}, {8.5f, 4.0f, 6.0f}, {-5.0f, 0.5f, 3.5f}}, -4.0f);
    posts_under(carried);
    EXPECT_TRUE(carried.empty());
    int ties = 0;
    for (const FeedbackPrimitive& p : track(0)) ties += is_tie(p) ? 1 : 0;
    EXPECT_EQ(ties, 12 * town.num_ties);
}

TEST_F(TrackDrawGl, TieTableIsWrittenAfterAnEditAndReadByLaterPasses) {
    lay_hilly_loop(town);
    town.show_ties = 1;
    ASSERT_EQ(town.realtime_ties, 0);
    ASSERT_EQ(town.track_edited, 1);
    float* table = town.tie_data.get();
    const int used = town.num_ties * TIE_FRAME_FLOATS;
    const int size = town.tie_capacity * TIE_FRAME_FLOATS;
    ASSERT_GT(size, used);
    for (int i = 0; i < size; ++i) table[i] = std::numeric_limits<float>::quiet_NaN();

    const float normal_top = highest_line_point(track(0));
    EXPECT_EQ(town.track_edited, 0);
    for (int k = 0; k < town.num_ties; ++k) {
        const float* e = table + k * TIE_FRAME_FLOATS;
        const Vec3 offset{e[0], e[1], e[2]}, up{e[3], e[4], e[5]}, tangent{e[6], e[7], e[8]}, right{e[9], e[10], e[11]};
        ASSERT_TRUE(is_finite(offset) && is_finite(up) && is_finite(tangent) && is_finite(right)) << "entry " << k;
        EXPECT_NEAR(length(up), 1, 1e-5);
        EXPECT_NEAR(length(tangent), 1, 1e-5);
        EXPECT_NEAR(length(right), 1, 1e-5);
        EXPECT_NEAR(dot(up, tangent), 0, 1e-5);
        EXPECT_NEAR(dot(right, tangent), 0, 1e-5);
        EXPECT_LT(length(offset - 0.24f * right), 1e-6f);
    }
    for (int i = used; i < size; ++i) EXPECT_TRUE(std::isnan(table[i])) << "float " << i << " written past the ties";

    // Lift the first tie's left rail by 10 in the table: the shadow pass of
    // the same frame and the next normal pass draw what the table says.
    table[1] += 10;
    EXPECT_GT(highest_line_point(track(1)), normal_top + 5);
    EXPECT_GT(highest_line_point(track(0)), normal_top + 5);

    // An edit makes the next pass compute and store the frames again.
    town.track_edited = 1;
    EXPECT_NEAR(highest_line_point(track(0)), normal_top, 1e-3f);
    EXPECT_NEAR(table[1], table[10] * 0.24f, 1e-6f);
}

TEST_F(TrackDrawGl, MoreTiesThanTheTableHoldsAreDrawnWithoutWritingPastIt) {
    lay_hilly_loop(town);
    town.show_ties = 1;
    town.tie_spacing = 1;  // three times the ties the table was sized for
    int ties = 0;
    for (const FeedbackPrimitive& p : track(0)) ties += is_tie(p) ? 1 : 0;
    EXPECT_GT(ties, 12 * town.tie_capacity);
    EXPECT_TRUE(all_finite(track(1)));
}

TEST_F(TrackDrawGl, WithoutATableEveryPassComputesTheTies) {
    // Upside down, so no posts: every polygon is part of a tie.
    TownWithoutTieTable bare;
    lay_track(bare, {{-6.0f, 1.0f, -4.0f}, {7.0f, 2.5f, -5.0f}, {8.5f, 4.0f, 6.0f}, {-5.0f, 0.5f, 3.5f}}, -4.0f);
    ASSERT_EQ(bare.realtime_ties, 1);
    ASSERT_EQ(bare.tie_data, nullptr);
    bare.show_ties = 1;
    bare.lighting = 0;
    for (int pass = 0; pass < 2; ++pass) {
        int tie_triangles = 0;
        const auto drawn = capture_feedback([&] { draw_track(bare, pass); });
        tie_triangles = static_cast<int>(of_kind(drawn, FeedbackPrimitive::Polygon).size());
        EXPECT_EQ(tie_triangles, 12 * bare.num_ties) << "pass " << pass;
    }
}

TEST_F(TrackDrawGl, DegenerateTieFramesLeaveNoNaNInTheTableOrThePicture) {
    // Orientation points on the control points: no up direction anywhere.
    lay_track(town, {{-6.0f, 1.0f, -4.0f}, {7.0f, 2.5f, -5.0f}, {8.5f, 4.0f, 6.0f}, {-5.0f, 0.5f, 3.5f}}, 0.0f);
    town.show_ties = 1;
    ASSERT_GT(town.num_ties, 0);
    EXPECT_TRUE(track(0).empty());
    for (int i = 0; i < town.num_ties * TIE_FRAME_FLOATS; ++i) EXPECT_EQ(town.tie_data.get()[i], 0.0f);
    EXPECT_TRUE(track(1).empty());  // the shadow pass reads the skipped ties
}

TEST_F(TrackDrawGl, ATieTableEntrySpoiltByNaNIsLeftOut) {
    lay_hilly_loop(town);
    town.show_ties = 1;
    track(0);
    town.tie_data.get()[4 * TIE_FRAME_FLOATS + 3] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(all_finite(track(1)));
    int ties = 0;
    for (const FeedbackPrimitive& p : track(0)) ties += is_tie(p) ? 1 : 0;
    EXPECT_EQ(ties, 12 * (town.num_ties - 1));
}

TEST(TieFrame, UpIsTheOrientationPointSeenAcrossTheTrack) {
    // Level track heading +x, orientation point straight above: up +y, right
    // toward +z (the right hand when facing east is south).
    std::optional<TieFrame> f = compute_tie_frame({0, 0, 0}, {2, 0, 0}, {0, 3, 0});
    ASSERT_TRUE(f.has_value());
    EXPECT_NEAR(f->up.y, 1, 1e-6);
    EXPECT_NEAR(f->right.z, 1, 1e-6);
    EXPECT_NEAR(f->offset.z, 0.24f, 1e-6);

    // Climbing and banked: up is the part of q - p across the tangent.
    const Vec3 p{1, 2, 3}, d{3, 1, -2}, q{0, 6, 5};
    f = compute_tie_frame(p, d, q);
    ASSERT_TRUE(f.has_value());
    const Vec3 tangent = d / length(d);
    const Vec3 across = (q - p) - dot(q - p, tangent) * tangent;
    EXPECT_LT(length(f->up - across / length(across)), 1e-5f);
    EXPECT_LT(length(f->tangent - tangent), 1e-6f);
    EXPECT_LT(length(f->right - cross(tangent, f->up)), 1e-5f);

    EXPECT_FALSE(compute_tie_frame(p, {0, 0, 0}, q).has_value());          // no direction
    EXPECT_FALSE(compute_tie_frame(p, d, p + 2.5f * d).has_value());        // q on the tangent line
    EXPECT_FALSE(compute_tie_frame(p, d, p).has_value());                   // q on the track
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(compute_tie_frame(p, {nan, 0, 1}, q).has_value());
}

TEST_F(TrackDrawGl, NoTrackInTheNightShadowButTheEditFlagIsAlwaysCleared) {
    lay_hilly_loop(town);
    for (const float t : {0.2499f, 0.7501f, 0.1f}) {
        town.time_of_day = t;
        town.track_edited = 1;
        EXPECT_TRUE(track(1).empty()) << "t = " << t;
        EXPECT_EQ(town.track_edited, 0);
    }
    for (const float t : {0.25f, 0.75f}) {
        town.time_of_day = t;
        EXPECT_FALSE(track(1).empty()) << "t = " << t;
    }
    // Too few points for a track: nothing, and the flag still falls.
    lay_track(town, {{1, 1, 1}, {4, 1, 2}});
    town.track_edited = 1;
    EXPECT_TRUE(track(0).empty());
    EXPECT_EQ(town.track_edited, 0);
}

TEST_F(TrackDrawGl, MarkersShowThePointsAndTheSelectedOneInYellowUnlit) {
    lay_track(town, {{-5, 1, -3}, {6, 2, -4}, {2, 3, 5}});
    town.sel_point = 1;
    auto markers = capture_feedback([&] { draw_point_markers(town, 0); });
    auto cubes = of_kind(markers, FeedbackPrimitive::Polygon);
    auto stems = of_kind(markers, FeedbackPrimitive::Line);
    ASSERT_EQ(cubes.size(), 6u * 12u);  // two cubes per point
    ASSERT_EQ(stems.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto colour_of = [&](int cube) { return cubes[static_cast<std::size_t>(12 * cube)].vertices[0]; };
        const FeedbackVertex control = colour_of(2 * i), orient = colour_of(2 * i + 1);
        if (i == 1) {
            EXPECT_TRUE(colour_is(control, 1, 1, 0));
        } else {
            EXPECT_TRUE(colour_is(control, 1, 0, 0));
        }
        EXPECT_TRUE(colour_is(orient, 0, 0, 1));
        const Vec3 top = view.world(stems[static_cast<std::size_t>(i)].vertices[0]);
        const Vec3 foot = view.world(stems[static_cast<std::size_t>(i)].vertices[1]);
        EXPECT_LT(distance(top, town.points[i]->position()), 1e-3f);
        EXPECT_LT(distance(foot, {town.points[i]->x, 0, town.points[i]->z}), 1e-3f);
    }

    // In the shadow pass no colour is set: the selected point too is drawn
    // in whatever colour the frame chose.
    glColor3f(0, 0.5f, 0.25f);
    for (const FeedbackPrimitive& p : capture_feedback([&] { draw_point_markers(town, 1); })) {
        EXPECT_TRUE(colour_is(p.vertices[0], 0, 0.5f, 0.25f));
    }

    // Lit with no lamp burning, a plain marker is dark; the selected one
    // shines full yellow.
    town.lighting = 1;
    const auto probe = [&](int i) {
        const Vec3 at = town.points[i]->position();
        view.look(at + Vec3{2, 3, 4}, at, {0, 1, 0}, 1.5f, context.width(), context.height());
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_point_markers(town, 0);
        const Vec3 w = view.window(at);
        return context.pixel(static_cast<int>(w.x), static_cast<int>(w.y));
    };
    const Rgba s = probe(1);
    const Rgba p = probe(0);
    EXPECT_EQ(s.r, 255);
    EXPECT_EQ(s.g, 255);
    EXPECT_EQ(s.b, 0);
    EXPECT_LT(p.r, 100);
    EXPECT_GT(p.r, 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    town.show_points = 0;
    EXPECT_TRUE(capture_feedback([&] { draw_point_markers(town, 0); }).empty());
}

TEST_F(TrackDrawGl, LightMarkerIsAWhiteCubeInTheNormalPassOnly) {
    town.light_pos = {3, 7, -2};
    const auto cube = capture_feedback([&] { draw_light_marker(town, 0); });
    ASSERT_EQ(cube.size(), 12u);
    float extent = 0;
    for (const FeedbackPrimitive& p : cube) {
        EXPECT_TRUE(colour_is(p.vertices[0], 1, 1, 1));
        for (const FeedbackVertex& v : p.vertices) {
            const Vec3 d = view.world(v) - town.light_pos;
            extent = std::fmax(extent, std::fmax(std::fabs(d.x), std::fmax(std::fabs(d.y), std::fabs(d.z))));
        }
    }
    EXPECT_NEAR(extent, 0.25f, 1e-3f);
    EXPECT_TRUE(capture_feedback([&] { draw_light_marker(town, 1); }).empty());
    town.show_points = 0;
    EXPECT_TRUE(capture_feedback([&] { draw_light_marker(town, 0); }).empty());
}

TEST_F(TrackDrawGl, CubeFacesTurnOutward) {
    for (const Vec3 dir : test_directions()) {
        view.look(3 * dir, {0, 0, 0}, up_for(dir), 1, context.width(), context.height());
        const Sides s = sides_seen(capture_feedback([] { draw_cube(0, 0, 0, 0.8f); }));
        EXPECT_NEAR(s.front_area, s.back_area, 0.002f * (s.front_area + s.back_area) + 0.5f);
        EXPECT_LT(s.front_depth, s.back_depth);
    }
}
