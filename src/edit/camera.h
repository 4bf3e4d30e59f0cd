// The free camera and the choice of eye, centre and up for every camera mode:
// pure arithmetic, so every mode can be checked without a display.
#pragma once

#include "vec3.h"

struct Town;
struct Editor;

// Camera modes (Editor::camera_mode). Modes 1 to 12 apply only while the train runs.
enum CameraMode {
    CAMERA_FREE = 0,
    CAMERA_ON_TRAIN = 1,
    CAMERA_BEHIND_TRAIN = 2,
    CAMERA_TRAIN_LOOKING_BACK = 3,
    CAMERA_ABOVE_TRAIN = 4,
    CAMERA_CAR_DRIVER = 5,
    CAMERA_BEHIND_CAR = 6,
    CAMERA_CAR_LOOKING_BACK = 7,
    CAMERA_CAR_FREE_LOOK = 8,
    CAMERA_CAR_TO_TRAIN = 9,
    CAMERA_FIXED_SOUTH_WEST = 10,  // high over the south-west corner
    CAMERA_FIXED_SOUTH_EAST = 11,  // low, just south-east of the centre
    CAMERA_FIXED_NORTH = 12,       // low, north of the centre
};

struct Camera {
    // look = target - eye; right = look x up_hint; up = right x look; all unit.
    Camera(Vec3 eye_, Vec3 target_, Vec3 up_hint);

    // Each turns the view by a radians, right-hand rule about its axis, and
    // rebuilds the other two vectors square to the new look. A turn that
    // would leave a vector without a direction keeps the last valid frame.
    void rotate_about_right(float a);     // positive a tilts the view upwards
    void rotate_about_world_up(float a);  // positive a turns +x towards -z; right stays level
    void rotate_about_up(float a);        // about the camera's own up

    Vec3 eye, target, look, up, right;  // look, up and right are unit vectors
};

// What one gluLookAt call receives, and the point the sky box is centred on.
struct CameraView {
    Vec3 eye, center, up;
    Vec3 sky_center;
};

CameraView choose_camera_view(const Town& town, const Editor& editor);
