// TGA image files: the reader that turns every texture of the town into a
// bottom-up, premultiplied pixel buffer, the two writers that make them, and
// the library's last-error code.
#pragma once

#include <cstdio>

// Output formats: bytes per pixel, R G B or R G B A.
constexpr int TGA_RGB = 3;
constexpr int TGA_RGBA = 4;

// Neither side of an image may exceed this, so every buffer size fits easily
// in memory and in the 16-bit header fields.
constexpr int TGA_MAX_SIDE = 8192;
// The most pixels a texture may have: as many as the largest textures of the
// town's set (256 x 256, or the smoke stack's 64 x 1024). The reader refuses
// more by default: a texture is decoded, kept and mipmapped for the life of
// the program, so a 49 KB file claiming 8192 x 8192 would cost 600 MB.
constexpr long TGA_MAX_TEXTURE_PIXELS = 256L * 256L;
// The most any picture may have (a screenshot, read back by the tests).
constexpr long TGA_MAX_PIXELS = static_cast<long>(TGA_MAX_SIDE) * TGA_MAX_SIDE;

// The codes tga_error_code can hold; tga_error_message gives their text.
enum TgaError {
    TGA_NO_ERROR = 0,
    TGA_BAD_HEADER = 1,
    TGA_CANNOT_OPEN = 2,
    TGA_BAD_FORMAT = 3,
    TGA_UNEXPECTED_EOF = 4,
    TGA_NO_DATA = 5,
    TGA_GREYSCALE_COLORMAP = 6,
    TGA_BAD_COLORMAP_ENTRY_SIZE = 7,
    TGA_BAD_COLORMAP = 8,
    TGA_CANNOT_READ = 9,
    TGA_UNKNOWN_TYPE = 10,
    TGA_ZERO_SIZE = 11,
    TGA_TOO_LARGE = 12,
    TGA_CANNOT_WRITE = 13,
};

// The code of the last failure; successes leave it as it was.
extern int tga_error_code;

// Reads file_name into a new buffer of width x height x format bytes (release
// it with free), bottom row first, colours premultiplied by alpha. Returns
// null and sets tga_error_code on failure. format is TGA_RGB or TGA_RGBA.
// A name that is not a regular file (a pipe, a device) cannot be opened.
// More than max_pixels, or a side beyond TGA_MAX_SIDE, is refused before
// anything is allocated; pictures other than textures pass TGA_MAX_PIXELS.
unsigned char* read_tga(const char* file_name, int* width, int* height, int format,
                        long max_pixels = TGA_MAX_TEXTURE_PIXELS);

// The same decoder over an open stream, read from its current position; the
// stream is left open. For images that do not come from a file of their own.
unsigned char* read_tga_stream(std::FILE* file, int* width, int* height, int format,
                               long max_pixels = TGA_MAX_TEXTURE_PIXELS);

// Write pixels (as read_tga returns them) uncompressed or run-length
// encoded. Return 1 on success, 0 on failure with tga_error_code set.
int write_tga(const char* file_name, int width, int height, const unsigned char* pixels, int format);
int write_tga_rle(const char* file_name, int width, int height, const unsigned char* pixels,
                  int format);

const char* tga_error_message(int code);
int get_tga_error_code();

// An uninitialised buffer for width x height pixels of format (release with
// free), or null with tga_error_code set.
unsigned char* new_tga_image(int width, int height, int format);
