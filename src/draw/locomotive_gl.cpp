// The locomotive at the train's place on the track, in its own frame: A
// along the direction of travel, S to its right, U up from the rails.
// Its red beacon pulses, and its lamp glows at night.
#include <GL/gl.h>

#include <cmath>
#include <optional>

#include "face_table.h"
#include "world_blocks.h"
#include "editor.h"
#include "town.h"

namespace {

// All tables in locomotive coordinates (a, s, u).

constexpr TableFace<5> BASE_PLATE[] = {
    {0, 0, -1, {{0.5f, -0.25f, 0.1f, 0, 0}, {0.8f, 0, 0.1f, 0, 0}, {0.5f, 0.25f, 0.1f, 0, 0},
                {-0.5f, 0.25f, 0.1f, 0, 0}, {-0.5f, -0.25f, 0.1f, 0, 0}}},  // the pilot's tip at a = 0.8
};
static_assert(sizeof(BASE_PLATE) / sizeof(BASE_PLATE[0]) == 1, "one base plate");

constexpr QuadFace BODY_AND_CAB[] = {
    {0, 0, 1, {{-0.2f, -0.25f, 0.6f, 0, 0}, {-0.2f, 0.25f, 0.6f, 0, 0}, {0.5f, 0.25f, 0.6f, 0, 0},
               {0.5f, -0.25f, 0.6f, 0, 0}}},  // body top
    {-1, 0, 0, {{-0.5f, 0.25f, 0.1f, 0, 0}, {-0.5f, 0.25f, 0.6f, 0, 0}, {-0.5f, -0.25f, 0.6f, 0, 0},
                {-0.5f, -0.25f, 0.1f, 0, 0}}},  // body rear
    {0, -1, 0, {{0.5f, -0.25f, 0.1f, 0, 0}, {-0.5f, -0.25f, 0.1f, 0, 0}, {-0.5f, -0.25f, 0.6f, 0, 0},
                {0.5f, -0.25f, 0.6f, 0, 0}}},  // body left
    {0, 1, 0, {{-0.5f, 0.25f, 0.1f, 0, 0}, {0.5f, 0.25f, 0.1f, 0, 0}, {0.5f, 0.25f, 0.6f, 0, 0},
               {-0.5f, 0.25f, 0.6f, 0, 0}}},  // body right
    {1, 0, 0, {{0.5f, 0.25f, 0.1f, 0, 0}, {0.5f, -0.25f, 0.1f, 0, 0}, {0.5f, -0.25f, 0.6f, 0, 0},
               {0.5f, 0.25f, 0.6f, 0, 0}}},  // body front
    {0, 1, 0, {{-0.2f, 0.25f, 0.6f, 0, 0}, {-0.2f, 0.25f, 0.8f, 0, 0}, {-0.5f, 0.25f, 0.8f, 0, 0},
               {-0.5f, 0.25f, 0.6f, 0, 0}}},  // cab right
    {0, -1, 0, {{-0.5f, -0.25f, 0.6f, 0, 0}, {-0.5f, -0.25f, 0.8f, 0, 0}, {-0.2f, -0.25f, 0.8f, 0, 0},
                {-0.2f, -0.25f, 0.6f, 0, 0}}},  // cab left
    {0, 0, 1, {{-0.2f, 0.25f, 0.8f, 0, 0}, {-0.2f, -0.25f, 0.8f, 0, 0}, {-0.5f, -0.25f, 0.8f, 0, 0},
               {-0.5f, 0.25f, 0.8f, 0, 0}}},  // cab roof
    {-1, 0, 0, {{-0.5f, 0.25f, 0.8f, 0, 0}, {-0.5f, -0.25f, 0.8f, 0, 0}, {-0.5f, -0.25f, 0.6f, 0, 0},
                {-0.5f, 0.25f, 0.6f, 0, 0}}},  // cab rear
    {1, 0, 0, {{-0.2f, 0.25f, 0.6f, 0, 0}, {-0.2f, -0.25f, 0.6f, 0, 0}, {-0.2f, -0.25f, 0.8f, 0, 0},
               {-0.2f, 0.25f, 0.8f, 0, 0}}},  // cab front
};
static_assert(sizeof(BODY_AND_CAB) / sizeof(BODY_AND_CAB[0]) == 10, "five body faces, five cab faces");

constexpr QuadFace BEACON[] = {
    {0, 0, 1, {{0.1f, -0.1f, 0.75f, 0, 0}, {0.1f, 0.1f, 0.75f, 0, 0}, {0.3f, 0.1f, 0.75f, 0, 0},
               {0.3f, -0.1f, 0.75f, 0, 0}}},
};
static_assert(sizeof(BEACON) / sizeof(BEACON[0]) == 1, "one beacon");

// The funnel narrows from the beacon's corners to a point in the body; the
// pilot is the wedge in front of it.
constexpr TriangleFace FUNNEL_AND_PILOT[] = {
    {-1, 0, 0, {{0.2f, 0, 0.4f, 0, 0}, {0.1f, 0.1f, 0.75f, 0, 0}, {0.1f, -0.1f, 0.75f, 0, 0}}},  // funnel rear
    {0, 1, 0, {{0.2f, 0, 0.4f, 0, 0}, {0.3f, 0.1f, 0.75f, 0, 0}, {0.1f, 0.1f, 0.75f, 0, 0}}},    // funnel right
    {1, 0, 0, {{0.2f, 0, 0.4f, 0, 0}, {0.3f, -0.1f, 0.75f, 0, 0}, {0.3f, 0.1f, 0.75f, 0, 0}}},   // funnel front
    {0, -1, 0, {{0.2f, 0, 0.4f, 0, 0}, {0.1f, -0.1f, 0.75f, 0, 0}, {0.3f, -0.1f, 0.75f, 0, 0}}},  // funnel left
    {0.5612f, 0.6735f, 0.4811f,
     {{0.8f, 0, 0.1f, 0, 0}, {0.5f, 0, 0.45f, 0, 0}, {0.5f, 0.25f, 0.1f, 0, 0}}},  // pilot right
    {0.5612f, -0.6735f, 0.4811f,
     {{0.8f, 0, 0.1f, 0, 0}, {0.5f, -0.25f, 0.1f, 0, 0}, {0.5f, 0, 0.45f, 0, 0}}},  // pilot left
};
static_assert(sizeof(FUNNEL_AND_PILOT) / sizeof(FUNNEL_AND_PILOT[0]) == 6, "four funnel sides, two pilot halves");

constexpr QuadFace LAMP_BOX[] = {
    {0, 0, 1, {{0.35f, 0.075f, 0.7f, 0, 0}, {0.5f, 0.075f, 0.7f, 0, 0}, {0.5f, -0.075f, 0.7f, 0, 0},
               {0.35f, -0.075f, 0.7f, 0, 0}}},  // top
    {0, 1, 0, {{0.35f, 0.075f, 0.7f, 0, 0}, {0.35f, 0.075f, 0.6f, 0, 0}, {0.5f, 0.075f, 0.6f, 0, 0},
               {0.5f, 0.075f, 0.7f, 0, 0}}},  // right
    {0, -1, 0, {{0.35f, -0.075f, 0.7f, 0, 0}, {0.5f, -0.075f, 0.7f, 0, 0}, {0.5f, -0.075f, 0.6f, 0, 0},
                {0.35f, -0.075f, 0.6f, 0, 0}}},  // left
    {-1, 0, 0, {{0.35f, 0.075f, 0.7f, 0, 0}, {0.35f, -0.075f, 0.7f, 0, 0}, {0.35f, -0.075f, 0.6f, 0, 0},
                {0.35f, 0.075f, 0.6f, 0, 0}}},  // back
};
static_assert(sizeof(LAMP_BOX) / sizeof(LAMP_BOX[0]) == 4, "the lamp box is open at the front");

constexpr QuadFace LAMP_GLASS[] = {
    {1, 0, 0, {{0.5f, 0.075f, 0.6f, 0, 0}, {0.5f, -0.075f, 0.6f, 0, 0}, {0.5f, -0.075f, 0.7f, 0, 0},
               {0.5f, 0.075f, 0.7f, 0, 0}}},
};
static_assert(sizeof(LAMP_GLASS) / sizeof(LAMP_GLASS[0]) == 1, "one lamp glass");

constexpr float BODY_GREY = 0.2f;
constexpr float LAMP_LIT[3] = {0.8f, 0.8f, 0.3f};
constexpr float LAMP_DARK[3] = {0.3f, 0.3f, 0.05f};
constexpr double BEACON_STEP = 0.01;  // per drawing of the locomotive
constexpr double BEACON_TOP = 0.5;

std::optional<Vec3> unit(Vec3 v) {
    const float len = length(v);
    if (!(len > 0) || !std::isfinite(len)) return std::nullopt;
    const Vec3 u = v / len;
    if (!is_finite(u)) return std::nullopt;
    return u;
}

// The locomotive's frame from the train's place, direction and up hint;
// nothing when the direction vanishes or points along the up hint, where no
// side direction exists.
std::optional<LocalFrame> locomotive_frame(Vec3 at, Vec3 dir, Vec3 up_hint) {
    const std::optional<Vec3> a = unit(dir);
    const std::optional<Vec3> w = unit(up_hint);
    if (!a || !w) return std::nullopt;
    const std::optional<Vec3> s = unit(cross(*a, *w));
    if (!s) return std::nullopt;
    const std::optional<Vec3> u = unit(-cross(*a, *s));
    if (!u || !is_finite(at)) return std::nullopt;
    LocalFrame frame;
    frame.origin = at;
    frame.x_axis = *a;
    frame.y_axis = *s;
    frame.z_axis = *u;
    return frame;
}

// The beacon climbs from 0 to 0.5 and falls back in steps of 0.01; the
// level is kept as a float and stepped in double precision.
void step_beacon(BeaconPhase& beacon) {
    if (beacon.falling == 0) {
        beacon.level = static_cast<float>(beacon.level + BEACON_STEP);
        if (beacon.level >= BEACON_TOP) beacon.falling = 1;
    } else {
        beacon.level = static_cast<float>(beacon.level - BEACON_STEP);
        if (beacon.level <= 0) beacon.falling = 0;
    }
}

}  // namespace

void draw_locomotive(const Town& town, const Editor& editor, BeaconPhase& beacon, int pass) {
    // The view riding on the train sits inside the cab.
    if (town.train.train_running != 1 || editor.camera_mode == 1) return;
    const float t = town.sky.time_of_day;
    if (pass == 1 && !sun_up(t)) return;
    const std::optional<LocalFrame> frame =
        locomotive_frame(town.train.train_pos, town.train.train_dir, town.train.train_up);
    if (!frame) return;

    if (pass == 0) glColor3f(BODY_GREY, BODY_GREY, BODY_GREY);
    draw_face_table(FaceKind::Polygon, BASE_PLATE, *frame, TexCoords::Inherit);
    draw_face_table(FaceKind::Quads, BODY_AND_CAB, *frame, TexCoords::Inherit);

    glDisable(GL_LIGHTING);
    step_beacon(beacon);
    if (pass == 0) glColor3f(beacon.level, 0, 0);
    draw_face_table(FaceKind::Quads, BEACON, *frame, TexCoords::Inherit);
    relight(town.sky.lighting, pass);

    if (pass == 0) glColor3f(BODY_GREY, BODY_GREY, BODY_GREY);
    draw_face_table(FaceKind::Triangles, FUNNEL_AND_PILOT, *frame, TexCoords::Inherit);
    draw_face_table(FaceKind::Quads, LAMP_BOX, *frame, TexCoords::Inherit);

    if (pass == 0) {
        if (is_night(t)) {
            glDisable(GL_LIGHTING);
            glColor3f(LAMP_LIT[0], LAMP_LIT[1], LAMP_LIT[2]);
        } else {
            glColor3f(LAMP_DARK[0], LAMP_DARK[1], LAMP_DARK[2]);
        }
    }
    draw_face_table(FaceKind::Quads, LAMP_GLASS, *frame, TexCoords::Inherit);
    relight(town.sky.lighting, pass);
}
