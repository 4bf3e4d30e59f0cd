// Display lists keyed by the inputs they draw.
#include "draw_cache.h"

#include <memory>

#include "texture_cache.h"
#include "town.h"

bool CachedDrawing::ready(const DrawKey& key) const {
    // A list made in another context (a view that was shown again) is not
    // there any more.
    return valid_ && list_ != 0 && glIsList(list_) == GL_TRUE && key == key_;
}

void CachedDrawing::draw(const DrawKey& key, const std::function<void()>& draw) {
    if (!ready(key)) {
        if (list_ == 0 || glIsList(list_) != GL_TRUE) list_ = glGenLists(1);
        if (list_ == 0) {  // out of list names: draw as if nothing were cached
            draw();
            return;
        }
        const unsigned long lookups = texture_disk_lookups();
        glNewList(list_, GL_COMPILE);
        draw();
        glEndList();
        valid_ = texture_disk_lookups() == lookups;
        key_ = key;
        ++compiles_;
    }
    glCallList(list_);
}

void ChunkedDrawing::compile(std::size_t count, const ChunkDraw& draw_chunk) {
    for (const Chunk& chunk : chunks_) {
        if (chunk.list != 0 && glIsList(chunk.list) == GL_TRUE) glDeleteLists(chunk.list, 1);
    }
    chunks_.assign(count, Chunk{});
    const unsigned long lookups = texture_disk_lookups();
    valid_ = true;
    for (std::size_t i = 0; i < count; ++i) {
        chunks_[i].list = glGenLists(1);
        if (chunks_[i].list == 0) {  // out of list names: draw it all directly this time
            valid_ = false;
            break;
        }
        glNewList(chunks_[i].list, GL_COMPILE);
        chunks_[i].bounds = draw_chunk(i);
        glEndList();
    }
    valid_ = valid_ && texture_disk_lookups() == lookups;
    ++compiles_;
}

void ChunkedDrawing::draw(const DrawKey& key, const ChunkCount& count_chunks, const ChunkDraw& draw_chunk,
                          const ViewVolume& view, bool culling) {
    // Feedback and selection take the pieces as drawn: Mesa's feedback
    // replay of a list that holds lines and quads together crashes.
    if (!drawing_to_picture()) {
        for (std::size_t i = 0, count = count_chunks(); i < count; ++i) draw_chunk(i);
        return;
    }
    // Lists made in another context (a view that was shown again) are gone.
    const bool there = chunks_.empty() || glIsList(chunks_.front().list) == GL_TRUE;
    if (!valid_ || key != key_ || !there) {
        key_ = key;
        const std::size_t count = count_chunks();
        compile(count, draw_chunk);
        if (!valid_ && (chunks_.empty() || chunks_.back().list == 0)) {
            for (std::size_t i = 0; i < count; ++i) draw_chunk(i);
            return;
        }
    }
    // A texture read from disk during the compile is uploaded by whichever
    // list first binds it: that once, every list runs, seen or not.
    const bool uploads = !valid_;
    replayed_ = 0;
    for (const Chunk& chunk : chunks_) {
        if (!culling || uploads || view.may_show(chunk.bounds)) {
            glCallList(chunk.list);
            ++replayed_;
        }
    }
}

DrawState::DrawState() = default;
DrawState::~DrawState() = default;

DrawCaches* draw_caches(DrawState& draw) {
    if (draw.cached_drawing != 1) return nullptr;
    if (!draw.caches) draw.caches = std::make_unique<DrawCaches>();
    return draw.caches.get();
}

void drawing_context_lost(DrawState& draw) {
    // The names died with the old context; deleting them now would delete
    // the new context's lists that happen to share them.
    draw.caches.reset();
    textures_lost();
}
