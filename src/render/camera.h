// The free camera and the choice of eye, centre and up for every camera mode:
// pure arithmetic, so every mode can be checked without a display.
#pragma once

#include "track/vec3.h"

struct Town;

struct Camera {
    Camera(Vec3 eye_, Vec3 target_, Vec3 up_hint);

    void rotate_about_right(float a);
    void rotate_about_world_up(float a);
    void rotate_about_up(float a);

    Vec3 eye, target, look, up, right;  // look, up and right are unit vectors
};

// What one gluLookAt call receives, and the point the sky box is centred on.
struct CameraView {
    Vec3 eye, center, up;
    Vec3 sky_center;
};

CameraView choose_camera_view(const Town& town);
