// The one routine that turns a face table into OpenGL primitives.
#include <GL/gl.h>

#include <initializer_list>

#include "face_table.h"

namespace {

GLenum primitive(FaceKind kind) {
    switch (kind) {
        case FaceKind::Quads: return GL_TRIANGLES;
        case FaceKind::UncutQuads: return GL_QUADS;
        case FaceKind::Triangles: return GL_TRIANGLES;
        case FaceKind::Polygon: return GL_POLYGON;
    }
    return GL_QUADS;
}

template <int N>
void emit_face(const TableFace<N>& face, const LocalFrame& frame, TexCoords tex) {
    const Vec3 n = frame.normal(face.nx, face.ny, face.nz);
    glNormal3f(n.x, n.y, n.z);
    for (const TableCorner& c : face.corner) {
        if (tex == TexCoords::Emit) glTexCoord2f(c.s, c.t);
        const Vec3 p = frame.point(c.x, c.y, c.z);
        glVertex3f(p.x, p.y, p.z);
    }
}

// A quad as the triangles (0 1 2) (0 2 3), the cut of an unclipped quad.
template <int N>
void emit_quad_as_triangles(const TableFace<N>& face, const LocalFrame& frame, TexCoords tex) {
    const Vec3 n = frame.normal(face.nx, face.ny, face.nz);
    glNormal3f(n.x, n.y, n.z);
    for (const int k : {0, 1, 2, 0, 2, 3}) {
        const TableCorner& c = face.corner[k % N];
        if (tex == TexCoords::Emit) glTexCoord2f(c.s, c.t);
        const Vec3 p = frame.point(c.x, c.y, c.z);
        glVertex3f(p.x, p.y, p.z);
    }
}

}  // namespace

template <int N>
void draw_face_table(FaceKind kind, const TableFace<N>* faces, std::size_t count,
                     const LocalFrame& frame, TexCoords tex) {
    // Quads and triangles go in one batch; every polygon needs its own.
    if (kind == FaceKind::Polygon) {
        for (std::size_t i = 0; i < count; ++i) {
            glBegin(GL_POLYGON);
            emit_face(faces[i], frame, tex);
            glEnd();
        }
        return;
    }
    if (kind == FaceKind::Quads) {
        glBegin(primitive(kind));
        for (std::size_t i = 0; i < count; ++i) emit_quad_as_triangles(faces[i], frame, tex);
        glEnd();
        return;
    }
    glBegin(primitive(kind));
    for (std::size_t i = 0; i < count; ++i) emit_face(faces[i], frame, tex);
    glEnd();
}

template void draw_face_table<3>(FaceKind, const TableFace<3>*, std::size_t, const LocalFrame&, TexCoords);
template void draw_face_table<4>(FaceKind, const TableFace<4>*, std::size_t, const LocalFrame&, TexCoords);
template void draw_face_table<5>(FaceKind, const TableFace<5>*, std::size_t, const LocalFrame&, TexCoords);
template void draw_face_table<8>(FaceKind, const TableFace<8>*, std::size_t, const LocalFrame&, TexCoords);
