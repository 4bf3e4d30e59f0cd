// The smoke stack, the stop signs, the street lamps and the hanging sign.
#include <GL/gl.h>

#include <array>

#include "box_model.h"
#include "town_models.h"
#include "world_blocks.h"

namespace {

// ---- Smoke stack ----------------------------------------------------------

constexpr float STACK_RADIUS = 0.65f;
constexpr float STACK_HEIGHT = 16.0f;

// Corners C1..C6 around the axis in multiples of the radius; the 0.886 makes
// the hexagon a little wider in x than a regular one.
constexpr float STACK_CORNERS[6][2] = {
    {-0.886f, -0.5f}, {-0.886f, 0.5f}, {0.0f, 1.0f}, {0.886f, 0.5f}, {0.886f, -0.5f}, {0.0f, -1.0f},
};

struct StackSide {
    int from, to;    // corner indices; s runs from 0 at the first to 1 at the second
    float nx, nz;    // outer normal
};
constexpr StackSide STACK_SIDES[] = {
    {0, 1, -1.0f, 0.0f}, {1, 2, -0.5f, 0.866f}, {2, 3, 0.5f, 0.866f},
    {4, 3, 1.0f, 0.0f},  {0, 5, -0.5f, -0.866f}, {5, 4, 0.5f, -0.866f},
};
constexpr std::size_t STACK_SIDE_COUNT = sizeof STACK_SIDES / sizeof STACK_SIDES[0];
static_assert(STACK_SIDE_COUNT == 6, "the stack is hexagonal");

// One side as a quad wound counter-clockwise from outside: whether its second
// corner lies to a viewer's right decides where the quad begins.
constexpr QuadFace stack_outer_face(const StackSide& side) {
    const float* p = STACK_CORNERS[side.from];
    const float* q = STACK_CORNERS[side.to];
    const bool q_on_right = (q[0] - p[0]) * side.nz - (q[1] - p[1]) * side.nx > 0;
    const TableCorner p0{p[0], 0, p[1], 0, 0}, p1{p[0], 1, p[1], 0, 1};
    const TableCorner q0{q[0], 0, q[1], 1, 0}, q1{q[0], 1, q[1], 1, 1};
    if (q_on_right) return QuadFace{side.nx, 0, side.nz, {p0, q0, q1, p1}};
    return QuadFace{side.nx, 0, side.nz, {p1, q1, q0, p0}};
}

// The same corners wound the other way with the normal turned inward, so a
// look down the tube shows its inside.
constexpr QuadFace stack_inner_face(const StackSide& side) {
    const QuadFace outer = stack_outer_face(side);
    return QuadFace{-outer.nx, 0, -outer.nz,
                    {outer.corner[3], outer.corner[2], outer.corner[1], outer.corner[0]}};
}

// All outer faces first, then all inner faces in the same order.
constexpr std::array<QuadFace, 2 * STACK_SIDE_COUNT> stack_faces() {
    std::array<QuadFace, 2 * STACK_SIDE_COUNT> faces{};
    for (std::size_t i = 0; i < STACK_SIDE_COUNT; ++i) {
        faces[i] = stack_outer_face(STACK_SIDES[i]);
        faces[STACK_SIDE_COUNT + i] = stack_inner_face(STACK_SIDES[i]);
    }
    return faces;
}
constexpr std::array<QuadFace, 2 * STACK_SIDE_COUNT> STACK_FACES = stack_faces();

// ---- Stop signs -------------------------------------------------------------

constexpr float STOP_POST_HALF = 0.01f;
constexpr float STOP_POST_HEIGHT = 0.53f;
constexpr float STOP_SIGN_SIZE = 0.5f;  // width and height of the octagon

// Octagon corners (u, v): u across the sign, v up from its lower edge, both
// in multiples of the sign's size; list A runs counter-clockwise when u points
// to the viewer's right. Texture list P belongs to it corner by corner.
constexpr float OCTAGON_A[8][2] = {
    {0.21f, 0.0f},   {0.5f, 0.293f}, {0.5f, 0.707f},  {0.21f, 1.0f},
    {-0.213f, 1.0f}, {-0.5f, 0.707f}, {-0.5f, 0.29f}, {-0.213f, 0.0f},
};
constexpr float OCTAGON_P[8][2] = {
    {0.71f, 0.0f},  {1.0f, 0.293f}, {1.0f, 0.707f}, {0.71f, 1.0f},
    {0.295f, 1.0f}, {0.0f, 0.707f}, {0.0f, 0.29f},  {0.287f, 0.0f},
};

// An octagon facing local +z (normal_z 1) or -z (-1); list B and list Q are
// A and P read backwards.
constexpr TableFace<8> octagon(float normal_z, bool corners_reversed, bool texture_reversed) {
    TableFace<8> face{0, 0, normal_z, {}};
    for (int i = 0; i < 8; ++i) {
        const float* c = OCTAGON_A[corners_reversed ? 7 - i : i];
        const float* t = OCTAGON_P[texture_reversed ? 7 - i : i];
        face.corner[i] = TableCorner{c[0], c[1], 0, t[0], t[1]};
    }
    return face;
}

// Seen with u to the viewer's right (codes 7 and 8) the front is list A and
// the back list B with Q; seen with u to the left (codes 9 and 10) the front
// is list B and the back list A, both with texture list P.
constexpr TableFace<8> SIGN_FRONT_U_RIGHT[] = {octagon(1, false, false)};
constexpr TableFace<8> SIGN_BACK_U_RIGHT[] = {octagon(-1, true, true)};
constexpr TableFace<8> SIGN_FRONT_U_LEFT[] = {octagon(1, true, false)};
constexpr TableFace<8> SIGN_BACK_U_LEFT[] = {octagon(-1, false, false)};

struct StopSignKind {
    Vec3 u;      // across the sign
    Vec3 front;  // the way the front face looks
    bool u_to_the_right;
};
// Codes 7..10: fronts facing -x, +z, +x, -z.
constexpr StopSignKind STOP_SIGNS[] = {
    {{0, 0, 1}, {-1, 0, 0}, true},
    {{1, 0, 0}, {0, 0, 1}, true},
    {{0, 0, 1}, {1, 0, 0}, false},
    {{1, 0, 0}, {0, 0, -1}, false},
};
static_assert(sizeof STOP_SIGNS / sizeof STOP_SIGNS[0] == 4, "stop-sign codes 7..10");

constexpr float GREY = 0.5f;

// ---- Street lamps -----------------------------------------------------------

constexpr float LAMP_HALF = 0.03f;      // half-thickness of pole, arm and head
constexpr float POLE_HEIGHT = 2.3f;
constexpr float ARM_RUN = 0.7f;
constexpr float ARM_RISE = 0.2f;
constexpr float HEAD_LENGTH = 0.3f;

constexpr float D = LAMP_HALF;
constexpr float ARM_LOW_AT_POLE = POLE_HEIGHT - 2 * D;       // 2.24
constexpr float ARM_TOP = POLE_HEIGHT + ARM_RISE;            // 2.5
constexpr float ARM_LOW = ARM_TOP - 2 * D;                   // 2.44
constexpr float ARM_END = D + ARM_RUN;                       // 0.73 from the axis
constexpr float HEAD_END = ARM_END + HEAD_LENGTH;            // 1.03 from the axis

// The lamp with its arm toward local +z; the other codes turn it about the pole.
constexpr QuadFace LAMP_ARM[] = {
    // top
    {0, 1, 0, {{-D, POLE_HEIGHT, D, 0, 0}, {-D, ARM_TOP, ARM_END, 0, 0}, {D, ARM_TOP, ARM_END, 0, 0},
               {D, POLE_HEIGHT, D, 0, 0}}},
    // left side
    {-1, 0, 0, {{-D, ARM_LOW_AT_POLE, D, 0, 0}, {-D, ARM_LOW, ARM_END, 0, 0}, {-D, ARM_TOP, ARM_END, 0, 0},
                {-D, POLE_HEIGHT, D, 0, 0}}},
    // right side
    {1, 0, 0, {{D, POLE_HEIGHT, D, 0, 0}, {D, ARM_TOP, ARM_END, 0, 0}, {D, ARM_LOW, ARM_END, 0, 0},
               {D, ARM_LOW_AT_POLE, D, 0, 0}}},
    // top of the head, grey like the arm
    {0, 1, 0, {{-D, ARM_TOP, ARM_END, 0, 0}, {-D, ARM_TOP, HEAD_END, 0, 0}, {D, ARM_TOP, HEAD_END, 0, 0},
               {D, ARM_TOP, ARM_END, 0, 0}}},
    // underside
    {0, -1, 0, {{D, ARM_LOW_AT_POLE, D, 0, 0}, {D, ARM_LOW, ARM_END, 0, 0}, {-D, ARM_LOW, ARM_END, 0, 0},
                {-D, ARM_LOW_AT_POLE, D, 0, 0}}},
};
static_assert(sizeof LAMP_ARM / sizeof LAMP_ARM[0] == 5, "arm: top, two sides, head top, underside");

// The glowing head; its top is the arm's last grey quad, its inner end open.
constexpr QuadFace LAMP_HEAD[] = {
    // underside
    {0, -1, 0, {{D, ARM_LOW, ARM_END, 0, 0}, {D, ARM_LOW, HEAD_END, 0, 0}, {-D, ARM_LOW, HEAD_END, 0, 0},
                {-D, ARM_LOW, ARM_END, 0, 0}}},
    // left side
    {-1, 0, 0, {{-D, ARM_LOW, ARM_END, 0, 0}, {-D, ARM_LOW, HEAD_END, 0, 0}, {-D, ARM_TOP, HEAD_END, 0, 0},
                {-D, ARM_TOP, ARM_END, 0, 0}}},
    // right side
    {1, 0, 0, {{D, ARM_TOP, ARM_END, 0, 0}, {D, ARM_TOP, HEAD_END, 0, 0}, {D, ARM_LOW, HEAD_END, 0, 0},
               {D, ARM_LOW, ARM_END, 0, 0}}},
    // outer end
    {0, 0, 1, {{-D, ARM_LOW, HEAD_END, 0, 0}, {D, ARM_LOW, HEAD_END, 0, 0}, {D, ARM_TOP, HEAD_END, 0, 0},
               {-D, ARM_TOP, HEAD_END, 0, 0}}},
};
static_assert(sizeof LAMP_HEAD / sizeof LAMP_HEAD[0] == 4, "head: underside, two sides, outer end");

// Codes 11..14: the local +z (the arm) turned toward -x, -z, +x, +z; local
// +x follows as up x arm, so the turn keeps every winding and normal.
constexpr Vec3 LAMP_ARM_DIRECTIONS[] = {{-1, 0, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}};
static_assert(sizeof LAMP_ARM_DIRECTIONS / sizeof LAMP_ARM_DIRECTIONS[0] == 4, "lamp codes 11..14");

// ---- Hanging sign -----------------------------------------------------------

// In the plane x = x0, facing -x; the frame scales it to 0.2 x 0.2.
constexpr QuadFace HANGING_SIGN[] = {
    {-1, 0, 0, {{0, 0, -1, 0, 0}, {0, 0, 1, 1, 0}, {0, 1, 1, 1, 1}, {0, 1, -1, 0, 1}}},
};
constexpr float HANGING_SIGN_HALF_WIDTH = 0.1f;
constexpr float HANGING_SIGN_HEIGHT = 0.2f;

// The four sides and the top of a thin square post of half-size half.
void draw_post(const LocalFrame& turn, float half, float height) {
    const LocalFrame post{turn.origin, half * turn.x_axis, height * turn.y_axis, half * turn.z_axis};
    draw_face_table(FaceKind::Quads, BOX_WALLS, post, TexCoords::Inherit);
    draw_face_table(FaceKind::Quads, POST_TOP, post, TexCoords::Inherit);
}

}  // namespace

void draw_smoke_stack(const ModelContext&, float x, float z) {
    const LocalFrame frame{{x, 0, z}, {STACK_RADIUS, 0, 0}, {0, STACK_HEIGHT, 0}, {0, 0, STACK_RADIUS}};
    bind_model_texture("stack");
    draw_face_table<4>(FaceKind::Quads, STACK_FACES.data(), STACK_FACES.size(), frame);
    unbind_model_texture();
}

void draw_stop_sign(const ModelContext& ctx, int code, float x, float z) {
    if (code < 7 || code > 10) return;
    const StopSignKind& kind = STOP_SIGNS[code - 7];

    set_face_colour(ctx, GREY, GREY, GREY);
    draw_post(LocalFrame{{x, 0, z}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, STOP_POST_HALF, STOP_POST_HEIGHT);

    // The sign itself stays grey even when the object is selected, so the
    // selection shows on the post alone.
    const LocalFrame sign{{x, STOP_POST_HEIGHT, z}, STOP_SIGN_SIZE * kind.u, {0, STOP_SIGN_SIZE, 0}, kind.front};
    const auto* front = kind.u_to_the_right ? SIGN_FRONT_U_RIGHT : SIGN_FRONT_U_LEFT;
    const auto* back = kind.u_to_the_right ? SIGN_BACK_U_RIGHT : SIGN_BACK_U_LEFT;
    bind_model_texture("stop sign");
    if (ctx.pass == 0) glColor3f(GREY, GREY, GREY);
    draw_face_table<8>(FaceKind::Polygon, front, 1, sign);
    unbind_model_texture();
    bind_model_texture("stop sign2");
    if (ctx.pass == 0) glColor3f(GREY, GREY, GREY);
    draw_face_table<8>(FaceKind::Polygon, back, 1, sign);
    unbind_model_texture();
}

void draw_street_lamp(const ModelContext& ctx, int code, float x, float z) {
    if (code < 11 || code > 14) return;
    const Vec3 arm = LAMP_ARM_DIRECTIONS[code - 11];
    const Vec3 up{0, 1, 0};
    const LocalFrame turn{{x, 0, z}, cross(up, arm), up, arm};

    set_face_colour(ctx, GREY, GREY, GREY);
    draw_post(turn, LAMP_HALF, POLE_HEIGHT);
    draw_face_table(FaceKind::Quads, LAMP_ARM, turn, TexCoords::Inherit);

    if (ctx.pass == 0) {
        if (ctx.selected) {
            glColor3f(1.0f, 1.0f, 0.0f);
        } else if (lamp_glows(ctx.time_of_day)) {
            // A burning lamp shines by itself: no light or shade on it.
            glColor3f(1.0f, 0.5f, 0.2f);
            glDisable(GL_LIGHTING);
        } else {
            glColor3f(0.5f, 0.25f, 0.1f);
            if (ctx.lighting == 1) glEnable(GL_LIGHTING);
        }
    }
    draw_face_table(FaceKind::Quads, LAMP_HEAD, turn, TexCoords::Inherit);
    relight(ctx.lighting, ctx.pass);
}

void draw_hanging_sign(const ModelContext&, float x, float z, float height) {
    const LocalFrame frame{{x, height, z}, {1, 0, 0}, {0, HANGING_SIGN_HEIGHT, 0}, {0, 0, HANGING_SIGN_HALF_WIDTH}};
    bind_model_texture("save soul");
    draw_face_table(FaceKind::Quads, HANGING_SIGN, frame);
    unbind_model_texture();
}
