// The background as a camera sees it: sky faces with their own textures,
// dimmed by the daylight and writing no depth, and the streets, blocks and
// land of the ground where the town's grid puts them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "render/draw.h"
#include "render/texture_cache.h"
#include "render/tga.h"
#include "support/gl_context.h"
#include "view/town.h"

namespace {

struct Colour {
    int r, g, b;
};

// Each sky face has its own pair of colours, one for the left half of its
// image and one for the right half, so a swapped or mirrored face shows.
struct SkyImage {
    const char* name;
    Colour left, right;
};
constexpr SkyImage SKY_IMAGES[] = {
    {"sky front", {240, 20, 20}, {240, 140, 20}},
    {"sky left", {20, 240, 20}, {20, 240, 140}},
    {"sky back", {20, 20, 240}, {140, 20, 240}},
    {"sky right", {240, 240, 20}, {140, 240, 20}},
    {"sky top", {20, 240, 240}, {20, 140, 240}},
};
constexpr Colour CONCRETE{200, 60, 40};
constexpr Colour CEMENT{40, 80, 220};
// Cement under the land's tint (112, 135, 90).
constexpr Colour LAND{40 * 112 / 255, 80 * 135 / 255, 220 * 90 / 255};

constexpr int WIDTH = 160;
constexpr int HEIGHT = 120;

// An image 6 wide and 5 high, its left three columns one colour and its right three another.
void write_halves(const std::string& path, Colour left, Colour right) {
    constexpr int w = 6, h = 5;
    std::vector<unsigned char> pixels(w * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Colour c = x < w / 2 ? left : right;
            unsigned char* p = &pixels[(y * w + x) * 4];
            p[0] = static_cast<unsigned char>(c.r);
            p[1] = static_cast<unsigned char>(c.g);
            p[2] = static_cast<unsigned char>(c.b);
            p[3] = 255;
        }
    }
    ASSERT_EQ(write_tga(path.c_str(), w, h, pixels.data(), TGA_RGBA), 1) << path;
}

// One context and one directory of test textures for the whole suite: the
// texture cache keeps what it loaded for the life of the process.
class SkyGroundGl : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char name[] = "/tmp/quill_sky_XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        scratch = name;
        std::filesystem::create_directory(scratch + "/textures");
        for (const SkyImage& s : SKY_IMAGES) write_halves(scratch + "/textures/" + s.name + ".tga", s.left, s.right);
        write_halves(scratch + "/textures/concrete.tga", CONCRETE, CONCRETE);
        write_halves(scratch + "/textures/cement.tga", CEMENT, CEMENT);
        old_dir = std::filesystem::current_path();
        std::filesystem::current_path(scratch);
        context = std::make_unique<OffscreenContext>(WIDTH, HEIGHT);
    }
    static void TearDownTestSuite() {
        context.reset();
        std::filesystem::current_path(old_dir);
        std::filesystem::remove_all(scratch);
    }

    void SetUp() override {
        // A texture cached in an earlier context of this process is a name
        // without an image here.
        int clock = 0;
        glBindTexture(GL_TEXTURE_2D, texture_by_name("cement", true, true, &clock));
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (width == 0) GTEST_SKIP() << "textures were cached by another context; run this test on its own";
    }

    // The frame's state around the camera and the background: textures on,
    // back faces culled, lighting on when the town asks for it.
    void draw(const Camera& cam) {
        *town.camera = cam;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
        if (town.lighting == 1) {
            glEnable(GL_LIGHTING);
            glEnable(GL_COLOR_MATERIAL);
        } else {
            glDisable(GL_LIGHTING);
        }
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, static_cast<double>(WIDTH) / HEIGHT, 1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        set_camera(town);
        draw_background(town);
        glFinish();
    }

    // The pixel a world point lands on.
    Rgba at(Vec3 p) const {
        GLdouble model[16], proj[16];
        GLint view[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, view);
        GLdouble x = 0, y = 0, z = 0;
        gluProject(p.x, p.y, p.z, model, proj, view, &x, &y, &z);
        return context->pixel(static_cast<int>(x), static_cast<int>(y));
    }

    static float depth_at(int x, int y) {
        GLfloat d = 0;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
        return d;
    }

    static inline std::string scratch;
    static inline std::filesystem::path old_dir;
    static inline std::unique_ptr<OffscreenContext> context;
    Town town{nullptr};
};

void expect_colour(Rgba got, Colour want, float scale, const std::string& what) {
    EXPECT_NEAR(got.r, want.r * scale, 3) << what;
    EXPECT_NEAR(got.g, want.g * scale, 3) << what;
    EXPECT_NEAR(got.b, want.b * scale, 3) << what;
}

// From a point 2 above the town square, level views into each side face and
// one straight up (south at the top, where the top face's image is upright).
struct Look {
    Vec3 dir, hint;
};
constexpr Look LOOKS[] = {
    {{0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}},
    {{1, 0, 0}, {0, 1, 0}},  {{0, 1, 0}, {0, 0, 1}},
};
static_assert(std::size(LOOKS) == std::size(SKY_IMAGES), "one view per sky face");

}  // namespace

TEST_F(SkyGroundGl, SkyFacesShowTheirImagesDimmedByTheDaylight) {
    struct Light {
        float daylight, scale;
    };
    // Noon, half daylight, dawn and midnight: never darker than 3 %.
    const Light lights[] = {{1.0f, 1.0f}, {0.5f, 0.515f}, {0.0f, 0.03f}, {-3.0f, 0.03f}};
    for (const Light& l : lights) {
        town.daylight = l.daylight;
        for (std::size_t i = 0; i < std::size(LOOKS); ++i) {
            const Vec3 eye{0, 2, 0};
            draw(Camera(eye, eye + LOOKS[i].dir, LOOKS[i].hint));
            const std::string what = std::string(SKY_IMAGES[i].name) + " at daylight " + std::to_string(l.daylight);
            // Upper quarter of the picture: sky, the left and right halves of its image.
            const int y = LOOKS[i].dir.y > 0 ? HEIGHT / 2 : HEIGHT * 3 / 4;
            expect_colour(context->pixel(WIDTH / 4, y), SKY_IMAGES[i].left, l.scale, what + ", left");
            expect_colour(context->pixel(WIDTH * 3 / 4, y), SKY_IMAGES[i].right, l.scale, what + ", right");
            // Unlit although lighting is on and no light shines, and no depth written.
            EXPECT_EQ(depth_at(WIDTH / 4, y), 1.0f) << what;
            EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << what;
            EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << what;
        }
    }
    // The ground below the horizon covers the sky and does write depth.
    draw(Camera({0, 2, 0}, {0, 2, -1}, {0, 1, 0}));
    EXPECT_LT(depth_at(WIDTH / 2, HEIGHT / 8), 1.0f);
}

TEST_F(SkyGroundGl, GroundFromAboveShowsStreetsBlocksAndLand) {
    town.lighting = 0;
    // Straight down on the origin from 60 up, north at the top of the picture.
    draw(Camera({0, 60, 0}, {0, 0, 0}, {0, 0, -1}));
    expect_colour(context->pixel(WIDTH / 2, HEIGHT / 2), CONCRETE, 1, "centre of the picture");
    const Vec3 streets[] = {{0, 0, -7}, {0, 0, 9}, {-6, 0, 0}, {8, 0, 0}, {-14, 0, 5}, {14, 0, -3}, {6, 0, -14}, {-5, 0, 14}};
    for (const Vec3& p : streets) expect_colour(at(p), CONCRETE, 1, "street at x " + std::to_string(p.x) + " z " + std::to_string(p.z));
    const Vec3 blocks[] = {{-7, 0, -6}, {7, 0, -8}, {6, 0, 7}, {-8, 0, 6}};
    for (const Vec3& p : blocks) expect_colour(at(p), CEMENT, 1, "block at x " + std::to_string(p.x) + " z " + std::to_string(p.z));
    const Vec3 land[] = {{-25, 0, 0}, {30, 0, 10}, {0, 0, 20}, {-20, 0, -20}};
    for (const Vec3& p : land) expect_colour(at(p), LAND, 1, "land at x " + std::to_string(p.x) + " z " + std::to_string(p.z));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    // Close over the north-west corner: the streets are two units wide.
    draw(Camera({-13, 12, -13}, {-13, 0, -13}, {0, 0, -1}));
    expect_colour(at({-13.6f, 0, -9}), CONCRETE, 1, "west ring street, inner half");
    expect_colour(at({-12.4f, 0, -9}), CEMENT, 1, "north-west block by the west street");
    expect_colour(at({-9, 0, -12.4f}), CEMENT, 1, "north-west block by the north street");
    expect_colour(at({-15.4f, 0, -9}), LAND, 1, "land west of the town");
    expect_colour(at({-9, 0, -15.4f}), LAND, 1, "land north of the town");
    expect_colour(at({-14.6f, 0, -14.6f}), CONCRETE, 1, "corner of the ring streets");
}

TEST_F(SkyGroundGl, GroundIsSeenFromAboveOnly) {
    town.lighting = 0;
    town.daylight = 1;
    // From under the ground looking up, the ground's back faces are culled and
    // the top of the sky shows through, as from above the ground hides it.
    draw(Camera({3, -5, 4}, {3, 0, 4}, {0, 0, 1}));
    expect_colour(context->pixel(WIDTH / 4, HEIGHT / 2), SKY_IMAGES[4].left, 1, "sky top seen through the ground");
}

TEST_F(SkyGroundGl, SkyBoxFollowsTheCameraAnchor) {
    town.daylight = 1;
    town.train_running = 1;
    town.train_pos = {-40, 3, 30};
    town.train_dir = {0, 0, -1};
    town.train_up = {0, 1, 0};
    // Riding the train far out in the south-west, looking north along the
    // track: the box is centred on the train, so its front face still fills
    // the sky although the train stands 40 units from the origin.
    town.camera_mode = 1;
    draw(*town.camera);
    EXPECT_FLOAT_EQ(town.sky_center.x, -40);
    EXPECT_FLOAT_EQ(town.sky_center.y, 3);
    EXPECT_FLOAT_EQ(town.sky_center.z, 30);
    expect_colour(context->pixel(WIDTH / 4, HEIGHT * 7 / 8), SKY_IMAGES[0].left, 1, "front face, left");
    expect_colour(context->pixel(WIDTH * 3 / 4, HEIGHT * 7 / 8), SKY_IMAGES[0].right, 1, "front face, right");
}
