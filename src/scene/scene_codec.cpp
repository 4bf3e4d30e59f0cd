// The byte form of a scene: a flat run of 4-byte little-endian fields, and
// the checks a file must pass before any of it reaches the town.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "scene_data.h"
#include "stored_settings.h"
#include "town_bounds.h"
#include "track_measure.h"

static_assert(SCENE_FIXED_BYTES == 4 * (2 + stored_setting_words()),
              "the two counts and the settings block make a scene file's fixed part");

namespace {

// Reads fields in file order; the caller has checked the length first.
class FieldReader {
public:
    explicit FieldReader(const unsigned char* bytes) : bytes_(bytes) {}
    uint32_t word() {
        const unsigned char* b = bytes_ + offset_;
        offset_ += 4;
        return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
               static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    }
    int integer() {
        const uint32_t w = word();
        int32_t value = 0;
        std::memcpy(&value, &w, sizeof value);
        return value;
    }
    float real() {
        const uint32_t w = word();
        float value = 0;
        std::memcpy(&value, &w, sizeof value);
        return value;
    }
    Vec3 triple() {
        Vec3 v;
        v.x = real();
        v.y = real();
        v.z = real();
        return v;
    }
    void read(Vec3& v) { v = triple(); }
    void read(int& v) { v = integer(); }
    void read(float& v) { v = real(); }

private:
    const unsigned char* bytes_;
    std::size_t offset_ = 0;
};

class FieldWriter {
public:
    explicit FieldWriter(std::vector<unsigned char>& out) : out_(out) {}
    void word(uint32_t w) {
        out_.push_back(static_cast<unsigned char>(w));
        out_.push_back(static_cast<unsigned char>(w >> 8));
        out_.push_back(static_cast<unsigned char>(w >> 16));
        out_.push_back(static_cast<unsigned char>(w >> 24));
    }
    void integer(int value) {
        const int32_t v = value;
        uint32_t w = 0;
        std::memcpy(&w, &v, sizeof w);
        word(w);
    }
    void real(float value) {
        uint32_t w = 0;
        std::memcpy(&w, &value, sizeof w);
        word(w);
    }
    void triple(Vec3 v) {
        real(v.x);
        real(v.y);
        real(v.z);
    }
    void write(Vec3 v) { triple(v); }
    void write(int v) { integer(v); }
    void write(float v) { real(v); }

private:
    std::vector<unsigned char>& out_;
};

std::string format(const char* pattern, long long a, long long b = 0, long long c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

// Reads the signed 32-bit count at a byte offset the caller has bounds-checked.
int count_at(const unsigned char* bytes, std::size_t offset) {
    FieldReader reader(bytes + offset);
    return reader.integer();
}

}  // namespace

std::string check_scene(const SceneData& scene) {
    const std::size_t n = scene.points.size();
    if (n > SCENE_MAX_POINTS) return format("%lld control points, at most %lld", n, SCENE_MAX_POINTS);
    if (scene.orient_points.size() != n) {
        return format("%lld orientation points for %lld control points", scene.orient_points.size(), n);
    }
    if (scene.objects.size() > SCENE_MAX_OBJECTS) {
        return format("%lld town objects, at most %lld", scene.objects.size(), SCENE_MAX_OBJECTS);
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!is_finite(scene.points[i])) return format("control point %lld is not a finite position", i);
        if (!is_finite(scene.orient_points[i])) {
            return format("orientation point %lld is not a finite position", i);
        }
    }
    for (std::size_t i = 0; i < scene.objects.size(); ++i) {
        const SceneObject& o = scene.objects[i];
        if (!is_finite({o.x, o.y, o.z}) || !std::isfinite(o.size) || !std::isfinite(o.height)) {
            return format("town object %lld has a position, size or height that is not finite", i);
        }
    }
    const SceneSettings& s = scene.settings;
    if (!is_finite(s.light_pos)) return "the light position is not finite";
    // The train's speed, energy and gravity feed its motion every step, and
    // the follow distance places the camera: a non-finite one spoils them all.
    // The spare scalar is read by nothing and is kept whatever it holds.
    if (!std::isfinite(s.train_speed)) return "the train speed is not finite";
    if (!std::isfinite(s.total_energy)) return "the total energy is not finite";
    if (!std::isfinite(s.follow_distance)) return "the follow distance is not finite";
    if (!std::isfinite(s.gravity)) return "the gravity is not finite";
    // Finite but absurd: a point far out would make the track's length and
    // energy endless. Nothing may lie beyond the town's bound, nor follow
    // further than it; the physics has bounds of its own that every step
    // and key of a scene within them keeps to.
    auto beyond_of = [](float bound) { return " lies beyond " + std::to_string(static_cast<long long>(bound)); };
    const std::string beyond = beyond_of(TOWN_MAX_COORDINATE);
    for (std::size_t i = 0; i < n; ++i) {
        if (!within_town(scene.points[i])) return "control point " + std::to_string(i) + beyond;
        if (!within_town(scene.orient_points[i])) return "orientation point " + std::to_string(i) + beyond;
    }
    for (std::size_t i = 0; i < scene.objects.size(); ++i) {
        const SceneObject& o = scene.objects[i];
        if (!within_town(Vec3{o.x, o.y, o.z}) || !within_town(o.size) || !within_town(o.height)) {
            return "town object " + std::to_string(i) + "'s position, size or height" + beyond;
        }
    }
    if (!within_town(s.light_pos)) return "the light position" + beyond;
    if (!within(s.train_speed, TOWN_MAX_SPEED)) return "the train speed" + beyond_of(TOWN_MAX_SPEED);
    if (!within(s.total_energy, TOWN_MAX_ENERGY)) return "the total energy lies beyond 1e12";
    if (!within_town(s.follow_distance)) return "the follow distance" + beyond;
    if (!within(s.gravity, TOWN_MAX_GRAVITY)) return "the gravity" + beyond_of(TOWN_MAX_GRAVITY);
    // The key commands keep these within their ranges, and the track drawing
    // divides by the post interval.
    if (s.tie_spacing < 1 || s.tie_spacing > 500) {
        return format("tie spacing %lld outside 1..500", s.tie_spacing);
    }
    if (s.post_interval < 1 || s.post_interval > 50) {
        return format("post interval %lld outside 1..50", s.post_interval);
    }
    // Last, as it is the one check that builds the track: within the bound
    // a track can still wind so far that its ties alone would take
    // gigabytes to draw.
    return track_work_refusal(scene.points, s.bspline);
}

SceneDecode decode_scene(const unsigned char* bytes, std::size_t size) {
    SceneDecode result;
    if (size < 4) return result.reason = "too short to hold the point count", result;
    const int n = count_at(bytes, 0);
    if (n < 0 || n > SCENE_MAX_POINTS) {
        return result.reason = format("control point count %lld outside 0..100", n), result;
    }
    const std::size_t object_count_at = 4 + SCENE_BYTES_PER_POINT * static_cast<std::size_t>(n);
    if (size < object_count_at + 4) {
        return result.reason = format("too short to hold %lld control points", n), result;
    }
    const int m = count_at(bytes, object_count_at);
    if (m < 0 || m > SCENE_MAX_OBJECTS) {
        return result.reason = format("town object count %lld outside 0..200", m), result;
    }
    const std::size_t expected = scene_file_size(static_cast<std::size_t>(n), static_cast<std::size_t>(m));
    if (size != expected) {
        result.reason = format("%lld bytes long, %lld expected for %lld control points and ",
                               static_cast<long long>(size), static_cast<long long>(expected), n) +
                        format("%lld town objects", m);
        return result;
    }

    SceneData& scene = result.scene;
    FieldReader in(bytes);
    in.integer();  // the point count, read above
    scene.points.resize(static_cast<std::size_t>(n));
    scene.orient_points.resize(static_cast<std::size_t>(n));
    for (Vec3& p : scene.points) p = in.triple();
    for (Vec3& p : scene.orient_points) p = in.triple();
    in.integer();  // the object count, read above
    scene.objects.resize(static_cast<std::size_t>(m));
    for (SceneObject& o : scene.objects) {
        o.x = in.real();
        o.y = in.real();
        o.z = in.real();
        o.size = in.real();
        o.height = in.real();
    }
    for (const StoredSetting& row : STORED_SETTINGS) {
        visit_place(row, [&](const auto& place) { in.read(scene.settings.*place.in_scene); });
    }
    for (SceneObject& o : scene.objects) o.type = in.integer();

    result.reason = check_scene(scene);
    result.ok = result.reason.empty();
    return result;
}

std::vector<unsigned char> encode_scene(const SceneData& scene) {
    std::vector<unsigned char> bytes;
    bytes.reserve(scene_file_size(scene.points.size(), scene.objects.size()));
    FieldWriter out(bytes);
    out.integer(static_cast<int>(scene.points.size()));
    for (const Vec3& p : scene.points) out.triple(p);
    for (const Vec3& p : scene.orient_points) out.triple(p);
    out.integer(static_cast<int>(scene.objects.size()));
    for (const SceneObject& o : scene.objects) {
        out.real(o.x);
        out.real(o.y);
        out.real(o.z);
        out.real(o.size);
        out.real(o.height);
    }
    for (const StoredSetting& row : STORED_SETTINGS) {
        visit_place(row, [&](const auto& place) { out.write(scene.settings.*place.in_scene); });
    }
    for (const SceneObject& o : scene.objects) out.integer(o.type);
    return bytes;
}
