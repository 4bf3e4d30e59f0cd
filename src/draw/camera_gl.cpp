// Places the eye for the active camera mode with one gluLookAt.
#include <GL/gl.h>
#include <GL/glu.h>

#include "camera.h"
#include "draw.h"
#include "editor.h"
#include "town.h"

Vec3 set_camera(const Town& town, const Editor& editor) {
    const CameraView v = choose_camera_view(town, editor);
    gluLookAt(v.eye.x, v.eye.y, v.eye.z, v.center.x, v.center.y, v.center.z, v.up.x, v.up.y, v.up.z);
    return v.sky_center;
}
