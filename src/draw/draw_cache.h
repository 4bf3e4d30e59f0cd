// Drawing kept in OpenGL display lists. Geometry that does not change from
// frame to frame (the track, the town objects, the ground) is compiled once
// and replayed; each list remembers a copy of every input it was drawn from,
// and is compiled again at the first frame those inputs differ. No edit has
// to remember to throw a list away: a drag, a load, a clear or a command
// that has not been written yet all show at the next frame.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <functional>
#include <type_traits>
#include <vector>

#include "town.h"
#include "view_volume.h"

// The inputs of one list, as raw bytes; two keys are equal when every input is.
class DrawKey {
public:
    template <class T>
    DrawKey& add(const T& value) {
        static_assert(std::is_trivially_copyable<T>::value, "a key holds plain values");
        return add_bytes(&value, sizeof(T));
    }
    DrawKey& add_bytes(const void* data, std::size_t count) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), bytes, bytes + count);
        return *this;
    }
    bool operator==(const DrawKey& other) const { return bytes_ == other.bytes_; }
    bool operator!=(const DrawKey& other) const { return !(*this == other); }
    void clear() { bytes_.clear(); }

private:
    std::vector<unsigned char> bytes_;
};

// One display list and the key it was compiled with.
class CachedDrawing {
public:
    // Replays the list, compiling it from draw first when key differs from
    // the key of the last compile. A list during whose compile a texture was
    // loaded (or failed to load) is replayed once and compiled again next
    // time: the upload belongs to that one frame, and a missing texture is
    // looked for again at every use, as in direct drawing.
    void draw(const DrawKey& key, const std::function<void()>& draw);
    // How many times this list was compiled; tests read it.
    int compiles() const { return compiles_; }

private:
    GLuint list_ = 0;
    bool valid_ = false;
    DrawKey key_;
    int compiles_ = 0;
};

// A drawing kept as consecutive chunks, one list each, with the box each
// chunk's drawing lies in: chunks the view cannot show are not replayed.
class ChunkedDrawing {
public:
    // Readies a compile and says how many chunks it makes.
    using ChunkCount = std::function<std::size_t()>;
    // Draws chunk i and returns the box its drawing lies in.
    using ChunkDraw = std::function<Bounds(std::size_t i)>;
    // Replays the chunks view may show (every chunk while culling is off),
    // compiling them all first when key differs from the last compile's.
    void draw(const DrawKey& key, const ChunkCount& count, const ChunkDraw& draw_chunk, const ViewVolume& view,
              bool culling);
    int compiles() const { return compiles_; }
    // How many chunks there are, and how many the last draw replayed.
    std::size_t chunks() const { return chunks_.size(); }
    std::size_t replayed() const { return replayed_; }

private:
    struct Chunk {
        GLuint list = 0;
        Bounds bounds;
    };
    void compile(std::size_t count, const ChunkDraw& draw_chunk);
    std::vector<Chunk> chunks_;
    bool valid_ = false;
    DrawKey key_;
    int compiles_ = 0;
    std::size_t replayed_ = 0;
};

// Every cached list of one town, by pass (0 normal, 1 shadow).
struct DrawCaches {
    ChunkedDrawing track[2];
    CachedDrawing centre_line[2];
    CachedDrawing objects[2][MAX_OBJECTS];
    CachedDrawing sky;
    CachedDrawing ground;
    CachedDrawing ground_after_world;  // the same ground, in the order it needs after the world
    // Off only to compare a culled picture with the whole drawing.
    bool culling = true;
};

// The town's lists, made on first use; null while cached drawing is off
// (town.cached_drawing 0), and then everything is drawn directly.
DrawCaches* draw_caches(Town& town);
