// The background as a camera sees it: sky faces with their own textures,
// dimmed by the daylight and writing no depth, and the streets, blocks and
// land of the ground where the town's grid puts them.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "draw.h"
#include "texture_cache.h"
#include "base/tga_files.h"
#include "support/gl_context.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

struct Colour {
    uint8_t r, g, b;
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

// One context and one directory of test textures for the whole suite: the
// texture cache keeps what it loaded for the life of the process.
class SkyGroundGl : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = std::make_unique<ScratchDir>();
        std::filesystem::create_directory(scratch->file("textures"));
        // 6 x 5 images, their left three columns one colour and their right three another.
        const auto halves = [](const std::string& name, Colour left, Colour right) {
            EXPECT_TRUE(write_picture(scratch->file("textures/" + name + ".tga"), 6, 5, [&](int x, int) {
                const Colour c = x < 3 ? left : right;
                return Bytes{c.r, c.g, c.b, 255};
            })) << name;
        };
        for (const SkyImage& s : SKY_IMAGES) halves(s.name, s.left, s.right);
        halves("concrete", CONCRETE, CONCRETE);
        halves("cement", CEMENT, CEMENT);
        cwd = std::make_unique<WorkingDir>(scratch->path());
        context = std::make_unique<OffscreenContext>(WIDTH, HEIGHT);
    }
    static void TearDownTestSuite() {
        context.reset();
        cwd.reset();
        scratch.reset();
    }

    void SetUp() override {
        // A texture cached in an earlier context of this process is a name
        // without an image here.
        glBindTexture(GL_TEXTURE_2D, texture_by_name("cement", true, true));
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glBindTexture(GL_TEXTURE_2D, 0);
        if (width == 0) GTEST_SKIP() << "textures were cached by another context; run this test on its own";
    }

    // The frame's state around the camera and the background: textures on,
    // back faces culled, lighting on when the town asks for it.
    void draw(const Camera& cam) {
        *town.editor.camera = cam;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
        if (town.sky.lighting == 1) {
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
        drawing.sky_center = set_camera(town, town.editor);
        draw_background(town, drawing);
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

    static inline std::unique_ptr<ScratchDir> scratch;
    static inline std::unique_ptr<WorkingDir> cwd;
    static inline std::unique_ptr<OffscreenContext> context;
    EditedTown town;
    DrawState drawing;
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
        drawing.daylight = l.daylight;
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
    town.sky.lighting = 0;
    // Straight down on the origin from 60 up, north at the top of the picture.
    draw(Camera({0, 60, 0}, {0, 0, 0}, {0, 0, -1}));
    expect_colour(context->pixel(WIDTH / 2, HEIGHT / 2), CONCRETE, 1, "centre of the picture");
    const auto expect_ground = [&](std::initializer_list<Vec3> points, Colour want, const char* what) {
        for (const Vec3& p : points) {
            expect_colour(at(p), want, 1, std::string(what) + " at x " + std::to_string(p.x) + " z " + std::to_string(p.z));
        }
    };
    expect_ground({{0, 0, -7}, {0, 0, 9}, {-6, 0, 0}, {8, 0, 0}, {-14, 0, 5}, {14, 0, -3}, {6, 0, -14}, {-5, 0, 14}},
                  CONCRETE, "street");
    expect_ground({{-7, 0, -6}, {7, 0, -8}, {6, 0, 7}, {-8, 0, 6}}, CEMENT, "block");
    expect_ground({{-25, 0, 0}, {30, 0, 10}, {0, 0, 20}, {-20, 0, -20}}, LAND, "land");
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    // Close over the north-west corner: the streets are two units wide.
    draw(Camera({-13, 12, -13}, {-13, 0, -13}, {0, 0, -1}));
    expect_ground({{-13.6f, 0, -9}, {-14.6f, 0, -14.6f}}, CONCRETE, "west ring street's inner half, corner");
    expect_ground({{-12.4f, 0, -9}, {-9, 0, -12.4f}}, CEMENT, "north-west block by the ring streets");
    expect_ground({{-15.4f, 0, -9}, {-9, 0, -15.4f}}, LAND, "land west and north of the town");
}

TEST_F(SkyGroundGl, GroundIsSeenFromAboveOnly) {
    town.sky.lighting = 0;
    drawing.daylight = 1;
    // From under the ground looking up, the ground's back faces are culled and
    // the top of the sky shows through, as from above the ground hides it.
    draw(Camera({3, -5, 4}, {3, 0, 4}, {0, 0, 1}));
    expect_colour(context->pixel(WIDTH / 4, HEIGHT / 2), SKY_IMAGES[4].left, 1, "sky top seen through the ground");
}

TEST_F(SkyGroundGl, SkyBoxFollowsTheCameraAnchor) {
    drawing.daylight = 1;
    town.train.train_running = 1;
    town.train.train_pos = {-40, 3, 30};
    town.train.train_dir = {0, 0, -1};
    town.train.train_up = {0, 1, 0};
    // Riding the train far out in the south-west, looking north along the
    // track: the box is centred on the train, so its front face still fills
    // the sky although the train stands 40 units from the origin.
    town.editor.camera_mode = 1;
    draw(*town.editor.camera);
    EXPECT_FLOAT_EQ(drawing.sky_center.x, -40);
    EXPECT_FLOAT_EQ(drawing.sky_center.y, 3);
    EXPECT_FLOAT_EQ(drawing.sky_center.z, 30);
    expect_colour(context->pixel(WIDTH / 4, HEIGHT * 7 / 8), SKY_IMAGES[0].left, 1, "front face, left");
    expect_colour(context->pixel(WIDTH * 3 / 4, HEIGHT * 7 / 8), SKY_IMAGES[0].right, 1, "front face, right");
}
