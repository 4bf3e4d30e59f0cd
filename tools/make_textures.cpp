// Paints the town's texture set and writes it as TGA files with our own
// writers: make_textures OUT_DIR [NAME...] (all names when none are given).
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tga.h"
#include "texture_set.h"

namespace {

template <void (*PAINT)(Canvas&)>
void plain(Canvas& c, int) {
    PAINT(c);
}

}  // namespace

// Power-of-two sides, sized to the face each picture covers. The walls'
// sizes follow the walls' proportions so windows come out square enough.
const TexturePlan TEXTURE_SET[] = {
    {"sky front", 256, 256, TGA_RGB, false, paint_sky, SKY_FRONT},
    {"sky left", 256, 256, TGA_RGB, false, paint_sky, SKY_LEFT},
    {"sky back", 256, 256, TGA_RGB, false, paint_sky, SKY_BACK},
    {"sky right", 256, 256, TGA_RGB, false, paint_sky, SKY_RIGHT},
    {"sky top", 256, 256, TGA_RGB, false, paint_sky, SKY_TOP},
    {"concrete", 128, 128, TGA_RGB, false, plain<paint_concrete>, 0},
    {"cement", 128, 128, TGA_RGB, false, plain<paint_cement>, 0},
    {"headlights", 128, 128, TGA_RGBA, true, plain<paint_headlights>, 0},
    {"window", 64, 64, TGA_RGB, true, plain<paint_window>, 0},
    {"ties", 256, 128, TGA_RGB, false, plain<paint_ties>, 0},
    {"tree", 128, 128, TGA_RGB, false, plain<paint_tree>, 0},
    {"bark", 64, 128, TGA_RGB, false, plain<paint_bark>, 0},
    {"building 1 front", 128, 256, TGA_RGB, true, paint_facade, FACADE_1_FRONT},
    {"building 1 side", 64, 256, TGA_RGB, true, paint_facade, FACADE_1_SIDE},
    {"building 2 front", 128, 128, TGA_RGB, true, paint_facade, FACADE_2_FRONT},
    {"building 2 side", 128, 128, TGA_RGB, true, paint_facade, FACADE_2_SIDE},
    {"building 3 roof", 128, 128, TGA_RGB, false, plain<paint_house_roof>, 0},
    {"building 3 side", 128, 64, TGA_RGB, true, paint_facade, FACADE_3_SIDE},
    {"building 4 front", 128, 256, TGA_RGB, true, paint_facade, FACADE_4_FRONT},
    {"building 4 side", 128, 256, TGA_RGB, true, paint_facade, FACADE_4_SIDE},
    {"building 5", 256, 256, TGA_RGB, true, paint_facade, FACADE_5},
    {"building 6", 128, 128, TGA_RGB, true, paint_facade, FACADE_6},
    {"shrubs side", 64, 64, TGA_RGB, false, plain<paint_shrubs>, 0},
    {"stack", 64, 1024, TGA_RGB, false, plain<paint_stack>, 0},
    {"stop sign", 128, 128, TGA_RGB, true, plain<paint_stop_sign>, 0},
    {"stop sign2", 128, 128, TGA_RGB, true, plain<paint_stop_sign_back>, 0},
    {"clock side", 128, 256, TGA_RGB, false, plain<paint_clock_side>, 0},
    {"clock", 256, 256, TGA_RGB, true, plain<paint_clock>, 0},
    {"save soul", 128, 128, TGA_RGB, true, plain<paint_shop_sign>, 0},
};
const int TEXTURE_SET_SIZE = sizeof TEXTURE_SET / sizeof TEXTURE_SET[0];
static_assert(sizeof TEXTURE_SET / sizeof TEXTURE_SET[0] == 29, "the town asks for 29 textures");

namespace {

bool wanted(const char* name, int argc, char** argv) {
    if (argc <= 2) return true;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return true;
    }
    return false;
}

long file_size(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR [NAME...]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "make_textures: cannot create %s: %s\n", dir.c_str(), std::strerror(errno));
        return 1;
    }
    long total = 0;
    int written = 0;
    for (const TexturePlan& picture : TEXTURE_SET) {
        if (!wanted(picture.name, argc, argv)) continue;
        Canvas canvas(picture.width, picture.height);
        picture.paint(canvas, picture.variant);
        const std::vector<unsigned char> pixels = canvas.bytes(picture.format);
        const std::string path = dir + "/" + picture.name + ".tga";
        const int ok = picture.run_length ? write_tga_rle(path.c_str(), picture.width, picture.height, pixels.data(), picture.format)
                                       : write_tga(path.c_str(), picture.width, picture.height, pixels.data(), picture.format);
        if (!ok) {
            std::fprintf(stderr, "make_textures: %s: %s\n", path.c_str(), tga_error_message(get_tga_error_code()));
            return 1;
        }
        total += file_size(path);
        ++written;
    }
    std::printf("make_textures: %d textures, %ld bytes in %s\n", written, total, dir.c_str());
    return 0;
}
