// Placeholder free camera until the camera modes arrive.
#include "render/camera.h"

#include "view/town.h"

Camera::Camera(Vec3 eye_, Vec3 target_, Vec3 up_hint) : eye(eye_), target(target_) {
    look = target - eye;
    right = cross(look, up_hint);
    right = right / length(right);
    up = cross(right, look);
    up = up / length(up);
    look = look / length(look);
}

void Camera::rotate_about_right(float) {}
void Camera::rotate_about_world_up(float) {}
void Camera::rotate_about_up(float) {}

CameraView choose_camera_view(const Town& town) {
    const Camera& c = *town.camera;
    return {c.eye, c.eye + c.look, c.up, c.eye};
}
