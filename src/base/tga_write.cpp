// The TGA writers: premultiplied buffers out to uncompressed or run-length
// encoded true-colour files that the reader gives back.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tga.h"
#include "replace_file.h"

namespace {

constexpr char IMAGE_ID[] = "written by Quillmoor.";
constexpr int IMAGE_ID_BYTES = sizeof IMAGE_ID - 1;  // stored without its terminating zero
static_assert(IMAGE_ID_BYTES == 21, "the image ID is 21 bytes");

constexpr int MAX_PACKET = 128;

int fail(int code) {
    tga_error_code = code;
    return 0;
}

// Checks what every writer needs before a file is touched; 0 when all is well.
int argument_error(int width, int height, const unsigned char* pixels, int format) {
    if (format != TGA_RGB && format != TGA_RGBA) return TGA_BAD_FORMAT;
    // The header holds 16-bit sides; a side the reader would refuse is never written.
    if (width <= 0 || height <= 0) return TGA_ZERO_SIZE;
    if (width > TGA_MAX_SIDE || height > TGA_MAX_SIDE) return TGA_TOO_LARGE;
    if (pixels == nullptr) return TGA_NO_DATA;
    return 0;
}

void put16(std::vector<unsigned char>& out, int v) {
    out.push_back(static_cast<unsigned char>(v & 255));
    out.push_back(static_cast<unsigned char>((v >> 8) & 255));
}

std::vector<unsigned char> header(int width, int height, int format, int image_type) {
    std::vector<unsigned char> out;
    out.push_back(IMAGE_ID_BYTES);
    out.push_back(0);  // no colour map
    out.push_back(static_cast<unsigned char>(image_type));
    out.insert(out.end(), 5, 0);  // colour map first entry, length and entry size
    put16(out, 0);                // x origin
    put16(out, 0);                // y origin
    put16(out, width);
    put16(out, height);
    out.push_back(static_cast<unsigned char>(format * 8));
    out.push_back(format == TGA_RGBA ? 8 : 0);  // eight alpha bits, bottom-left origin
    out.insert(out.end(), IMAGE_ID, IMAGE_ID + IMAGE_ID_BYTES);
    return out;
}

uint8_t to_byte(double x) { return x > 1.0 ? 255 : static_cast<uint8_t>(x * 255.0); }

// One pixel as the file stores it: B, G, R and, for RGBA, the colour
// divided by its alpha again followed by A.
struct FilePixel {
    uint8_t bytes[4];
    int count;
    bool operator==(const FilePixel& o) const { return count == o.count && std::memcmp(bytes, o.bytes, count) == 0; }
};

FilePixel file_pixel(const unsigned char* p, int format) {
    if (format == TGA_RGB) return {{p[2], p[1], p[0], 0}, 3};
    double r = p[0] / 255.0, g = p[1] / 255.0, b = p[2] / 255.0;
    const double a = p[3] / 255.0;
    if (a > 0.0001) {
        r /= a;
        g /= a;
        b /= a;
    }
    return {{to_byte(b), to_byte(g), to_byte(r), to_byte(a)}, 4};
}

void put(std::vector<unsigned char>& out, const FilePixel& px) { out.insert(out.end(), px.bytes, px.bytes + px.count); }

// Writes the whole file beside the target and renames it over the target
// once complete: a short write or a failing close (a full disk, a size limit)
// is a failure and leaves whatever was there before untouched.
int save(const char* file_name, const std::vector<unsigned char>& bytes) {
    switch (replace_file(file_name, bytes).stage) {
        case FileWrite::DONE: return 1;
        case FileWrite::OPEN_FAILED: return fail(TGA_CANNOT_OPEN);
        case FileWrite::WRITE_FAILED: break;
    }
    return fail(TGA_CANNOT_WRITE);
}

std::vector<FilePixel> file_row(const unsigned char* pixels, int width, int row, int format) {
    std::vector<FilePixel> out(static_cast<std::size_t>(width));
    const unsigned char* p = pixels + static_cast<std::size_t>(row) * width * format;
    for (int x = 0; x < width; ++x) out[x] = file_pixel(p + static_cast<std::size_t>(x) * format, format);
    return out;
}

// Packets of one row: runs of equal pixels (two or more) and raw stretches
// between them, each 1 to 128 pixels, none crossing the row's end.
void encode_row(const std::vector<FilePixel>& row, std::vector<unsigned char>& out) {
    const int width = static_cast<int>(row.size());
    auto run_starts_at = [&](int i) { return i + 1 < width && row[i] == row[i + 1]; };
    int i = 0;
    while (i < width) {
        int n = 1;
        if (run_starts_at(i)) {
            while (i + n < width && n < MAX_PACKET && row[i + n] == row[i]) ++n;
            out.push_back(static_cast<unsigned char>(0x80 | (n - 1)));
            put(out, row[i]);
        } else {
            while (i + n < width && n < MAX_PACKET && !run_starts_at(i + n)) ++n;
            out.push_back(static_cast<unsigned char>(n - 1));
            for (int j = i; j < i + n; ++j) put(out, row[j]);
        }
        i += n;
    }
}

}  // namespace

int write_tga(const char* file_name, int width, int height, const unsigned char* pixels, int format) {
    if (const int error = argument_error(width, height, pixels, format)) return fail(error);
    std::vector<unsigned char> bytes = header(width, height, format, 2);
    bytes.reserve(bytes.size() + static_cast<std::size_t>(width) * height * format);
    for (int y = 0; y < height; ++y) {
        for (const FilePixel& px : file_row(pixels, width, y, format)) put(bytes, px);
    }
    return save(file_name, bytes);
}

int write_tga_rle(const char* file_name, int width, int height, const unsigned char* pixels, int format) {
    if (const int error = argument_error(width, height, pixels, format)) return fail(error);
    std::vector<unsigned char> bytes = header(width, height, format, 10);
    for (int y = 0; y < height; ++y) encode_row(file_row(pixels, width, y, format), bytes);
    return save(file_name, bytes);
}
