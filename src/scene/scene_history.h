// The undo and redo list of a scene: each entry is the scene as its file
// would hold it, so a step back restores exactly what a save would have
// written then. Beside it goes the track's summit as it stood: the file does
// not hold it, yet the next rebuild works the energy out from it, and it only
// ever rises. No town here: the view decides when a step is taken.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

using SceneBytes = std::vector<unsigned char>;

// Steps of undo kept. A snapshot is at most 7268 bytes (100 points, 200
// objects), so the whole list stays under 2 MB even for the largest scene,
// and it holds the building of a full 100-point track point by point, each
// point added and dragged into place, with room to spare.
constexpr std::size_t UNDO_STEPS = 256;

class SceneHistory {
public:
    // Forgets everything: the scene now is the only entry and matches its file.
    void start(const SceneBytes& scene, float max_height);
    bool started() const { return !entries_.empty(); }

    // The entry the scene stands at.
    const SceneBytes& current() const { return entries_[cursor_].bytes; }
    float current_max_height() const { return entries_[cursor_].max_height; }
    // A new step after the current entry; the steps that were undone are
    // dropped, and the oldest goes once more than UNDO_STEPS are behind.
    void record(const SceneBytes& scene, float max_height);
    // Rewrites the current entry without making a step: for what the town
    // works out by itself (the energy a rebuild computes, the speed the
    // train reaches, the summit), which belongs to the step the user is at.
    void amend(const SceneBytes& scene, float max_height);

    bool can_undo() const { return cursor_ > 0; }
    bool can_redo() const { return cursor_ + 1 < entries_.size(); }
    // Steps back or forward and returns the entry to restore; call only
    // when can_undo() or can_redo() says so.
    const SceneBytes& undo();
    const SceneBytes& redo();
    std::size_t steps_back() const { return cursor_; }

    // The current entry is what the scene file holds now (loaded or saved).
    void mark_matches_file() { file_serial_ = entries_[cursor_].serial; }
    // True when the scene stands at another entry than the one a file holds.
    bool differs_from_file() const { return started() && entries_[cursor_].serial != file_serial_; }

private:
    struct Entry {
        unsigned long serial;  // tells entries apart, even with equal bytes
        SceneBytes bytes;
        float max_height;
    };
    std::deque<Entry> entries_;
    std::size_t cursor_ = 0;
    unsigned long next_serial_ = 0;
    unsigned long file_serial_ = 0;
};

// True when two scene images differ only in the train's speed and its total
// energy, the two stored settings the town also sets by itself.
bool same_but_speed_and_energy(const SceneBytes& a, const SceneBytes& b);
