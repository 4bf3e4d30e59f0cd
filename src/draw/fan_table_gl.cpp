// Triangle fans whose corners carry their own normals (smooth cones).
#include <GL/gl.h>

#include "face_table.h"

void draw_fan_table(const FanCorner* corners, std::size_t count, const LocalFrame& frame,
                    TexCoords tex) {
    glBegin(GL_TRIANGLE_FAN);
    for (std::size_t i = 0; i < count; ++i) {
        const FanCorner& c = corners[i];
        const Vec3 n = frame.normal(c.nx, c.ny, c.nz);
        glNormal3f(n.x, n.y, n.z);
        if (tex == TexCoords::Emit) glTexCoord2f(c.s, c.t);
        const Vec3 p = frame.point(c.x, c.y, c.z);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
}
