// The undo list and the comparison of scene images that tells an edit from
// what the town works out by itself.
#include "scene_history.h"

#include <algorithm>

#include "scene_data.h"

namespace {

// Where the settings block starts, and the two fields in it the town also
// writes by itself, in bytes from that start.
constexpr std::size_t TRAIN_SPEED_FIELD = 16;
constexpr std::size_t TOTAL_ENERGY_FIELD = 44;
constexpr std::size_t FIELD_BYTES = 4;
constexpr std::size_t OBJECT_BYTES_BEFORE_SETTINGS = 20;  // five floats; the type codes come last

std::size_t count_at(const SceneBytes& bytes, std::size_t offset) {
    if (offset + FIELD_BYTES > bytes.size()) return 0;
    const unsigned value = bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                           static_cast<unsigned>(bytes[offset + 3]) << 24;
    return value;
}

bool same_bytes(const SceneBytes& a, const SceneBytes& b, std::size_t from, std::size_t to) {
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

}  // namespace

void SceneHistory::start(const SceneBytes& scene, float max_height) {
    entries_.clear();
    entries_.push_back({next_serial_++, scene, max_height});
    cursor_ = 0;
    mark_matches_file();
}

void SceneHistory::record(const SceneBytes& scene, float max_height) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(cursor_) + 1, entries_.end());
    entries_.push_back({next_serial_++, scene, max_height});
    if (entries_.size() > UNDO_STEPS + 1) entries_.pop_front();
    cursor_ = entries_.size() - 1;
}

void SceneHistory::amend(const SceneBytes& scene, float max_height) {
    entries_[cursor_].bytes = scene;
    entries_[cursor_].max_height = max_height;
}

const SceneBytes& SceneHistory::undo() { return entries_[--cursor_].bytes; }

const SceneBytes& SceneHistory::redo() { return entries_[++cursor_].bytes; }

bool same_but_speed_and_energy(const SceneBytes& a, const SceneBytes& b) {
    if (a.size() != b.size()) return false;
    const std::size_t points = count_at(a, 0);
    if (points > SCENE_MAX_POINTS) return a == b;
    const std::size_t objects = count_at(a, 4 + SCENE_BYTES_PER_POINT * points);
    if (a.size() != scene_file_size(points, objects)) return a == b;
    const std::size_t settings = 8 + SCENE_BYTES_PER_POINT * points + OBJECT_BYTES_BEFORE_SETTINGS * objects;
    const std::size_t speed = settings + TRAIN_SPEED_FIELD;
    const std::size_t energy = settings + TOTAL_ENERGY_FIELD;
    return same_bytes(a, b, 0, speed) && same_bytes(a, b, speed + FIELD_BYTES, energy) &&
           same_bytes(a, b, energy + FIELD_BYTES, a.size());
}
