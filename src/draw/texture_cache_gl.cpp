// The texture cache: each texture name is read from its TGA file once, turned
// into a mipmapped OpenGL texture and kept for the life of the program.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>

#include "texture_cache.h"
#include "tga.h"
#include "town.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace {

// One cached texture; nodes, their copies and pixels live as long as the program.
struct TextureEntry {
    char* name;
    char* path;
    unsigned char* pixels;
    int width;
    int height;
    unsigned int texture;
    TextureEntry* next;
};

TextureEntry* texture_cache = nullptr;
unsigned long files_loaded = 0;
unsigned long disk_lookups = 0;

// Searched in order for "<dir>/<name>.tga".
const char* const texture_dirs[] = {"textures", nullptr};

constexpr std::size_t PATH_BYTES = 200;

char* copy_of(const char* s) {
    const std::size_t n = std::strlen(s) + 1;
    char* copy = new char[n];
    std::memcpy(copy, s, n);
    return copy;
}

// A texture that does not repeat is clamped to its edge texels. The older
// clamp mode blends the black border colour into every edge texel, which
// draws dark seams where the sky faces meet and darkens the car door panels
// that show a single corner texel of "window".
GLint wrap_mode(bool repeat) { return repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE; }

unsigned int create_texture(TextureEntry& entry, bool repeat_s, bool repeat_t) {
    glGenTextures(1, &entry.texture);
    std::printf("Created texture %u for %s\n", entry.texture, entry.name);
    glBindTexture(GL_TEXTURE_2D, entry.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap_mode(repeat_s));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap_mode(repeat_t));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLint result = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, entry.width, entry.height, GL_RGBA,
                                           GL_UNSIGNED_BYTE, entry.pixels);
    glBindTexture(GL_TEXTURE_2D, entry.texture);
    // The last figure is OpenGL's own error state after the upload.
    std::printf("Build MipMap(%d %d) returns %d = %s (%d)\n", entry.width, entry.height, result,
                reinterpret_cast<const char*>(gluErrorString(static_cast<GLenum>(result))),
                static_cast<int>(glGetError()));
    return entry.texture;
}

}  // namespace

unsigned long texture_files_loaded() { return files_loaded; }

unsigned long texture_disk_lookups() { return disk_lookups; }

unsigned int texture_by_name(const char* name, bool repeat_s, bool repeat_t) {
    for (TextureEntry* entry = texture_cache; entry != nullptr; entry = entry->next) {
        if (std::strcmp(entry->name, name) == 0) {
            glBindTexture(GL_TEXTURE_2D, entry->texture);
            return entry->texture;
        }
    }

    ++disk_lookups;
    char path[PATH_BYTES] = "";
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    for (const char* const* dir = texture_dirs; *dir != nullptr && pixels == nullptr; ++dir) {
        std::snprintf(path, sizeof path, "%s/%s.tga", *dir, name);  // a long path is cut to fit
        std::printf("Trying: `%s'\n", path);
        pixels = read_tga(path, &width, &height, TGA_RGBA);
    }
    if (pixels == nullptr) {
        // Not remembered: the image is looked for again at the next request.
        std::printf("!! Couldn't load texture `%s'~\n", name);
        return 0;
    }

    ++files_loaded;
    auto* entry = new TextureEntry{copy_of(name), copy_of(path), pixels, width, height, 0, texture_cache};
    texture_cache = entry;
    return create_texture(*entry, repeat_s, repeat_t);
}
