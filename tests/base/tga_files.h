// Helpers for the image tests: a scratch directory that the test may chdir
// into, TGA files put together byte by byte, and pictures drawn by a colour
// function for the writers.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tga.h"
#include "support/scratch_files.h"

// Runs the test's body in another working directory and comes back after.
class WorkingDir {
public:
    explicit WorkingDir(const std::string& dir) : old_(std::filesystem::current_path()) {
        std::error_code error;
        std::filesystem::current_path(dir, error);
        ok_ = !error;
    }
    ~WorkingDir() {
        std::error_code ignored;
        std::filesystem::current_path(old_, ignored);
    }
    bool ok() const { return ok_; }

private:
    std::filesystem::path old_;
    bool ok_ = false;
};

using Bytes = std::vector<uint8_t>;

// The 18-byte header, little-endian fields.
struct TgaHeader {
    int id_length = 0;
    int colormap_type = 0;
    int image_type = 2;
    int colormap_first = 0;
    int colormap_length = 0;
    int colormap_entry_bits = 0;
    int width = 6;
    int height = 5;
    int pixel_depth = 24;
    int descriptor = 0;

    Bytes bytes() const {
        auto lo = [](int v) { return static_cast<uint8_t>(v & 255); };
        auto hi = [](int v) { return static_cast<uint8_t>((v >> 8) & 255); };
        return {lo(id_length),       lo(colormap_type), lo(image_type),  lo(colormap_first), hi(colormap_first),
                lo(colormap_length), hi(colormap_length), lo(colormap_entry_bits), 0, 0, 0, 0,
                lo(width),           hi(width),         lo(height),      hi(height),         lo(pixel_depth),
                lo(descriptor)};
    }
};

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A bottom-up buffer of width x height pixels of format bytes, the first
// format bytes of colour(x, y) at each.
template <typename F>
Bytes make_image(int width, int height, int format, F colour) {
    Bytes out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Bytes c = colour(x, y);
            out.insert(out.end(), c.begin(), c.begin() + format);
        }
    }
    return out;
}

// Writes an RGBA picture coloured by colour(x, y); true when it was written.
template <typename F>
bool write_picture(const std::string& path, int width, int height, F colour) {
    const Bytes px = make_image(width, height, TGA_RGBA, colour);
    return write_tga(path.c_str(), width, height, px.data(), TGA_RGBA) == 1;
}
