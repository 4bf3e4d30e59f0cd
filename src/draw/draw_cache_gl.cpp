// Display lists keyed by the inputs they draw.
#include "draw_cache.h"

#include <memory>

#include "texture_cache.h"
#include "town.h"

void CachedDrawing::draw(const DrawKey& key, const std::function<void()>& draw) {
    // A list made in another context (a view that was shown again) is not
    // there any more: compile it anew.
    const bool usable = valid_ && list_ != 0 && glIsList(list_) == GL_TRUE && key == key_;
    if (!usable) {
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

DrawCaches* draw_caches(Town& town) {
    if (town.cached_drawing != 1) return nullptr;
    if (!town.drawing_cache) town.drawing_cache = std::make_shared<DrawCaches>();
    return static_cast<DrawCaches*>(town.drawing_cache.get());
}
