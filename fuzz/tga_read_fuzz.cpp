// Feeds arbitrary bytes to the TGA reader as if they were a texture file,
// and writes back whatever it decodes, so both sides meet hostile input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tga.h"

namespace {

// Reads the bytes as an image in one format; checks what comes back.
void read_as(const uint8_t* data, std::size_t size, int format) {
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return;
    int width = -1, height = -1;
    unsigned char* pixels = read_tga_stream(file, &width, &height, format);
    std::fclose(file);
    if (pixels == nullptr) {
        if (get_tga_error_code() <= 0) __builtin_trap();  // a failure always says why
        return;
    }
    if (width < 1 || height < 1 || static_cast<long>(width) * height > TGA_MAX_TEXTURE_PIXELS) __builtin_trap();
    const std::size_t bytes = static_cast<std::size_t>(width) * height * format;
    // The whole buffer is there (the sanitizers see a short one), and no
    // colour exceeds its alpha once premultiplied.
    volatile unsigned sum = 0;
    for (std::size_t i = 0; i < bytes; ++i) sum = sum + pixels[i];
    if (format == TGA_RGBA) {
        for (std::size_t i = 0; i < bytes; i += 4) {
            if (pixels[i] > pixels[i + 3] || pixels[i + 1] > pixels[i + 3] || pixels[i + 2] > pixels[i + 3]) {
                __builtin_trap();
            }
        }
    }
    // Small pictures go out again through both writers.
    if (static_cast<std::size_t>(width) * height <= 4096) {
        write_tga("/dev/null", width, height, pixels, format);
        write_tga_rle("/dev/null", width, height, pixels, format);
    }
    std::free(pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;  // a memory stream needs at least one byte
    // Textures have at most 256 x 256 pixels, so even the largest one decodes
    // quickly; larger sides go in to be refused.
    read_as(data, size, TGA_RGBA);
    read_as(data, size, TGA_RGB);
    return 0;
}
