// Reading a PNG back in tests, with libpng, in the file's own order (top row first).
#pragma once

#include <png.h>

#include <string>
#include <vector>

struct PngRead {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

inline PngRead read_png(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    PngRead out{static_cast<int>(image.width), static_cast<int>(image.height),
                std::vector<unsigned char>(PNG_IMAGE_SIZE(image))};
    if (png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return {};
    }
    return out;
}
