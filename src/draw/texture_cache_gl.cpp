// The texture cache: each texture name is read from its TGA file once, turned
// into a mipmapped OpenGL texture and kept for the life of the program.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "texture_cache.h"
#include "tga.h"

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

// How many TexturesWithheld guards are alive.
int textures_withheld = 0;

// Names whose image could not be read, with the reader's error code of the
// last attempt. A missing texture is asked for in every frame; its failure
// is said once, and again only when the reason changes.
struct FailedTexture {
    std::string name;
    int reason;
};

std::vector<FailedTexture>& failed_textures() {
    static std::vector<FailedTexture> failed;
    return failed;
}

// Records the failure; true when it is the first for name or its reason changed.
bool failure_is_news(const char* name, int reason) {
    for (FailedTexture& failed : failed_textures()) {
        if (failed.name != name) continue;
        const bool changed = failed.reason != reason;
        failed.reason = reason;
        return changed;
    }
    failed_textures().push_back({name, reason});
    return true;
}

void forget_failure(const char* name) {
    auto& failed = failed_textures();
    for (auto it = failed.begin(); it != failed.end(); ++it) {
        if (it->name == name) {
            failed.erase(it);
            return;
        }
    }
}

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
    if (textures_withheld > 0) return 0;
    for (TextureEntry* entry = texture_cache; entry != nullptr; entry = entry->next) {
        if (std::strcmp(entry->name, name) != 0) continue;
        if (entry->texture == 0) {
            // Lost with its context: uploaded again from the pixels kept,
            // which takes the time of a load from disk.
            ++files_loaded;
            ++disk_lookups;
            return create_texture(*entry, repeat_s, repeat_t);
        }
        glBindTexture(GL_TEXTURE_2D, entry->texture);
        return entry->texture;
    }

    ++disk_lookups;
    char path[PATH_BYTES] = "";
    std::string tried;  // the "Trying" lines, printed only with the outcome they lead to
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    for (const char* const* dir = texture_dirs; *dir != nullptr && pixels == nullptr; ++dir) {
        std::snprintf(path, sizeof path, "%s/%s.tga", *dir, name);  // a long path is cut to fit
        tried += std::string("Trying: `") + path + "'\n";
        pixels = read_tga(path, &width, &height, TGA_RGBA);
    }
    if (pixels == nullptr) {
        // Not remembered as a texture: the image is looked for again at the
        // next request, but said only when it fails for a new reason.
        if (failure_is_news(name, tga_error_code)) {
            std::fputs(tried.c_str(), stdout);
            std::printf("!! Couldn't load texture `%s'~\n", name);
        }
        return 0;
    }
    forget_failure(name);
    std::fputs(tried.c_str(), stdout);

    ++files_loaded;
    auto* entry = new TextureEntry{copy_of(name), copy_of(path), pixels, width, height, 0, texture_cache};
    texture_cache = entry;
    return create_texture(*entry, repeat_s, repeat_t);
}

void textures_lost() {
    for (TextureEntry* entry = texture_cache; entry != nullptr; entry = entry->next) entry->texture = 0;
}

TexturesWithheld::TexturesWithheld() { ++textures_withheld; }
TexturesWithheld::~TexturesWithheld() { --textures_withheld; }
