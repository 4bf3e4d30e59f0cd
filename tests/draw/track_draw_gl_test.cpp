// The track as drawn: the centre line, the ties with their texture variants
// and posts, the tie table between passes, the markers and the cube they
// are made of, checked in feedback mode and by pixel probes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "world_blocks.h"
#include "draw/world_view.h"
#include "support/gl_context.h"
#include "town/track_fixture.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

constexpr float TIE_RGB[3] = {129 / 255.0f, 114 / 255.0f, 61 / 255.0f};

bool is_tie(const FeedbackPrimitive& p) {
    return p.kind == FeedbackPrimitive::Polygon && colour_is(p.vertices[0], TIE_RGB[0], TIE_RGB[1], TIE_RGB[2]);
}
bool is_post(const FeedbackPrimitive& p) {
    return p.kind == FeedbackPrimitive::Polygon && colour_is(p.vertices[0], 0.5f, 0.5f, 0.5f);
}

// The hilly loop with its orientation points rise above the control points:
// at 0 no up direction anywhere, below 0 the track hangs upside down.
void lay_hilly_loop_rising(Town& town, float rise) {
    lay_hilly_loop(town);
    for (int i = 0; i < town.track.num_points; ++i)
        town.track.orient_points[i]->y = town.track.points[i]->y + rise;
    town.rebuild_orientation();
}

// A town whose tie table cannot be allocated.
struct TownWithoutTieTable : Town {
    TownWithoutTieTable() : Town() {
        track.allocate_tie_table = [](std::size_t) -> float* { return nullptr; };
    }
};

class TrackDrawGl : public ::testing::Test {
protected:
    void SetUp() override {
        view.look({23, 31, 37}, {1, 2, 0}, {0, 1, 0}, 20, context.width(), context.height());
        town.sky.time_of_day = 0.5f;
        town.sky.lighting = 0;
    }

    std::vector<FeedbackPrimitive> track(int pass, Town* which = nullptr) {
        return capture_feedback([&] { draw_track(which ? *which : town, drawing, pass); });
    }

    // Twelve a tie: six faces of two triangles.
    int tie_triangles(int pass) {
        int n = 0;
        for (const FeedbackPrimitive& p : track(pass)) n += is_tie(p) ? 1 : 0;
        return n;
    }

    // The ties that carry a post, counted from 1 in drawing order: a post
    // comes just before the tie it carries.
    // The ties (numbered from 1) that stand on a post: a post's eight
    // triangles centre under the centre of a tie's twelve. Posts and ties
    // are drawn in batches of their own, so they are matched by place.
    std::vector<int> ties_on_posts() {
        std::vector<FeedbackPrimitive> ties, posts;
        for (const FeedbackPrimitive& p : track(0)) {
            if (is_tie(p)) ties.push_back(p);
            if (is_post(p)) posts.push_back(p);
        }
        auto centres = [&](const std::vector<FeedbackPrimitive>& prims, std::size_t group) {
            std::vector<Vec3> out;
            for (std::size_t i = 0; i + group <= prims.size(); i += group) {
                out.push_back(centre_of(std::vector<FeedbackPrimitive>(prims.begin() + static_cast<long>(i),
                                                                       prims.begin() + static_cast<long>(i + group))));
            }
            return out;
        };
        const std::vector<Vec3> post_centres = centres(posts, 8);
        std::vector<int> carried;
        const std::vector<Vec3> tie_centres = centres(ties, 12);
        for (std::size_t k = 0; k < tie_centres.size(); ++k) {
            for (const Vec3& c : post_centres) {
                if (std::fabs(c.x - tie_centres[k].x) < 0.05f && std::fabs(c.z - tie_centres[k].z) < 0.05f) {
                    carried.push_back(static_cast<int>(k) + 1);
                    break;
                }
            }
        }
        return carried;
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
        return world_bounds(view, of_kind(prims, FeedbackPrimitive::Line)).hi.y;
    }

    OffscreenContext context{160, 120};
    EditedTown town;
    DrawState drawing;
    WorldView view;
};

float distance(Vec3 a, Vec3 b) { return length(a - b); }

}  // namespace

TEST_F(TrackDrawGl, CentreLineIsAClosedGreyPolylineOfTieSpacingSteps) {
    lay_hilly_loop(town);
    const auto lines = of_kind(track(0), FeedbackPrimitive::Line);
    ASSERT_GT(lines.size(), 10u);
    EXPECT_NEAR(static_cast<float>(lines.size()), town.track.track_length / town.track.tie_spacing,
                2.0f);
    EXPECT_LT(distance(view.world(lines.front().vertices[0]), town.track_point(0)), 1e-3f);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const FeedbackPrimitive& next = lines[(k + 1) % lines.size()];
        EXPECT_LT(distance(view.world(lines[k].vertices[1]), view.world(next.vertices[0])), 1e-3f)
            << "the line breaks after piece " << k;
        EXPECT_TRUE(colour_is(lines[k].vertices[0], 0.3f, 0.3f, 0.3f));
    }

    // A longer spacing draws fewer, longer pieces.
    town.track.tie_spacing = 11;
    town.rebuild_track();
    const auto coarse = of_kind(track(0), FeedbackPrimitive::Line);
    EXPECT_NEAR(static_cast<float>(coarse.size()), town.track.track_length / 11, 2.0f);
    EXPECT_LT(coarse.size(), lines.size() / 2);
}

TEST_F(TrackDrawGl, EveryCountedTieIsDrawnWithTheNextOfEightImages) {
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    std::vector<FeedbackPrimitive> ties;
    for (const FeedbackPrimitive& p : track(0)) {
        if (is_tie(p)) ties.push_back(p);
    }
    ASSERT_GT(town.track.num_ties, 16);
    ASSERT_EQ(ties.size(), 12u * static_cast<std::size_t>(town.track.num_ties));

    for (int k = 1; k <= town.track.num_ties; ++k) {
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

    const Vec3 centre = centre_of(std::vector<FeedbackPrimitive>(ties.begin(), ties.begin() + 12));
    expect_wound_outward(view, centre, 0.6f, context.width(), context.height(), [&] {
        std::vector<FeedbackPrimitive> first_tie;
        for (const FeedbackPrimitive& p : track(0)) {
            if (is_tie(p) && first_tie.size() < 12) first_tie.push_back(p);
        }
        return first_tie;
    }, "the first tie");
}

TEST_F(TrackDrawGl, PostsStandUnderEveryIntervalthTieWhereTheTrackIsUpright) {
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    town.track.post_interval = 3;
    std::vector<int> carried = ties_on_posts();
    ASSERT_EQ(static_cast<int>(carried.size()), town.track.num_ties / 3);
    for (std::size_t i = 0; i < carried.size(); ++i) EXPECT_EQ(carried[i], 3 * static_cast<int>(i + 1));

    // An interval of 0 (only a damaged scene file could bring one) puts a
    // post under every tie rather than dividing by zero.
    town.track.post_interval = 0;
    EXPECT_EQ(static_cast<int>(ties_on_posts().size()), town.track.num_ties);
    town.track.post_interval = 3;

    // The first post reaches from the ground to just below the third tie.
    std::vector<FeedbackPrimitive> post, ties;
    for (const FeedbackPrimitive& p : track(0)) {
        if (is_post(p) && post.size() < 8) post.push_back(p);
        if (is_tie(p) && ties.size() < 36) ties.push_back(p);
    }
    const Vec3 tie = centre_of(std::vector<FeedbackPrimitive>(ties.begin() + 24, ties.end()));
    expect_bounds(world_bounds(view, post), {tie.x - 0.1f, 0, tie.z - 0.1f}, {tie.x + 0.1f, tie.y - 0.05f, tie.z + 0.1f},
                  "the first post");

    // Turn part of the track over: no post under the upside-down stretch,
    // and still only under every third tie.
    town.track.orient_points[2]->y = town.track.points[2]->y - 4;
    town.track.orient_points[3]->y = town.track.points[3]->y - 4;
    town.rebuild_orientation();
    carried = ties_on_posts();
    EXPECT_GT(carried.size(), 0u);
    EXPECT_LT(static_cast<int>(carried.size()), town.track.num_ties / 3);
    for (const int k : carried) EXPECT_EQ(k % 3, 0);

    // Entirely upside down: ties but no posts.
    lay_hilly_loop_rising(town, -4);
    EXPECT_TRUE(ties_on_posts().empty());
    EXPECT_EQ(tie_triangles(0), 12 * town.track.num_ties);
}

// The cached lists follow the table by its fills; a table poked from a test
// is seen by direct drawing.
TEST_F(TrackDrawGl, TieTableIsFilledByTheRebuildAndReadByEveryPass) {
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    drawing.cached_drawing = 0;
    ASSERT_EQ(town.track.realtime_ties, 0);
    float* table = town.track.tie_data.get();
    const int used = town.track.num_ties * TIE_FRAME_FLOATS;
    const int size = town.track.tie_capacity * TIE_FRAME_FLOATS;
    ASSERT_GT(size, used);
    for (int i = 0; i < size; ++i) table[i] = std::numeric_limits<float>::quiet_NaN();

    const unsigned fills = town.track.tie_table_fills;
    town.rebuild_orientation();
    EXPECT_EQ(town.track.tie_table_fills, fills + 1);
    EXPECT_EQ(town.track.track_edited, 0);
    for (int k = 0; k < town.track.num_ties; ++k) {
        const float* e = table + k * TIE_FRAME_FLOATS;
        const Vec3 offset{e[0], e[1], e[2]}, up{e[3], e[4], e[5]}, tangent{e[6], e[7], e[8]}, right{e[9], e[10], e[11]};
        ASSERT_TRUE(is_finite(offset) && is_finite(up) && is_finite(tangent) && is_finite(right)) << "entry " << k;
        EXPECT_NEAR(length(up), 1, 1e-5) << "entry " << k;
        EXPECT_NEAR(length(tangent), 1, 1e-5) << "entry " << k;
        EXPECT_NEAR(length(right), 1, 1e-5) << "entry " << k;
        EXPECT_NEAR(dot(up, tangent), 0, 1e-5) << "entry " << k;
        EXPECT_LT(length(offset - 0.24f * right), 1e-6f) << "entry " << k;
    }
    for (int i = used; i < size; ++i) EXPECT_TRUE(std::isnan(table[i])) << "float " << i << " written past the ties";
    const float normal_top = highest_line_point(track(0));

    // Lift the first tie's left rail by 10 in the table: the shadow pass of
    // the same frame and the next normal pass draw what the table says.
    table[1] += 10;
    EXPECT_GT(highest_line_point(track(1)), normal_top + 5);
    EXPECT_GT(highest_line_point(track(0)), normal_top + 5);

    // An edit not yet rebuilt draws from the curves and writes nothing; the
    // rebuild fills the table again.
    town.track.track_edited = 1;
    EXPECT_NEAR(highest_line_point(track(0)), normal_top, 1e-3f);
    EXPECT_NEAR(table[1] - 10, table[10] * 0.24f, 1e-5f);
    town.rebuild_track();
    EXPECT_NEAR(table[1], table[10] * 0.24f, 1e-6f);
}

TEST_F(TrackDrawGl, TiesBeyondTheTableOrWithoutOneAreComputedInEveryPass) {
    // Three times the ties the table was sized for: drawn, nothing written past it.
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    town.track.tie_spacing = 1;
    EXPECT_GT(tie_triangles(0), 12 * town.track.tie_capacity);
    EXPECT_TRUE(all_finite(track(1)));

    // Upside down, so no posts: every polygon is part of a tie.
    TownWithoutTieTable bare;
    lay_hilly_loop_rising(bare, -4);
    ASSERT_EQ(bare.track.realtime_ties, 1);
    ASSERT_EQ(bare.track.tie_data, nullptr);
    bare.track.show_ties = 1;
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(static_cast<int>(of_kind(track(pass, &bare), FeedbackPrimitive::Polygon).size()),
                  12 * bare.track.num_ties)
            << "pass " << pass;
    }
}

TEST_F(TrackDrawGl, DegenerateTieFramesLeaveNoNaNInTheTableOrThePicture) {
    // Orientation points on the control points: no up direction anywhere.
    lay_hilly_loop_rising(town, 0);
    town.track.show_ties = 1;
    ASSERT_GT(town.track.num_ties, 0);
    EXPECT_TRUE(track(0).empty());
    for (int i = 0; i < town.track.num_ties * TIE_FRAME_FLOATS; ++i)
        EXPECT_EQ(town.track.tie_data.get()[i], 0.0f);
    EXPECT_TRUE(track(1).empty());  // the shadow pass reads the skipped ties
}

TEST_F(TrackDrawGl, ATieTableEntrySpoiltByNaNIsLeftOut) {
    lay_hilly_loop(town);
    town.track.show_ties = 1;
    drawing.cached_drawing = 0;  // the entry is spoilt from here, not by a fill
    track(0);
    town.track.tie_data.get()[4 * TIE_FRAME_FLOATS + 3] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(all_finite(track(1)));
    EXPECT_EQ(tie_triangles(0), 12 * (town.track.num_ties - 1));
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

    EXPECT_FALSE(compute_tie_frame(p, {0, 0, 0}, q).has_value());    // no direction
    EXPECT_FALSE(compute_tie_frame(p, d, p + 2.5f * d).has_value());  // q on the tangent line
    EXPECT_FALSE(compute_tie_frame(p, d, p).has_value());             // q on the track
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(compute_tie_frame(p, {nan, 0, 1}, q).has_value());
}

TEST_F(TrackDrawGl, NoTrackInTheNightShadowAndDrawingLeavesTheEditFlag) {
    lay_hilly_loop(town);
    for (const float t : {0.2499f, 0.7501f, 0.1f, 0.25f, 0.75f}) {
        town.sky.time_of_day = t;
        town.track.track_edited = 1;
        EXPECT_EQ(track(1).empty(), t != 0.25f && t != 0.75f) << "t = " << t;
        EXPECT_EQ(town.track.track_edited, 1) << "only a fill of the tie table clears it";
    }
    // Too few points for a track: nothing.
    lay_track(town, {{1, 1, 1}, {4, 1, 2}});
    town.track.track_edited = 1;
    EXPECT_TRUE(track(0).empty());
    EXPECT_EQ(town.track.track_edited, 1);
}

TEST_F(TrackDrawGl, MarkersShowThePointsAndTheSelectedOneInYellowUnlit) {
    lay_track(town, {{-5, 1, -3}, {6, 2, -4}, {2, 3, 5}});
    town.editor.sel_point = 1;
    const auto markers = capture_feedback([&] { draw_point_markers(town, town.editor, 0); });
    const auto cubes = of_kind(markers, FeedbackPrimitive::Polygon);
    const auto stems = of_kind(markers, FeedbackPrimitive::Line);
    ASSERT_EQ(cubes.size(), 6u * 12u);  // two cubes per point
    ASSERT_EQ(stems.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const FeedbackVertex control = cubes[24 * i].vertices[0], orient = cubes[24 * i + 12].vertices[0];
        EXPECT_TRUE(i == 1 ? colour_is(control, 1, 1, 0) : colour_is(control, 1, 0, 0)) << "point " << i;
        EXPECT_TRUE(colour_is(orient, 0, 0, 1)) << "point " << i;
        const Vec3 at = town.track.points[i]->position();
        EXPECT_LT(distance(view.world(stems[i].vertices[0]), at), 1e-3f);
        EXPECT_LT(distance(view.world(stems[i].vertices[1]), {at.x, 0, at.z}), 1e-3f);
    }

    // In the shadow pass no colour is set: the selected point too is drawn
    // in whatever colour the frame chose.
    glColor3f(0, 0.5f, 0.25f);
    for (const FeedbackPrimitive& p : capture_feedback([&] { draw_point_markers(town, town.editor, 1); })) {
        EXPECT_TRUE(colour_is(p.vertices[0], 0, 0.5f, 0.25f));
    }

    // Lit with no lamp burning, a plain marker is dark; the selected one
    // shines full yellow.
    town.sky.lighting = 1;
    const auto probe = [&](int i) {
        const Vec3 at = town.track.points[i]->position();
        view.look(at + Vec3{2, 3, 4}, at, {0, 1, 0}, 1.5f, context.width(), context.height());
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_point_markers(town, town.editor, 0);
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

    town.track.show_points = 0;
    EXPECT_TRUE(capture_feedback([&] { draw_point_markers(town, town.editor, 0); }).empty());
}

TEST_F(TrackDrawGl, LightMarkerIsAWhiteCubeInTheNormalPassOnly) {
    town.sky.light_pos = {3, 7, -2};
    const auto cube = capture_feedback([&] { draw_light_marker(town, 0); });
    ASSERT_EQ(cube.size(), 12u);
    for (const FeedbackPrimitive& p : cube) EXPECT_TRUE(colour_is(p.vertices[0], 1, 1, 1));
    expect_bounds(world_bounds(view, cube), town.sky.light_pos - Vec3{0.25f, 0.25f, 0.25f},
                  town.sky.light_pos + Vec3{0.25f, 0.25f, 0.25f}, "light marker");
    EXPECT_TRUE(capture_feedback([&] { draw_light_marker(town, 1); }).empty());
    town.track.show_points = 0;
    EXPECT_TRUE(capture_feedback([&] { draw_light_marker(town, 0); }).empty());
    expect_wound_outward(view, {0, 0, 0}, 1.0f, context.width(), context.height(),
                         [] { return capture_feedback([] { draw_cube(0, 0, 0, 0.8f); }); }, "a cube");
}
