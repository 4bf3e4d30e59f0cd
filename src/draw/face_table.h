// Models as data: a face is a normal and its corners with texture
// coordinates, given in a model's own local coordinates. One routine draws
// any such table through a local frame (position plus three axes), which
// places, turns or scales the model in the world.
#pragma once

#include <cstddef>

#include "vec3.h"

struct TableCorner {
    float x, y, z;  // local coordinates
    float s, t;     // texture coordinates
};

template <int N>
struct TableFace {
    float nx, ny, nz;  // local normal
    TableCorner corner[N];
};

using QuadFace = TableFace<4>;
using TriangleFace = TableFace<3>;

// Local point (x, y, z) -> origin + x * x_axis + y * y_axis + z * z_axis.
// Normals go through the same axes and are normalised again, so a scaling
// frame (a box's half-sizes) keeps unit normals.
struct LocalFrame {
    Vec3 origin{0, 0, 0};
    Vec3 x_axis{1, 0, 0};
    Vec3 y_axis{0, 1, 0};
    Vec3 z_axis{0, 0, 1};

    Vec3 point(float x, float y, float z) const { return origin + x * x_axis + y * y_axis + z * z_axis; }
    Vec3 normal(float x, float y, float z) const {
        const Vec3 n = x * x_axis + y * y_axis + z * z_axis;
        const float len = length(n);
        return len > 0 ? n / len : n;
    }
};

// How texture coordinates are sent: with every corner, or not at all (the
// faces then inherit the coordinate current before them).
enum class TexCoords { Emit, Inherit };

// Primitive kinds for face tables.
// - Quads go as the triangle pairs (0 1 2) (0 2 3): the cut Mesa gives a
//   quad drawn directly that the view's edge does not clip. A display list
//   keeps triangles as they are, but would cut a GL_QUADS quad the other way,
//   and a lit quad shades differently on either side of its cut.
// - UncutQuads go as GL_QUADS, for faces drawn directly at every frame and
//   never compiled: Mesa cuts a clipped quad the other way, so only a quad
//   sent as a quad shades the same in every view. The ground's big tiles are
//   clipped in almost every view.
enum class FaceKind { Quads, UncutQuads, Triangles, Polygon };

template <int N>
void draw_face_table(FaceKind kind, const TableFace<N>* faces, std::size_t count,
                     const LocalFrame& frame, TexCoords tex = TexCoords::Emit);

// The same for a table held in a std::array or C array.
template <int N, std::size_t M>
void draw_face_table(FaceKind kind, const TableFace<N> (&faces)[M], const LocalFrame& frame,
                     TexCoords tex = TexCoords::Emit) {
    draw_face_table<N>(kind, faces, M, frame, tex);
}

// A corner that carries a normal of its own, for smooth surfaces such as a
// tree's cone: the corners are drawn as one triangle fan around the first.
struct FanCorner {
    float nx, ny, nz;  // local normal
    float x, y, z;     // local coordinates
    float s, t;        // texture coordinates
};

void draw_fan_table(const FanCorner* corners, std::size_t count, const LocalFrame& frame,
                    TexCoords tex = TexCoords::Emit);

template <std::size_t M>
void draw_fan_table(const FanCorner (&corners)[M], const LocalFrame& frame,
                    TexCoords tex = TexCoords::Emit) {
    draw_fan_table(corners, M, frame, tex);
}
