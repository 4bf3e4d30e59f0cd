// Drawing kept in OpenGL display lists. Geometry that does not change from
// frame to frame (the track, the town objects, the sky box) is compiled once
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

#include "draw_state.h"
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
    // True when the list holds what key asks for and replays as it is.
    bool ready(const DrawKey& key) const;
    GLuint list() const { return list_; }

private:
    GLuint list_ = 0;
    bool valid_ = false;
    DrawKey key_;
    int compiles_ = 0;
};

// Whether GL draws to the picture, not to a feedback or selection buffer.
bool drawing_to_picture();

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

// A cached drawing that stays out of a view that cannot show it. When its
// list compiles, the list is replayed once in feedback mode to find the box
// its drawing lies in and the current colour, normal and texture place it
// leaves; left out, it leaves them as if it had been drawn, so whatever is
// drawn next starts from the same state either way.
class CulledDrawing {
public:
    // Replays the list unless culling is on and view cannot show its box;
    // compiles it from draw first when key differs from the last compile's.
    void draw(const DrawKey& key, const std::function<void()>& draw, const ViewVolume& view, bool culling);
    bool left_out() const { return left_out_; }  // by the last draw; tests read it
    int compiles() const { return list_.compiles(); }

private:
    // What the list leaves current, each only when the list sets it.
    struct LeftState {
        bool colour = false, normal = false, tex_coord = false;
        float colour_value[4] = {}, normal_value[3] = {}, tex_coord_value[4] = {};
    };
    // State a list must leave as it found it to be left out.
    struct KeptState {
        GLint binding = 0;
        GLfloat line_width = 0;
        bool lit = false, textured = false;
        bool operator==(const KeptState& o) const {
            return binding == o.binding && line_width == o.line_width && lit == o.lit && textured == o.textured;
        }
    };
    static KeptState kept_state();
    void capture(const KeptState& before);
    void leave_as_drawn() const;

    CachedDrawing list_;
    Bounds bounds_;
    LeftState left_;
    bool cullable_ = false;  // the capture found a box and nothing it cannot put back
    bool left_out_ = false;
};

// Every cached list of one town, by pass (0 normal, 1 shadow).
struct DrawCaches {
    ChunkedDrawing track[2];
    CachedDrawing centre_line[2];
    CulledDrawing objects[2][MAX_OBJECTS];
    CachedDrawing sky;
    // Off only to compare a culled picture with the whole drawing.
    bool culling = true;
    // Cars the last frame left out of each pass's view.
    int cars_left_out[2] = {};
};

// The lists, made on first use; null while cached drawing is off
// (draw.cached_drawing 0), and then everything is drawn directly.
DrawCaches* draw_caches(DrawState& draw);
