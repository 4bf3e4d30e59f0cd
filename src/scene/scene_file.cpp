// Loading and saving the town's scene file: the whole file is read and
// checked before the current scene is touched, and a save replaces the old
// file only once the new one is completely on disk.
#include "scene_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "regular_file.h"
#include "stored_settings.h"
#include "town.h"

// A scene is installed into the town's arrays point for point and object for
// object: what a scene may hold, the town must have room for.
static_assert(SCENE_MAX_POINTS == MAX_POINTS, "a scene's track fits the town's");
static_assert(SCENE_MAX_OBJECTS == MAX_OBJECTS, "a scene's objects fit the town's");

namespace {

std::string error_text(int error) { return std::strerror(error); }

}  // namespace

FileBytes read_scene_bytes(const char* name) {
    FileBytes result;
    const RegularFile opened = open_regular_file(name);
    if (!opened.file) return result.reason = opened.reason, result;
    std::FILE* const file = opened.file.get();
    // One byte more than the largest scene tells a file that is too long.
    result.bytes.resize(SCENE_MAX_BYTES + 1);
    const std::size_t got = std::fread(result.bytes.data(), 1, result.bytes.size(), file);
    if (std::ferror(file)) {
        const int error = errno;
        result.bytes.clear();
        return result.reason = error != 0 ? error_text(error) : "read failed", result;
    }
    if (got > SCENE_MAX_BYTES) {
        result.bytes.clear();
        return result.reason = "longer than any scene file", result;
    }
    result.bytes.resize(got);
    result.ok = true;
    return result;
}

void install_scene(Town& town, const SceneData& scene) {
    // Release the current scene.
    const int old_points = town.track.num_points > town.track.num_orient_points
                               ? town.track.num_points
                               : town.track.num_orient_points;
    for (int i = 0; i < old_points && i < MAX_POINTS; ++i) {
        town.track.points[i].reset();
        town.track.orient_points[i].reset();
        town.track.segments[i].reset();
        town.track.orient_segments[i].reset();
    }
    for (int i = 0; i < town.town_objects.object_count && i < MAX_OBJECTS; ++i)
        town.town_objects.objects[i].reset();
    town.release_tie_table();

    const int n = static_cast<int>(scene.points.size());
    town.track.num_points = n;
    town.track.num_orient_points = n;
    for (int i = 0; i < n; ++i) {
        const Vec3 p = scene.points[i];
        town.track.points[i] = std::make_unique<ControlPoint>(
            p.x, p.y, p.z, 1.0f, 1.0f, 1.0f, CONTROL_POINT_RGBA[0], CONTROL_POINT_RGBA[1],
            CONTROL_POINT_RGBA[2], CONTROL_POINT_RGBA[3]);
        town.track.segments[i] = std::make_unique<TrackSegment>();
    }
    for (int i = 0; i < n; ++i) {
        const Vec3 q = scene.orient_points[i];
        town.track.orient_points[i] = std::make_unique<ControlPoint>(
            q.x, q.y, q.z, 1.0f, 1.0f, 1.0f, ORIENT_POINT_RGBA[0], ORIENT_POINT_RGBA[1],
            ORIENT_POINT_RGBA[2], ORIENT_POINT_RGBA[3]);
        town.track.orient_segments[i] = std::make_unique<TrackSegment>();
    }
    const int m = static_cast<int>(scene.objects.size());
    town.town_objects.object_count = m;
    for (int i = 0; i < m; ++i) {
        const SceneObject& o = scene.objects[i];
        town.town_objects.objects[i] =
            std::make_unique<ControlPoint>(o.x, o.y, o.z, o.size, o.height, 1.0f, 0, 0, 0, 0);
    }

    // The rebuild runs before the stored physics is read: it sees the gravity
    // the town had, and the energy it computes gives way to the stored one.
    settings_to_town(scene.settings, town, rows_without(AFTER_REBUILD));
    town.track.realtime_ties = 1;
    town.rebuild_track();
    town.rebuild_orientation();
    settings_to_town(scene.settings, town, rows_with(AFTER_REBUILD));
    for (int i = 0; i < m; ++i) town.town_objects.object_type[i] = scene.objects[i].type;

    if (town.track.num_points > 2) town.start_train();
}

SceneData scene_of_town(const Town& town) {
    SceneData scene;
    for (int i = 0; i < town.track.num_points; ++i) {
        scene.points.push_back(town.track.points[i] ? town.track.points[i]->position() : Vec3{});
        scene.orient_points.push_back(
            town.track.orient_points[i] ? town.track.orient_points[i]->position() : Vec3{});
    }
    for (int i = 0; i < town.town_objects.object_count; ++i) {
        SceneObject o;
        if (town.town_objects.objects[i]) {
            const ControlPoint& record = *town.town_objects.objects[i];
            o.x = record.x;
            o.y = record.y;
            o.z = record.z;
            o.size = record.size;
            o.height = record.height;
        }
        o.type = town.town_objects.object_type[i];
        scene.objects.push_back(o);
    }
    scene.settings = settings_of_town(town);
    return scene;
}
