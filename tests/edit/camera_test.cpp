// The free camera's construction and turns, and the eye, centre, up and sky
// centre of every camera mode, worked out by hand for a known train and car.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "camera.h"
#include "edit/edited_town.h"
#include "town.h"

namespace {

constexpr float H = 0.70710678f;  // sqrt(1/2)
constexpr float PI = 3.14159265f;

void expect_vec(Vec3 got, Vec3 want, const char* what, float tol = 1e-4f) {
    EXPECT_NEAR(got.x, want.x, tol) << what;
    EXPECT_NEAR(got.y, want.y, tol) << what;
    EXPECT_NEAR(got.z, want.z, tol) << what;
}

// look, up and right unit, square to each other and right-handed.
void expect_orthonormal(const Camera& c, const char* what) {
    ASSERT_TRUE(is_finite(c.look) && is_finite(c.up) && is_finite(c.right)) << what;
    EXPECT_NEAR(length(c.look), 1, 1e-5) << what;
    EXPECT_NEAR(length(c.up), 1, 1e-5) << what;
    EXPECT_NEAR(length(c.right), 1, 1e-5) << what;
    EXPECT_NEAR(dot(c.look, c.up), 0, 1e-4) << what;
    EXPECT_NEAR(dot(c.look, c.right), 0, 1e-4) << what;
    expect_vec(cross(c.look, c.up), c.right, what);
}

Camera constructed() { return Camera({0, 10, 10}, {0, 0, 0}, {0, 1, 0}); }

TEST(Camera, ConstructionLooksDownAtTheOriginFromTheSouth) {
    const Camera c = constructed();
    expect_vec(c.look, {0, -H, -H}, "look");
    expect_vec(c.right, {1, 0, 0}, "right");
    expect_vec(c.up, {0, H, -H}, "up");
}

TEST(Camera, RotationsTurnAboutTheirOwnAxes) {
    // About the world up, a positive angle turns +x towards -z and keeps right level.
    Camera c = constructed();
    c.rotate_about_world_up(PI / 2);
    expect_vec(c.look, {-H, -H, 0}, "world up: look");
    expect_vec(c.right, {0, 0, -1}, "world up: right");
    expect_vec(c.up, {-H, H, 0}, "world up: up");

    // About right, a positive angle tilts the view up: 45 degrees levels it.
    Camera r = constructed();
    r.rotate_about_right(PI / 4);
    expect_vec(r.look, {0, 0, -1}, "right: look");
    expect_vec(r.up, {0, 1, 0}, "right: up");
    expect_vec(r.right, {1, 0, 0}, "right: right");

    // About the camera's own (tilted) up: not the same as the world's up.
    Camera u = constructed();
    u.rotate_about_up(PI / 2);
    expect_vec(u.look, {-1, 0, 0}, "own up: look");
    expect_vec(u.right, {0, -H, -H}, "own up: right");
    expect_vec(u.up, {0, H, -H}, "own up: up");
}

TEST(Camera, TurningAViewStraightDownKeepsAValidFrame) {
    // Built looking straight down with north at the top of the picture.
    Camera down({0, 10, 0}, {0, 0, 0}, {0, 0, -1});
    expect_vec(down.look, {0, -1, 0}, "down: look");
    expect_vec(down.right, {1, 0, 0}, "down: right");
    down.rotate_about_world_up(0.3f);
    expect_orthonormal(down, "down turned about world up");
    expect_vec(down.look, {0, -1, 0}, "down turned: look");
    // The level right vector turns with the view, +x towards -z.
    expect_vec(down.right, {std::cos(0.3f), 0, -std::sin(0.3f)}, "down turned: right");

    // Pitched down until the look is vertical, then turned and pitched on.
    Camera c = constructed();
    c.rotate_about_right(-PI / 4);
    expect_orthonormal(c, "pitched vertical");
    for (int i = 0; i < 5; ++i) {
        c.rotate_about_world_up(0.7f);
        expect_orthonormal(c, "turned while vertical");
        c.rotate_about_up(0.2f);
        expect_orthonormal(c, "turned about own up");
    }
    c.rotate_about_right(-PI / 2);
    expect_orthonormal(c, "pitched past vertical");

    // A target on the eye, or an up hint along the look, still gives a frame.
    expect_orthonormal(Camera({1, 2, 3}, {1, 2, 3}, {0, 1, 0}), "target on eye");
    expect_orthonormal(Camera({0, 5, 0}, {0, 0, 0}, {0, 1, 0}), "hint along look");
}

// A town with the train running north at P = (3, 2, -5), banked so that its
// up is (H, H, 0) after the hint (1, 1, -1) is squared to the track, and car 3
// at (5, -14) heading (0.6, 0.8).
class CameraModes : public ::testing::Test {
protected:
    void SetUp() override {
        town.train.train_running = 1;
        town.train.train_pos = {3, 2, -5};
        town.train.train_dir = {0, 0, -2};
        town.train.train_up = {1, 1, -1};
        const float colour[3] = {1, 0, 0};
        town.traffic.cars[3] =
            std::make_unique<Car>(5.0f, -14.0f, 0.6f, 0.8f, -0.8f, 0.6f, 0.2f, 0, colour, 0);
        if (town.traffic.num_cars < 4) town.traffic.num_cars = 4;
        town.editor.vehicle_view = 3;
    }

    CameraView view(int mode) {
        town.editor.camera_mode = mode;
        return choose_camera_view(town, town.editor);
    }

    void expect_view(int mode, Vec3 eye, Vec3 center, Vec3 up, Vec3 sky) {
        const CameraView v = view(mode);
        const std::string m = "mode " + std::to_string(mode);
        expect_vec(v.eye, eye, (m + " eye").c_str());
        expect_vec(v.center, center, (m + " centre").c_str());
        expect_vec(v.up, up, (m + " up").c_str());
        expect_vec(v.sky_center, sky, (m + " sky centre").c_str());
    }

    EditedTown town;
};

TEST_F(CameraModes, EveryModeWhileTheTrainRuns) {
    const Vec3 p{3, 2, -5};
    const Vec3 v{H, H, 0};  // the train's up
    const Vec3 y{0, 1, 0};
    const Vec3 seat{5, 0.8f, -14};
    expect_view(0, {0, 10, 10}, {0, 10 - H, 10 - H}, {0, H, -H}, {0, 10, 10});
    expect_view(1, {3 + H, 2 + H, -5}, {3 + 0.75f * H, 2 + 0.75f * H, -7}, v, p);
    expect_view(2, {3 + 1.5f * H, 2 + 1.5f * H, -3}, {3 + 0.75f * H, 2 + 0.75f * H, -7}, v, p);
    expect_view(3, {3 + H, 2 + H, -7}, {3 + 0.5f * H, 2 + 0.5f * H, -3}, v, p);
    expect_view(4, {7, 6, -1}, p, v, p);
    expect_view(5, seat, {5.6f, 0.8f, -13.2f}, y, seat);
    expect_view(6, {3.5f, 1, -16}, {5.6f, 0.8f, -13.2f}, y, seat);
    expect_view(7, {6.5f, 1, -12}, {4.4f, 0.8f, -14.8f}, y, seat);
    // Along the free camera's look, from the driver's seat.
    expect_view(8, seat, {5, 0.8f - H, -14 - H}, {0, H, -H}, seat);
    town.editor.camera->rotate_about_world_up(PI / 2);
    expect_view(8, seat, {5 - H, 0.8f - H, -14}, {-H, H, 0}, seat);
    expect_view(9, seat, p, y, seat);
    expect_view(10, {-21.109f, 29.176f, 31.33f}, {-20.617f, 28.559f, 30.716f}, y, {-21.109f, 29.176f, 31.33f});
    expect_view(11, {7.65f, 5.515f, 4.66f}, {6.813f, 5.172f, 4.234f}, y, {7.65f, 5.515f, 4.66f});
    expect_view(12, {2.955f, 3.65f, -7.705f}, {3.766f, 3.749f, -7.129f}, y, {2.955f, 3.65f, -7.705f});
}

TEST_F(CameraModes, StoppedTrainShowsTheFreeCameraOrTheFollowView) {
    town.train.train_running = 0;
    const Vec3 free_centre{0, 10 - H, 10 - H};
    expect_view(5, {0, 10, 10}, free_centre, {0, H, -H}, {0, 10, 10});

    // A selected track point is followed from above and the south.
    for (int i = 0; i < 2; ++i) {
        town.track.points[i] =
            std::make_unique<ControlPoint>(4.0f * i, 1, -6, 0, 0, 0, 255, 0, 0, 0);
        town.track.orient_points[i] =
            std::make_unique<ControlPoint>(-2, 3.0f * i, 7, 0, 0, 0, 0, 0, 255, 0);
    }
    town.track.num_points = town.track.num_orient_points = 2;
    town.editor.sel_point = 1;
    expect_view(0, {4, 16, 9}, {4, 1, -6}, {0, 1, 0}, {0, 10, 10});
    town.follow_distance = 4;
    town.editor.ground_drag = 0;
    expect_view(0, {0, 10, 10}, free_centre, {0, H, -H}, {0, 10, 10});
    town.editor.ground_drag = 1;
    town.editor.sel_point = -1;
    town.editor.sel_orient_point = 1;
    expect_view(0, {-2, 7, 11}, {-2, 3, 7}, {0, 1, 0}, {0, 10, 10});
    town.editor.sel_orient_point = -1;
    expect_view(0, {0, 10, 10}, free_centre, {0, H, -H}, {0, 10, 10});

    // With the train running, mode 0 follows the selection too.
    town.train.train_running = 1;
    town.editor.sel_point = 0;
    expect_view(0, {0, 5, -2}, {0, 1, -6}, {0, 1, 0}, {0, 10, 10});
}

// Every vector finite, up of unit length and not along the line of sight:
// what gluLookAt needs to draw anything at all.
void expect_drawable(const CameraView& v, const std::string& what) {
    ASSERT_TRUE(is_finite(v.eye) && is_finite(v.center) && is_finite(v.up) && is_finite(v.sky_center))
        << what;
    EXPECT_NEAR(length(v.up), 1, 1e-5) << what;
    const Vec3 sight = v.center - v.eye;
    EXPECT_GT(length(sight), 0) << what;
    EXPECT_GT(length(cross(sight / length(sight), v.up)), 0.1f) << what;
}

TEST_F(CameraModes, ATrainWithoutAFrameStillGivesAPicture) {
    struct Case {
        Vec3 dir, up;
        const char* what;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 1, 0}, "no direction yet"},
        {{0, 0, -2}, {0, 0, 0}, "no up"},
        {{0, 0, 0}, {0, 0, 0}, "neither"},
        {{0, 0, -2}, {0, 0, -5}, "up along the track"},
        {{0, 3, 0}, {0, 1, 0}, "climbing straight up"},
        {{0, -3, 0}, {0, 0, 0}, "falling, no up"},
        // Banked so that its up runs straight along mode 4's line of sight.
        {{1, -1, 0}, {1, 1, 1}, "up towards the camera above"},
    };
    for (const Case& c : cases) {
        town.train.train_dir = c.dir;
        town.train.train_up = c.up;
        for (int mode = 1; mode <= 4; ++mode) {
            expect_drawable(view(mode), std::string(c.what) + ", mode " + std::to_string(mode));
        }
    }
    // A train not yet moving faces east, as its headlight does.
    town.train.train_dir = {0, 0, 0};
    town.train.train_up = {0, 1, 0};
    expect_view(1, {3, 3, -5}, {5, 2.75f, -5}, {0, 1, 0}, {3, 2, -5});
}

TEST_F(CameraModes, CarViewsWithoutACarOrAboveOneStayDefined) {
    // The train straight above the driver: looking up along the world's up.
    town.train.train_pos = {5, 10, -14};
    expect_drawable(view(9), "train above the car");
    // A car standing on the train's position.
    town.train.train_pos = {5, 0.8f, -14};
    expect_drawable(view(9), "train on the car");

    // An empty car slot or an index past the cars falls back to the free camera.
    town.traffic.cars[3].reset();
    expect_view(5, {0, 10, 10}, {0, 10 - H, 10 - H}, {0, H, -H}, {0, 10, 10});
    town.editor.vehicle_view = MAX_CARS + 4;
    expect_view(6, {0, 10, 10}, {0, 10 - H, 10 - H}, {0, H, -H}, {0, 10, 10});
    // So does a mode past the last one.
    expect_view(13, {0, 10, 10}, {0, 10 - H, 10 - H}, {0, H, -H}, {0, 10, 10});
}

}  // namespace
