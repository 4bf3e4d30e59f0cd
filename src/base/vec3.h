// Single-precision 3-vectors in world units (y up, x east, z south) and the
// scalar helpers every track length goes through.
#pragma once

#include <cmath>

// The track's own square root, sine and cosine: one float in, one float out.
inline float square_root(float v) { return std::sqrt(v); }
inline float sine(float a) { return std::sin(a); }
inline float cosine(float a) { return std::cos(a); }

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline Vec3 operator*(float k, Vec3 a) { return a * k; }
inline Vec3 operator/(Vec3 a, float k) { return {a.x / k, a.y / k, a.z / k}; }

inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return square_root(dot(a, a)); }

// True when every component is a finite number (no NaN, no infinity).
inline bool is_finite(Vec3 a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}
