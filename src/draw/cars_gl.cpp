// The traffic cars and their headlight beams. Each car model is a side
// profile extruded across the car's width; its faces are built from the
// profile at compile time and drawn in the car's own frame (f forward, y up,
// s toward its right).
#include <GL/gl.h>

#include <array>
#include <cstddef>

#include "draw_cache.h"
#include "face_table.h"
#include "view_volume.h"
#include "world_blocks.h"
#include "town.h"

namespace {

// Profile points: the rear and front floor corners, then the outline over
// the top from front to rear.
enum ProfilePoint { B0, B1, P1, P2, P3, P4, P5, P6, PROFILE_POINTS };

struct OutlinePoint {
    float f, y;
};
using Profile = std::array<OutlinePoint, PROFILE_POINTS>;

constexpr Profile SALOON = {{{-0.45f, 0.1f}, {0.45f, 0.1f}, {0.4f, 0.252f}, {0.2f, 0.28f},
                             {0.07f, 0.42f}, {-0.1f, 0.42f}, {-0.25f, 0.28f}, {-0.42f, 0.266f}}};
constexpr Profile VAN = {{{-0.45f, 0.1f}, {0.45f, 0.1f}, {0.42f, 0.4f}, {0.4f, 0.45f},
                          {0.2f, 0.6f}, {0.08f, 0.6f}, {-0.2f, 0.6f}, {-0.42f, 0.57f}}};
constexpr Profile TALL_SALOON = {{{-0.45f, 0.1f}, {0.45f, 0.1f}, {0.42f, 0.306f}, {0.2f, 0.34f},
                                  {0.07f, 0.51f}, {-0.1f, 0.51f}, {-0.11f, 0.34f}, {-0.445f, 0.323f}}};

constexpr float FLOOR_Y = 0.1f;
constexpr float VAN_WAIST_Y = 0.45f;  // the van's side windows start here
constexpr float HALF_WIDTH = 0.25f;

// How a face is skinned. A lower door panel is drawn under the bound
// "window" texture without coordinates of its own: it takes the coordinate
// of the last window corner drawn before it, one texel tinted by the body.
enum class Skin { Plain, Window, UnderWindow };

// One face joining two outline points across the car's width; the normal
// is given in (f, y).
struct CrossFaceRef {
    int from, to;
    float nf, ny;
    Skin skin;
};

// A corner of a side face: an outline point, or the point straight below it
// on the floor, or (van) at its waist.
enum class Drop { None, Floor, Waist };
struct SideCornerRef {
    int point;
    Drop drop;
    float s, t;
};
struct SideFaceRef {
    SideCornerRef corner[4];
    FaceKind kind;
    Skin skin;
};

constexpr CrossFaceRef SALOON_CROSS[] = {
    {B0, B1, 0, -1, Skin::Plain},   // floor
    {B1, P1, 1, 0, Skin::Plain},    // nose
    {P1, P2, 0, 1, Skin::Plain},    // bonnet
    {P2, P3, 1, 0, Skin::Window},   // windscreen
    {P3, P4, 0, 1, Skin::Plain},    // roof
    {P4, P5, -1, 0, Skin::Window},  // rear window
    {P5, P6, 0, 1, Skin::Plain},    // boot lid
    {P6, B0, -1, 0, Skin::Plain},   // tail
};
constexpr CrossFaceRef VAN_CROSS[] = {
    {B0, B1, 0, -1, Skin::Plain},  // floor
    {B1, P1, 1, 0, Skin::Plain},   // lower front
    {P1, P2, 1, 0, Skin::Plain},   // upper front
    {P2, P3, 1, 0, Skin::Window},  // windscreen
    {P3, P4, 0, 1, Skin::Plain},   // roof, front part
    {P4, P5, 0, 1, Skin::Plain},   // roof, middle
    {P5, P6, 0, 1, Skin::Plain},   // roof, rear part
    {P6, B0, -1, 0, Skin::Plain},  // tail
};
constexpr int CROSS_FACES = 8;
static_assert(sizeof(SALOON_CROSS) / sizeof(SALOON_CROSS[0]) == CROSS_FACES, "one face per outline edge");
static_assert(sizeof(VAN_CROSS) / sizeof(VAN_CROSS[0]) == CROSS_FACES, "one face per outline edge");

// The left side (s = -0.25), front to rear; the tips repeat a corner.
constexpr SideFaceRef SALOON_SIDE[] = {
    {{{P1, Drop::Floor, 0, 0}, {P1, Drop::None, 0, 0}, {B1, Drop::None, 0, 0}, {B1, Drop::None, 0, 0}},
     FaceKind::Quads, Skin::Plain},  // front tip
    {{{P2, Drop::Floor, 0, 0}, {P2, Drop::None, 0, 0}, {P1, Drop::None, 0, 0}, {P1, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},
    {{{P5, Drop::Floor, 0, 0}, {P5, Drop::None, 0, 0}, {P2, Drop::None, 0, 0}, {P2, Drop::Floor, 0, 0}},
     FaceKind::Polygon, Skin::UnderWindow},  // lower door panel
    {{{P5, Drop::None, 1, 0}, {P4, Drop::None, 1, 1}, {P3, Drop::None, 0, 1}, {P2, Drop::None, 0, 0}},
     FaceKind::Polygon, Skin::Window},  // side window
    {{{P6, Drop::Floor, 0, 0}, {P6, Drop::None, 0, 0}, {P5, Drop::None, 0, 0}, {P5, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},
    {{{B0, Drop::None, 0, 0}, {B0, Drop::None, 0, 0}, {P6, Drop::None, 0, 0}, {P6, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},  // rear tip
};
constexpr SideFaceRef VAN_SIDE[] = {
    {{{P1, Drop::Floor, 0, 0}, {P1, Drop::None, 0, 0}, {B1, Drop::None, 0, 0}, {B1, Drop::None, 0, 0}},
     FaceKind::Quads, Skin::Plain},  // front tip
    {{{P2, Drop::Floor, 0, 0}, {P2, Drop::None, 0, 0}, {P1, Drop::None, 0, 0}, {P1, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},
    {{{P2, Drop::None, 0, 0}, {P2, Drop::Floor, 0, 0}, {P4, Drop::Floor, 0, 0}, {P4, Drop::Waist, 0, 0}},
     FaceKind::Polygon, Skin::UnderWindow},  // lower door panel
    {{{P2, Drop::None, 0, 0}, {P4, Drop::Waist, 0, 1}, {P4, Drop::None, 1, 1}, {P3, Drop::None, 1, 0}},
     FaceKind::Polygon, Skin::Window},  // side window
    {{{P5, Drop::Floor, 0, 0}, {P5, Drop::None, 0, 0}, {P4, Drop::None, 0, 0}, {P4, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},
    {{{P6, Drop::Floor, 0, 0}, {P6, Drop::None, 0, 0}, {P5, Drop::None, 0, 0}, {P5, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},
    {{{B0, Drop::None, 0, 0}, {B0, Drop::None, 0, 0}, {P6, Drop::None, 0, 0}, {P6, Drop::Floor, 0, 0}},
     FaceKind::Quads, Skin::Plain},  // rear tip
};
constexpr std::size_t SALOON_SIDE_FACES = sizeof(SALOON_SIDE) / sizeof(SALOON_SIDE[0]);
constexpr std::size_t VAN_SIDE_FACES = sizeof(VAN_SIDE) / sizeof(VAN_SIDE[0]);
static_assert(SALOON_SIDE_FACES == 6 && VAN_SIDE_FACES == 7, "the van's taller side has one face more");

struct CarFace {
    QuadFace face;
    FaceKind kind;
    Skin skin;
};

template <std::size_t SIDE>
using CarModel = std::array<CarFace, CROSS_FACES + 2 * SIDE>;

constexpr TableCorner side_corner(const Profile& p, const SideCornerRef& c, float s) {
    const OutlinePoint o = p[static_cast<std::size_t>(c.point)];
    const float y = c.drop == Drop::Floor ? FLOOR_Y : c.drop == Drop::Waist ? VAN_WAIST_Y : o.y;
    return {o.f, y, s, c.s, c.t};
}

// The cross faces, then the left side, then the right side: the same faces
// at s = +0.25 with their corners reversed (so they still wind outward) and
// each corner keeping its texture coordinate.
template <std::size_t SIDE>
constexpr CarModel<SIDE> build_car(const Profile& p, const CrossFaceRef (&cross)[CROSS_FACES],
                                   const SideFaceRef (&side)[SIDE]) {
    CarModel<SIDE> out{};
    std::size_t k = 0;
    for (const CrossFaceRef& c : cross) {
        const OutlinePoint u = p[static_cast<std::size_t>(c.from)];
        const OutlinePoint v = p[static_cast<std::size_t>(c.to)];
        const bool window = c.skin == Skin::Window;
        CarFace& face = out[k++];
        face.face = {c.nf, c.ny, 0,
                     {{u.f, u.y, -HALF_WIDTH, window ? 1.0f : 0.0f, 0},
                      {v.f, v.y, -HALF_WIDTH, window ? 1.0f : 0.0f, window ? 1.0f : 0.0f},
                      {v.f, v.y, HALF_WIDTH, 0, window ? 1.0f : 0.0f},
                      {u.f, u.y, HALF_WIDTH, 0, 0}}};
        face.kind = FaceKind::Quads;
        face.skin = c.skin;
    }
    for (const SideFaceRef& sf : side) {
        CarFace& face = out[k++];
        face.face.nz = -1;
        for (int i = 0; i < 4; ++i) face.face.corner[i] = side_corner(p, sf.corner[i], -HALF_WIDTH);
        face.kind = sf.kind;
        face.skin = sf.skin;
    }
    for (const SideFaceRef& sf : side) {
        CarFace& face = out[k++];
        face.face.nz = 1;
        for (int i = 0; i < 4; ++i) face.face.corner[i] = side_corner(p, sf.corner[3 - i], HALF_WIDTH);
        face.kind = sf.kind;
        face.skin = sf.skin;
    }
    return out;
}

constexpr CarModel<SALOON_SIDE_FACES> SALOON_FACES = build_car(SALOON, SALOON_CROSS, SALOON_SIDE);
constexpr CarModel<VAN_SIDE_FACES> VAN_FACES = build_car(VAN, VAN_CROSS, VAN_SIDE);
constexpr CarModel<SALOON_SIDE_FACES> TALL_SALOON_FACES = build_car(TALL_SALOON, SALOON_CROSS, SALOON_SIDE);

// The beam on the road ahead of a car, in car coordinates, facing up.
constexpr QuadFace BEAM_FACES[] = {
    {0, 1, 0, {{3, 0.1f, -0.65f, 1, 1}, {0.45f, 0.1f, -0.65f, 1, 0}, {0.45f, 0.1f, 0.65f, 0, 0},
               {3, 0.1f, 0.65f, 0, 1}}},
};
static_assert(sizeof(BEAM_FACES) / sizeof(BEAM_FACES[0]) == 1, "one beam per car");

constexpr float BEAM_COLOUR[4] = {1, 1, 0, 0.5f};

// Car coordinates (f, y, s) to the world: f along the heading, s along the
// car's side vector, y up from the ground.
LocalFrame car_frame(const Car& car) {
    LocalFrame frame;
    frame.origin = {car.x, 0, car.z};
    frame.x_axis = {car.dir_x, 0, car.dir_z};
    frame.y_axis = {0, 1, 0};
    frame.z_axis = {car.side_x, 0, car.side_z};
    return frame;
}

// Which of a model's faces a drawing sends: all of them, each skinned face
// binding the window texture for itself; or only the plain ones, or only
// the skinned ones, under whatever is bound.
enum class FacesDrawn { All, Plain, Skinned };

template <std::size_t N>
void draw_car_model(const std::array<CarFace, N>& faces, const LocalFrame& frame, FacesDrawn which) {
    for (const CarFace& f : faces) {
        const bool plain = f.skin == Skin::Plain;
        if ((which == FacesDrawn::Plain && !plain) || (which == FacesDrawn::Skinned && plain)) continue;
        if (which == FacesDrawn::All && !plain) bind_texture("window");
        draw_face_table(f.kind, &f.face, 1, frame, f.skin == Skin::Window ? TexCoords::Emit : TexCoords::Inherit);
        if (which == FacesDrawn::All && f.skin == Skin::Window) unbind_texture();
    }
}

// Calls draw with the model's face table; an unknown model has none.
template <class Draw>
bool with_model(int model, Draw draw) {
    switch (model) {
        case 0: draw(SALOON_FACES); return true;
        case 1: draw(VAN_FACES); return true;
        case 2: draw(TALL_SALOON_FACES); return true;
        default: return false;
    }
}

// What drawing a model leaves current for whatever comes next: the last
// face's normal, the last window corner's texture coordinate and no texture
// bound. A car left out of the view leaves the same.
template <std::size_t N>
void leave_as_model_would(const std::array<CarFace, N>& faces, const LocalFrame& frame) {
    const CarFace& last = faces[N - 1];
    const Vec3 n = frame.normal(last.face.nx, last.face.ny, last.face.nz);
    glNormal3f(n.x, n.y, n.z);
    for (std::size_t i = N; i-- > 0;) {
        if (faces[i].skin != Skin::Window) continue;
        // Polygons and quads alike are sent ending on their fourth corner.
        glTexCoord2f(faces[i].face.corner[3].s, faces[i].face.corner[3].t);
        unbind_texture();
        return;
    }
}

// Boxes in car coordinates (f, y, s) round all a car can cover: its body
// (0.45 each way, 0.25 to each side, from its floor at 0.1 to 0.6 up) and
// the beam on the road ahead (0.45 to 3 ahead, 0.65 to each side, at 0.1).
// Each reaches past what it bounds.
constexpr float BODY_BOX[2][3] = {{-0.55f, 0.06f, -0.35f}, {0.55f, 0.7f, 0.35f}};
constexpr float BEAM_BOX[2][3] = {{0.35f, 0.05f, -0.75f}, {3.1f, 0.15f, 0.75f}};

// The corners of a car-coordinate box through the car's frame: whatever
// way the car heads, its world box holds the turned box whole.
Bounds car_box(const Car& car, const float (&box)[2][3]) {
    const LocalFrame frame = car_frame(car);
    Bounds out;
    for (int corner = 0; corner < 8; ++corner) {
        out.add(frame.point(box[corner & 1][0], box[(corner >> 1) & 1][1], box[(corner >> 2) & 1][2]));
    }
    return out;
}

// Cars are left out only of pictures that are drawn, with the frame's
// lists (which count them) at hand and culling on.
bool culling_cars(const DrawCaches* caches) {
    if (caches == nullptr || !caches->culling) return false;
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER;
}

}  // namespace

void draw_headlight_beams(const Town& town, int pass) { draw_beams_in_view(town, nullptr, pass); }

void draw_beams_in_view(const Town& town, DrawCaches* caches, int pass) {
    if (pass != 0 || town.train.train_running != 1 || !is_night(town.sky.time_of_day)) return;
    const bool culling = culling_cars(caches);
    const ViewVolume view = ViewVolume::current();
    const int count = town.traffic.num_cars < MAX_CARS ? town.traffic.num_cars : MAX_CARS;
    for (int i = 0; i < count; ++i) {
        if (!town.traffic.cars[i]) continue;
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_LIGHTING);
        bind_texture("headlights");
        glColor4f(BEAM_COLOUR[0], BEAM_COLOUR[1], BEAM_COLOUR[2], BEAM_COLOUR[3]);
        const LocalFrame frame = car_frame(*town.traffic.cars[i]);
        if (culling && !view.may_show(car_box(*town.traffic.cars[i], BEAM_BOX))) {
            // What the beam's quad leaves current: its normal, its last corner.
            const QuadFace& beam = BEAM_FACES[0];
            const Vec3 n = frame.normal(beam.nx, beam.ny, beam.nz);
            glNormal3f(n.x, n.y, n.z);
            glTexCoord2f(beam.corner[3].s, beam.corner[3].t);
        } else {
            draw_face_table(FaceKind::Quads, BEAM_FACES, frame);
        }
        unbind_texture();
        if (town.sky.lighting == 1) glEnable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
    }
}

namespace {

// Car by car, each skinned face binding the window texture for itself.
void draw_car_by_car(const Town& town, int pass, const bool* shown, int last) {
    for (int i = 0; i <= last; ++i) {
        if (!town.traffic.cars[i]) continue;
        const Car& car = *town.traffic.cars[i];
        // The whole car, windows included, takes the body colour.
        if (pass == 0) glColor3f(car.color[0], car.color[1], car.color[2]);
        const LocalFrame frame = car_frame(car);
        with_model(car.model, [&](const auto& faces) {
            if (shown[i]) {
                draw_car_model(faces, frame, FacesDrawn::All);
            } else {
                leave_as_model_would(faces, frame);
            }
        });
    }
}

// The lit cars with one bind of the window texture: every car's plain
// faces, then every car's skinned faces in the car's own order, so a door
// panel still takes the coordinate of its car's window before it. Cars are
// solid and do not blend, so the depth test keeps the same nearest face
// whichever car comes first. Then the state the last car leaves drawn car
// by car.
void draw_windows_together(const Town& town, const bool* shown, int last) {
    for (const FacesDrawn which : {FacesDrawn::Plain, FacesDrawn::Skinned}) {
        if (which == FacesDrawn::Skinned) bind_texture("window");
        for (int i = 0; i <= last; ++i) {
            if (!town.traffic.cars[i] || !shown[i]) continue;
            const Car& car = *town.traffic.cars[i];
            glColor3f(car.color[0], car.color[1], car.color[2]);
            const LocalFrame frame = car_frame(car);
            with_model(car.model, [&](const auto& faces) { draw_car_model(faces, frame, which); });
        }
    }
    unbind_texture();
    const Car& final_car = *town.traffic.cars[last];
    glColor3f(final_car.color[0], final_car.color[1], final_car.color[2]);
    for (int i = last; i >= 0; --i) {
        if (!town.traffic.cars[i]) continue;
        const LocalFrame frame = car_frame(*town.traffic.cars[i]);
        if (with_model(town.traffic.cars[i]->model, [&](const auto& faces) { leave_as_model_would(faces, frame); })) break;
    }
}

bool texture_bound() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound != 0;
}

// The cars the view may show, all of them when not culling; how many were
// left out goes to left_out_count when there is one.
void draw_shown_cars(const Town& town, bool culling, int* left_out_count, int pass) {
    if (town.train.train_running != 1) return;
    // The view of this pass: in the shadow pass, the flattened one.
    const ViewVolume view = ViewVolume::current();
    const int count = town.traffic.num_cars < MAX_CARS ? town.traffic.num_cars : MAX_CARS;
    bool shown[MAX_CARS] = {};
    int last = -1, left_out = 0;
    for (int i = 0; i < count; ++i) {
        if (!town.traffic.cars[i]) continue;
        last = i;
        shown[i] = !culling || view.may_show(car_box(*town.traffic.cars[i], BODY_BOX));
        left_out += shown[i] ? 0 : 1;
    }
    if (culling && left_out_count) *left_out_count = left_out;
    if (last < 0) return;
    // Shadows blend, and flattened faces tie in depth: their order stays.
    // Lit plain faces drawn before a window are drawn under no texture only
    // when none was bound before the cars.
    if (pass == 0 && !texture_bound()) {
        draw_windows_together(town, shown, last);
    } else {
        draw_car_by_car(town, pass, shown, last);
    }
}

}  // namespace

void draw_cars(const Town& town, int pass) { draw_cars_in_view(town, nullptr, pass); }

void draw_cars_in_view(const Town& town, DrawCaches* caches, int pass) {
    draw_shown_cars(town, culling_cars(caches), caches ? &caches->cars_left_out[pass == 0 ? 0 : 1] : nullptr, pass);
}

// The pick draws into a box of a few pixels: the cars it cannot show cost
// it nothing, as they cost the frame nothing.
void draw_cars_in_pick_view(const Town& town) { draw_shown_cars(town, true, nullptr, 0); }
