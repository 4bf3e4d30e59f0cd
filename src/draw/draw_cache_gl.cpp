// Display lists keyed by the inputs they draw.
#include "draw_cache.h"

#include <memory>

#include "town.h"

void CachedDrawing::draw(Town& town, const DrawKey& key, const std::function<void()>& draw) {
    // A list made in another context (a view that was shown again) is not
    // there any more: compile it anew.
    const bool usable = valid_ && list_ != 0 && glIsList(list_) == GL_TRUE && key == key_;
    if (!usable) {
        if (list_ == 0 || glIsList(list_) != GL_TRUE) list_ = glGenLists(1);
        if (list_ == 0) {  // out of list names: draw as if nothing were cached
            draw();
            return;
        }
        // Any texture load during the compile leaves CLOCK_RESTART in the
        // frame clock; start from another value to tell.
        const int clock = town.frame_clock;
        town.frame_clock = 0;
        glNewList(list_, GL_COMPILE);
        draw();
        glEndList();
        const bool loaded_texture = town.frame_clock == CLOCK_RESTART;
        if (!loaded_texture) town.frame_clock = clock;
        valid_ = !loaded_texture;
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
