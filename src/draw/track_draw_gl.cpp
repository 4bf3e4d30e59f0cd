// The track in the world pass: markers on the control and orientation
// points, the lamp's marker, and the track itself, either a grey centre line
// or rails on textured ties carried by posts. Tie frames are read from the
// tie table the track's rebuild fills, or computed where there is none.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "draw_cache.h"
#include "face_table.h"
#include "world_blocks.h"
#include "track_walk.h"
#include "editor.h"
#include "town.h"

namespace {

constexpr float POINT_MARKER_EDGE = 0.25f;
constexpr float LIGHT_MARKER_EDGE = 0.5f;
constexpr float STEM_WIDTH = 2.5f;
constexpr float TRACK_LINE_WIDTH = 3.0f;
constexpr float CLOSING_LINE_WIDTH = 2.5f;
constexpr float TRACK_GREY = 0.3f;
constexpr float POST_GREY = 0.5f;
constexpr float TIE_COLOUR[3] = {129 / 255.0f, 114 / 255.0f, 61 / 255.0f};

constexpr float RAIL_LIFT = 0.08f;        // rails sit this far above the curve
constexpr float TIE_HALF_WIDTH = 0.4f;    // across the track
constexpr float TIE_HALF_THICKNESS = 0.07f;
constexpr float TIE_HALF_LENGTH = 0.1f;  // along the track
constexpr float POST_HALF_SIDE = 0.1f;
constexpr float POST_GAP = 0.05f;  // between the post's top and the curve
constexpr int TIE_VARIANTS = 8;    // tie images side by side in the "ties" texture

// A unit cube around the origin; the frame scales it to the marker's edge.
constexpr QuadFace CUBE_FACES[] = {
    {0, 0, 1, {{-1, -1, 1, 0, 0}, {1, -1, 1, 0, 0}, {1, 1, 1, 0, 0}, {-1, 1, 1, 0, 0}}},        // +z
    {0, 0, -1, {{1, -1, -1, 0, 0}, {-1, -1, -1, 0, 0}, {-1, 1, -1, 0, 0}, {1, 1, -1, 0, 0}}},  // -z
    {0, 1, 0, {{-1, 1, 1, 0, 0}, {1, 1, 1, 0, 0}, {1, 1, -1, 0, 0}, {-1, 1, -1, 0, 0}}},       // +y
    {0, -1, 0, {{-1, -1, -1, 0, 0}, {1, -1, -1, 0, 0}, {1, -1, 1, 0, 0}, {-1, -1, 1, 0, 0}}},  // -y
    {1, 0, 0, {{1, -1, 1, 0, 0}, {1, -1, -1, 0, 0}, {1, 1, -1, 0, 0}, {1, 1, 1, 0, 0}}},       // +x
    {-1, 0, 0, {{-1, -1, -1, 0, 0}, {-1, -1, 1, 0, 0}, {-1, 1, 1, 0, 0}, {-1, 1, -1, 0, 0}}},  // -x
};
static_assert(sizeof(CUBE_FACES) / sizeof(CUBE_FACES[0]) == 6, "a cube has six faces");

// A post's four sides: x and z across its square, y from the ground (0) to
// its top (1). No top or bottom: nobody sees them under the track.
constexpr QuadFace POST_FACES[] = {
    {-1, 0, 0, {{-1, 0, -1, 0, 0}, {-1, 0, 1, 0, 0}, {-1, 1, 1, 0, 0}, {-1, 1, -1, 0, 0}}},  // -x
    {1, 0, 0, {{1, 0, 1, 0, 0}, {1, 0, -1, 0, 0}, {1, 1, -1, 0, 0}, {1, 1, 1, 0, 0}}},       // +x
    {0, 0, 1, {{-1, 0, 1, 0, 0}, {1, 0, 1, 0, 0}, {1, 1, 1, 0, 0}, {-1, 1, 1, 0, 0}}},       // +z
    {0, 0, -1, {{1, 0, -1, 0, 0}, {-1, 0, -1, 0, 0}, {-1, 1, -1, 0, 0}, {1, 1, -1, 0, 0}}},  // -z
};
static_assert(sizeof(POST_FACES) / sizeof(POST_FACES[0]) == 4, "a post has four sides");

// A tie in its own frame: x across the track (right), y up, z along it
// (tangent). s is 0 or 1 across one tie image; the variants below move it
// onto image v of the eight. The end faces show only the image's top
// eighth, the wood's end grain.
constexpr QuadFace TIE_FACES[] = {
    {0, 0, -1, {{1, 1, -1, 0, 1}, {-1, 1, -1, 0, 0}, {-1, -1, -1, 1, 0}, {1, -1, -1, 1, 1}}},  // -T
    {0, 1, 0, {{1, 1, 1, 0, 1}, {-1, 1, 1, 0, 0}, {-1, 1, -1, 1, 0}, {1, 1, -1, 1, 1}}},       // U
    {0, 0, 1, {{1, -1, 1, 0, 1}, {-1, -1, 1, 0, 0}, {-1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}}},       // T
    {0, -1, 0, {{1, -1, 1, 1, 1}, {1, -1, -1, 1, 0}, {-1, -1, -1, 0, 0}, {-1, -1, 1, 0, 1}}},  // -U
    {-1, 0, 0,
     {{-1, -1, -1, 1, 0.125f}, {-1, 1, -1, 1, 0}, {-1, 1, 1, 0, 0}, {-1, -1, 1, 0, 0.125f}}},  // -R
    {1, 0, 0, {{1, -1, 1, 1, 0.125f}, {1, 1, 1, 1, 0}, {1, 1, -1, 0, 0}, {1, -1, -1, 0, 0.125f}}},  // R
};
constexpr int TIE_FACE_COUNT = sizeof(TIE_FACES) / sizeof(TIE_FACES[0]);
static_assert(TIE_FACE_COUNT == 6, "a tie is a box of six faces");

using TieVariant = std::array<QuadFace, TIE_FACE_COUNT>;

constexpr std::array<TieVariant, TIE_VARIANTS> make_tie_variants() {
    std::array<TieVariant, TIE_VARIANTS> out{};
    for (int v = 0; v < TIE_VARIANTS; ++v) {
        for (int f = 0; f < TIE_FACE_COUNT; ++f) {
            QuadFace face = TIE_FACES[f];
            for (TableCorner& c : face.corner) c.s = (static_cast<float>(v) + c.s) / TIE_VARIANTS;
            out[v][f] = face;
        }
    }
    return out;
}
constexpr std::array<TieVariant, TIE_VARIANTS> TIE_VARIANT_FACES = make_tie_variants();

void vertex(Vec3 p) { glVertex3f(p.x, p.y, p.z); }

void draw_marker(const ControlPoint& p, int pass, bool selected) {
    if (pass == 0) {
        if (selected) {
            glDisable(GL_LIGHTING);
            glColor3f(1, 1, 0);
        } else {
            glColor3f(p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f);
        }
    }
    draw_point_marker(p);
}

// The grey line through the track, one piece per step of tie_spacing steps,
// and the piece that closes the loop.
void draw_centre_line(const Town& town, int pass) {
    const float step = static_cast<float>(town.track.tie_spacing) * (1 / town.track.track_length);
    TrackWalk walk(step, town.track.track_length, town.track.tie_spacing);
    glLineWidth(TRACK_LINE_WIDTH);
    glBegin(GL_LINES);
    for (; walk.running(); walk.advance()) {
        const float t = walk.t();
        float t2 = t + step;
        if (t2 >= 1) t2 = 0;
        if (pass == 0) glColor3f(TRACK_GREY, TRACK_GREY, TRACK_GREY);
        glNormal3f(0, 1, 0);
        vertex(town.track_point(t));
        vertex(town.track_point(t2));
    }
    glEnd();

    glLineWidth(CLOSING_LINE_WIDTH);
    glPushMatrix();
    if (pass == 0) glColor3f(TRACK_GREY, TRACK_GREY, TRACK_GREY);
    glBegin(GL_LINES);
    glNormal3f(0, 1, 0);
    vertex(town.track_point(walk.t()));
    vertex(town.track_point(0));
    glEnd();
    glPopMatrix();
}

void draw_post(Vec3 p) {
    LocalFrame frame;
    frame.origin = {p.x, 0, p.z};
    frame.x_axis = {POST_HALF_SIDE, 0, 0};
    frame.y_axis = {0, p.y - POST_GAP, 0};
    frame.z_axis = {0, 0, POST_HALF_SIDE};
    draw_face_table(FaceKind::Quads, POST_FACES, frame, TexCoords::Inherit);
}

// The frame of tie index (from 0): read from the table while it holds the
// track as it stands, computed otherwise the way the table was filled. A tie
// whose frame cannot be found borrows the previous tie's; the first tie has
// none to borrow and is left out.
std::optional<TieFrame> tie_frame_here(const Town& town, int index, float t, Vec3 p,
                                       const std::optional<TieFrame>& previous) {
    const bool table = town.track.track_edited == 0 && town.track.realtime_ties == 0 &&
                       town.track.tie_data != nullptr && index >= 0 &&
                       index < town.track.tie_capacity;
    if (table)
        return read_tie_frame(town.track.tie_data.get() +
                              static_cast<std::size_t>(index) * TIE_FRAME_FLOATS);
    const std::optional<TieFrame> frame = compute_tie_frame(p, town.track_derivative(t), town.orient_point_at(t));
    return frame ? frame : previous;
}

struct RailPoints {
    Vec3 left, right;
};

void draw_rail_pieces(const RailPoints& from, const RailPoints& to) {
    glBegin(GL_LINES);
    glNormal3f(0, 1, 0);
    vertex(from.left);
    vertex(to.left);
    glNormal3f(0, 1, 0);
    vertex(from.right);
    vertex(to.right);
    glEnd();
}

// One tie's six faces; the caller sets their colour and texture.
struct PlacedTie {
    Vec3 p;
    TieFrame f;
    int variant;
};

void draw_tie_faces(const PlacedTie& tie) {
    LocalFrame frame;
    frame.origin = tie.p;
    frame.x_axis = TIE_HALF_WIDTH * tie.f.right;
    frame.y_axis = TIE_HALF_THICKNESS * tie.f.up;
    frame.z_axis = TIE_HALF_LENGTH * tie.f.tangent;
    const TieVariant& faces = TIE_VARIANT_FACES[static_cast<std::size_t>(tie.variant)];
    draw_face_table(FaceKind::Quads, faces.data(), faces.size(), frame);
}

// What one step of the walk puts on the track: a post, the rails back to
// the previous tie, the tie, each where there is one.
struct TiePieces {
    std::optional<Vec3> post;
    std::optional<std::pair<RailPoints, RailPoints>> rails;
    std::optional<PlacedTie> tie;
};

// A run of consecutive steps of the walk.
struct PieceRun {
    const TiePieces* first;
    const TiePieces* last;  // one past the end
    const TiePieces* begin() const { return first; }
    const TiePieces* end() const { return last; }
};

// The lit pass, kind by kind: all posts, all rails, then all ties under a
// single bind of their texture; opaque and depth-tested, the pieces look
// the same in any order, and switching colour or texture at every tie cost
// more than all the ties.
void draw_lit_pieces(PieceRun pieces) {
    glColor3f(POST_GREY, POST_GREY, POST_GREY);
    for (const TiePieces& at : pieces) {
        if (at.post) draw_post(*at.post);
    }
    glColor3f(TRACK_GREY, TRACK_GREY, TRACK_GREY);
    for (const TiePieces& at : pieces) {
        if (at.rails) draw_rail_pieces(at.rails->first, at.rails->second);
    }
    glColor3f(TIE_COLOUR[0], TIE_COLOUR[1], TIE_COLOUR[2]);
    bool bound = false;
    for (const TiePieces& at : pieces) {
        if (!at.tie) continue;
        if (!bound) bind_texture("ties");
        bound = true;
        draw_tie_faces(*at.tie);
    }
    if (bound) unbind_texture();
}

// The shadow pass, tie by tie: rails, tie. The shadows all lie at one
// depth, so the first piece drawn over a pixel is the one whose shadow shows
// there, and the order makes the band's picture. No texture is bound: the
// ties' texture is opaque, and the shadow's black times it is black. It is
// unbound once for the whole run, so that a list keeps the run's lines and
// quads in one batch; a bind between every rail and tie made each piece a
// batch of its own, and the shadow of a long track cost more than its
// lit drawing. Posts throw no shadow: their sides stand upright, and
// flattened onto the ground every one of their triangles has no area.
void draw_shadow_pieces(PieceRun pieces) {
    unbind_texture();
    for (const TiePieces& at : pieces) {
        if (at.rails) draw_rail_pieces(at.rails->first, at.rails->second);
        if (at.tie) draw_tie_faces(*at.tie);
    }
}

// Everything on the track: the pieces step by step, and the rails of the
// first and last ties, which the piece closing the loop joins.
struct TrackPieces {
    std::vector<TiePieces> steps;
    std::optional<RailPoints> first_rails, last_rails;
};

// The walk is the one the rebuild counted ties with, so tie c here is tie c
// of num_ties and entry c - 1 of the table. The walk only gathers; each pass
// then draws the pieces in the order its picture needs.
TrackPieces gather_track_pieces(const Town& town) {
    const float step = 1 / town.track.track_length;
    const int post_interval = std::max(1, town.track.post_interval);
    int ties = 0;
    std::optional<TieFrame> frame;
    TrackPieces track;
    for (TrackWalk walk(step, town.track.track_length, town.track.tie_spacing); walk.running();
         walk.advance()) {
        if (!walk.take_tie()) continue;
        ++ties;
        const float t = walk.t();
        const Vec3 p = town.track_point(t);
        TiePieces& at = track.steps.emplace_back();

        // A post only where the track is the right way up: an upside-down
        // stretch hangs from nothing rather than standing on a post.
        if (ties % post_interval == 0 && p.y < town.orient_point_at(t).y) at.post = p;

        frame = tie_frame_here(town, ties - 1, t, p, frame);
        if (!frame) continue;

        const Vec3 lift = RAIL_LIFT * frame->up;
        const RailPoints rails{p + frame->offset + lift, p - frame->offset + lift};
        if (track.last_rails) {
            at.rails = std::make_pair(rails, *track.last_rails);
        } else {
            track.first_rails = rails;
        }
        track.last_rails = rails;
        at.tie = PlacedTie{p, *frame, ties % TIE_VARIANTS};
    }
    return track;
}

void draw_pieces(PieceRun pieces, int pass) {
    if (pass == 0) {
        draw_lit_pieces(pieces);
    } else {
        draw_shadow_pieces(pieces);
    }
}

void draw_closing_rails(const TrackPieces& track, int pass) {
    if (pass == 0) glColor3f(TRACK_GREY, TRACK_GREY, TRACK_GREY);
    if (!track.first_rails) return;
    glPushMatrix();
    draw_rail_pieces(*track.last_rails, *track.first_rails);
    glPopMatrix();
}

// Rails from tie to tie, the ties themselves and the posts under them.
void draw_rails_and_ties(const Town& town, int pass) {
    const TrackPieces track = gather_track_pieces(town);
    glLineWidth(TRACK_LINE_WIDTH);
    draw_pieces({track.steps.data(), track.steps.data() + track.steps.size()}, pass);
    draw_closing_rails(track, pass);
}

// Absolute values, for the reach of a box along tilted axes.
Vec3 reach_of(Vec3 a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }

// The box one step's pieces lie in.
Bounds piece_bounds(const TiePieces& at) {
    Bounds box;
    if (at.post) {
        box.add(Vec3{at.post->x - POST_HALF_SIDE, 0, at.post->z - POST_HALF_SIDE});
        box.add(Vec3{at.post->x + POST_HALF_SIDE, at.post->y - POST_GAP, at.post->z + POST_HALF_SIDE});
    }
    if (at.rails) {
        for (const RailPoints& r : {at.rails->first, at.rails->second}) {
            box.add(r.left);
            box.add(r.right);
        }
    }
    if (at.tie) {
        const TieFrame& f = at.tie->f;
        box.add(at.tie->p, TIE_HALF_WIDTH * reach_of(f.right) + TIE_HALF_THICKNESS * reach_of(f.up) +
                               TIE_HALF_LENGTH * reach_of(f.tangent));
    }
    return box;
}

// Consecutive ties drawn as one list: few enough for the view to leave most
// of a long track's lists out, many enough that replaying them costs little.
constexpr std::size_t TIES_PER_CHUNK = 32;

// The track in chunks of consecutive ties, the closing rails as the last.
// The walk runs only when the lists are compiled.
void draw_track_chunks(const Town& town, DrawCaches& caches, int pass, const DrawKey& key) {
    TrackPieces track;
    const auto count = [&] {
        track = gather_track_pieces(town);
        return (track.steps.size() + TIES_PER_CHUNK - 1) / TIES_PER_CHUNK + 1;
    };
    const auto draw_chunk = [&](std::size_t i) {
        Bounds box;
        const std::size_t first = i * TIES_PER_CHUNK;
        if (first >= track.steps.size()) {
            draw_closing_rails(track, pass);
            if (track.first_rails) box.add(piece_bounds({std::nullopt, std::make_pair(*track.last_rails, *track.first_rails), std::nullopt}));
            return box;
        }
        const std::size_t last = std::min(track.steps.size(), first + TIES_PER_CHUNK);
        for (std::size_t k = first; k < last; ++k) box.add(piece_bounds(track.steps[k]));
        draw_pieces({track.steps.data() + first, track.steps.data() + last}, pass);
        return box;
    };
    glLineWidth(TRACK_LINE_WIDTH);
    caches.track[pass == 0 ? 0 : 1].draw(key, count, draw_chunk, ViewVolume::current(), caches.culling);
    // Whichever chunks were left out, the track leaves the colour it always has.
    if (pass == 0) glColor3f(TRACK_GREY, TRACK_GREY, TRACK_GREY);
}

}  // namespace

void draw_cube(float x, float y, float z, float size) {
    glPushMatrix();
    glTranslatef(x, y, z);
    LocalFrame frame;
    const float half = size / 2;
    frame.x_axis = {half, 0, 0};
    frame.y_axis = {0, half, 0};
    frame.z_axis = {0, 0, half};
    draw_face_table(FaceKind::Quads, CUBE_FACES, frame, TexCoords::Inherit);
    glPopMatrix();
}

void draw_point_markers(const Town& town, const Editor& editor, int pass) {
    if (town.track.show_points != 1) return;
    for (int i = 0; i < town.track.num_points; ++i) {
        if (!town.track.points[i]) continue;
        const ControlPoint& cp = *town.track.points[i];
        draw_marker(cp, pass, i == editor.sel_point);
        if (i < town.track.num_orient_points && town.track.orient_points[i]) {
            draw_marker(*town.track.orient_points[i], pass, i == editor.sel_orient_point);
        }
        relight(town.sky.lighting, pass);
        glLineWidth(STEM_WIDTH);
        glBegin(GL_LINES);
        glNormal3f(0, 0, 0);
        glVertex3f(cp.x, cp.y, cp.z);
        glVertex3f(cp.x, 0, cp.z);
        glEnd();
    }
}

void draw_point_marker(const ControlPoint& p) { draw_cube(p.x, p.y, p.z, POINT_MARKER_EDGE); }

void draw_light_marker(const Town& town, int pass) {
    if (pass != 0 || town.track.show_points != 1) return;
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    draw_cube(town.sky.light_pos.x, town.sky.light_pos.y, town.sky.light_pos.z, LIGHT_MARKER_EDGE);
    if (town.sky.lighting == 1) glEnable(GL_LIGHTING);
}

namespace {

void draw_track_directly(const Town& town, int pass) {
    if (town.track.show_ties == 1) {
        draw_rails_and_ties(town, pass);
    } else {
        draw_centre_line(town, pass);
    }
}

// Everything the track's picture is made from: both curves, the walk along
// them, the display settings, and the tie table (by its fills) with the
// flag that says whether the frames come from it.
DrawKey track_key(const Town& town) {
    DrawKey key;
    key.add(town.track.num_points)
        .add(town.track.track_length)
        .add(town.track.tie_spacing)
        .add(town.track.post_interval);
    key.add(town.track.show_ties)
        .add(town.track.realtime_ties)
        .add(town.track.track_edited)
        .add(town.track.tie_capacity);
    key.add(town.track.tie_table_fills).add(town.track.tie_data != nullptr);
    const int n = std::min(town.track.num_points, MAX_POINTS);
    for (int i = 0; i < n; ++i) {
        key.add(town.track.segments[i] ? *town.track.segments[i] : TrackSegment{})
            .add(town.track.segments[i] != nullptr);
        key.add(town.track.orient_segments[i] ? *town.track.orient_segments[i] : TrackSegment{});
        key.add(town.track.orient_segments[i] != nullptr);
    }
    return key;
}

}  // namespace

void draw_track(const Town& town, DrawState& draw, int pass) {
    const bool drawn = town.track.num_points > 2 && (pass == 0 || sun_up(town.sky.time_of_day));
    DrawCaches* caches = draw_caches(draw);
    if (drawn && caches == nullptr) draw_track_directly(town, pass);
    if (drawn && caches != nullptr && town.track.show_ties != 1) {
        caches->centre_line[pass == 0 ? 0 : 1].draw(track_key(town), [&] { draw_centre_line(town, pass); });
    }
    if (drawn && caches != nullptr && town.track.show_ties == 1)
        draw_track_chunks(town, *caches, pass, track_key(town));
}
