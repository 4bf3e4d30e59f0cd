// The TGA reader: colour-mapped, true-colour and greyscale images, raw or
// run-length encoded, decoded into bottom-up premultiplied RGB(A) buffers.
#include "tga.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "regular_file.h"

int tga_error_code = TGA_NO_ERROR;

namespace {

constexpr int HEADER_BYTES = 18;

struct Color {
    uint8_t r, g, b, a;
};

constexpr Color TRANSPARENT_BLACK = {0, 0, 0, 0};

std::nullptr_t fail(int code) {
    tga_error_code = code;
    return nullptr;
}

struct FreeBuffer {
    void operator()(unsigned char* p) const { std::free(p); }
};

// The header fields, little-endian in the file.
struct Header {
    int id_length;
    int colormap_type;
    int image_type;
    int colormap_first;
    int colormap_length;
    int colormap_entry_bits;
    int width;
    int height;
    int pixel_depth;
    int descriptor;
};

Header parse_header(const unsigned char* b) {
    auto u16 = [b](int at) { return b[at] | (b[at + 1] << 8); };
    Header h{};
    h.id_length = b[0];
    h.colormap_type = b[1];
    h.image_type = b[2];
    h.colormap_first = u16(3);
    h.colormap_length = u16(5);
    h.colormap_entry_bits = b[7];
    h.width = u16(12);
    h.height = u16(14);
    h.pixel_depth = b[16];
    h.descriptor = b[17];
    return h;
}

// Bytes one at a time. Once a read has failed every later read fails too, so
// a truncated file reads as zeros to its end whatever the stream does next.
class ByteSource {
public:
    explicit ByteSource(std::FILE* file) : file_(file) {}

    bool next(unsigned& byte) {
        if (ended_) return false;
        const int c = std::getc(file_);
        if (c == EOF) {
            ended_ = true;
            return false;
        }
        byte = static_cast<unsigned>(c);
        return true;
    }

    // A little-endian value of `bytes` bytes, 0 when any byte is missing.
    // Only the low four bytes can matter to any depth we convert.
    uint32_t value(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            unsigned byte = 0;
            if (!next(byte)) return 0;
            if (i < 4) v |= static_cast<uint32_t>(byte) << (8 * i);
        }
        return v;
    }

    bool ended() const { return ended_; }

private:
    std::FILE* file_;
    bool ended_ = false;
};

// Scales a 5- or 6-bit component with the single-precision factors the
// textures were always read with, so the largest value becomes 254.
uint8_t widen5(uint32_t c) { return static_cast<uint8_t>(static_cast<float>(c & 31) * 8.2258f); }
uint8_t widen6(uint32_t c) { return static_cast<uint8_t>(static_cast<float>(c & 63) * 4.0476f); }

uint8_t premultiplied(uint8_t c, uint8_t a) {
    return static_cast<uint8_t>(static_cast<double>(c) / 255.0 * (static_cast<double>(a) / 255.0) * 255.0);
}

// How one file's values become colours.
struct Converter {
    int depth;       // bits of a value: the colour map entry size or the pixel depth
    int alpha_bits;  // descriptor bits 0-3
    bool greyscale;

    Color straight(uint32_t v) const {
        if (greyscale) {
            const uint8_t grey = static_cast<uint8_t>(v & 255);
            const uint8_t alpha = (depth == 16 && alpha_bits != 0) ? static_cast<uint8_t>((v >> 8) & 255) : 255;
            return {grey, grey, grey, alpha};
        }
        if (depth <= 8) {
            const uint8_t grey = static_cast<uint8_t>(v & 255);
            return {grey, grey, grey, 255};
        }
        if (depth <= 15 || (depth == 16 && alpha_bits == 1)) {
            return {widen5(v >> 10), widen5(v >> 5), widen5(v), 255};
        }
        if (depth == 16) return {widen5(v >> 11), widen6(v >> 5), widen5(v), 255};
        const Color rgb = {static_cast<uint8_t>((v >> 16) & 255), static_cast<uint8_t>((v >> 8) & 255),
                           static_cast<uint8_t>(v & 255), 255};
        if (depth <= 24 || alpha_bits == 0) return rgb;
        return {rgb.r, rgb.g, rgb.b, static_cast<uint8_t>(v >> 24)};
    }

    Color operator()(uint32_t v) const {
        const Color c = straight(v);
        return {premultiplied(c.r, c.a), premultiplied(c.g, c.a), premultiplied(c.b, c.a), c.a};
    }
};

// Turns each value read from the pixel data into a colour: through the
// colour map when the file has one, directly otherwise.
class Palette {
public:
    Palette(const Converter& convert, bool mapped, int first) : convert_(convert), mapped_(mapped), first_(first) {}

    void add_entry(uint32_t v) { entries_.push_back(convert_(v)); }

    // An index outside the map is transparent black; nothing outside the map is read.
    Color operator()(uint32_t v) const {
        if (!mapped_) return convert_(v);
        if (v < static_cast<uint32_t>(first_)) return TRANSPARENT_BLACK;
        const uint32_t i = v - static_cast<uint32_t>(first_);
        return i < entries_.size() ? entries_[i] : TRANSPARENT_BLACK;
    }

private:
    Converter convert_;
    bool mapped_;
    int first_;
    std::vector<Color> entries_;
};

// Puts pixel k of the file's order where it belongs in a bottom-up,
// left-to-right buffer.
class PixelSink {
public:
    PixelSink(unsigned char* out, int width, int height, int format, int descriptor)
        : out_(out), width_(static_cast<std::size_t>(width)), height_(static_cast<std::size_t>(height)),
          format_(format), right_to_left_((descriptor & 0x10) != 0), top_down_((descriptor & 0x20) != 0) {}

    std::size_t count() const { return width_ * height_; }

    void store(std::size_t k, Color c) {
        std::size_t column = k % width_;
        std::size_t row = k / width_;
        if (right_to_left_) column = width_ - 1 - column;
        if (top_down_) row = height_ - 1 - row;
        unsigned char* p = out_ + (row * width_ + column) * static_cast<std::size_t>(format_);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        if (format_ == TGA_RGBA) p[3] = c.a;
    }

    // Past the end of the data every value reads as 0, so the rest of the
    // picture is one colour; filling it directly keeps a truncated file of
    // the largest size cheap.
    void fill_from(std::size_t k, Color c) {
        for (; k < count(); ++k) store(k, c);
    }

private:
    unsigned char* out_;
    std::size_t width_, height_;
    int format_;
    bool right_to_left_, top_down_;
};

void decode_raw(ByteSource& src, int pixel_bytes, const Palette& palette, PixelSink& sink) {
    for (std::size_t k = 0; k < sink.count(); ++k) {
        if (src.ended()) return sink.fill_from(k, palette(0));
        sink.store(k, palette(src.value(pixel_bytes)));
    }
}

void decode_rle(ByteSource& src, int pixel_bytes, const Palette& palette, PixelSink& sink) {
    std::size_t k = 0;
    while (k < sink.count()) {
        if (src.ended()) return sink.fill_from(k, palette(0));
        unsigned header = 1;  // a missing header byte reads as a raw packet of two
        src.next(header);
        const std::size_t n = (header & 0x7F) + 1;
        if (header & 0x80) {
            const Color c = palette(src.value(pixel_bytes));
            for (std::size_t i = 0; i < n && k + i < sink.count(); ++i) sink.store(k + i, c);
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                const Color c = palette(src.value(pixel_bytes));
                if (k + i < sink.count()) sink.store(k + i, c);
            }
        }
        k += n;
    }
}

bool is_known_type(int type) { return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11; }

}  // namespace

unsigned char* read_tga_stream(std::FILE* file, int* width, int* height, int format, long max_pixels) {
    if (format != TGA_RGB && format != TGA_RGBA) return fail(TGA_BAD_FORMAT);

    unsigned char bytes[HEADER_BYTES];
    if (std::fread(bytes, 1, HEADER_BYTES, file) != HEADER_BYTES) return fail(TGA_BAD_HEADER);
    const Header h = parse_header(bytes);

    // Both sides are checked before anything is allocated.
    if (h.width == 0 || h.height == 0) return fail(TGA_ZERO_SIZE);
    if (h.width > TGA_MAX_SIDE || h.height > TGA_MAX_SIDE) return fail(TGA_TOO_LARGE);
    if (static_cast<long>(h.width) * h.height > max_pixels) return fail(TGA_TOO_LARGE);
    const int alpha_bits = h.descriptor & 0x0F;

    if (h.id_length != 0 && std::fseek(file, h.id_length, SEEK_CUR) != 0) return fail(TGA_UNEXPECTED_EOF);
    if (h.image_type == 0) return fail(TGA_NO_DATA);

    const bool mapped = h.colormap_type != 0;
    const bool greyscale = h.image_type == 3 || h.image_type == 11;
    const int source_depth = mapped ? h.colormap_entry_bits : h.pixel_depth;
    Palette palette(Converter{source_depth, alpha_bits, greyscale}, mapped, h.colormap_first);
    ByteSource src(file);

    if (mapped) {
        if (greyscale) return fail(TGA_GREYSCALE_COLORMAP);
        const int bits = h.colormap_entry_bits;
        if (bits != 15 && bits != 16 && bits != 24 && bits != 32) return fail(TGA_BAD_COLORMAP_ENTRY_SIZE);
        const int entry_bytes = (bits + 7) / 8;
        for (int e = 0; e < h.colormap_length; ++e) {
            uint32_t v = 0;
            for (int i = 0; i < entry_bytes; ++i) {
                unsigned byte = 0;
                if (!src.next(byte)) return fail(TGA_BAD_COLORMAP);
                v |= static_cast<uint32_t>(byte) << (8 * i);
            }
            palette.add_entry(v);
        }
    }
    if (!is_known_type(h.image_type)) return fail(TGA_UNKNOWN_TYPE);

    std::unique_ptr<unsigned char, FreeBuffer> out(new_tga_image(h.width, h.height, format));
    if (!out) return nullptr;
    const int pixel_bytes = h.pixel_depth == 0 ? 1 : (h.pixel_depth + 7) / 8;
    PixelSink sink(out.get(), h.width, h.height, format, h.descriptor);
    if (h.image_type >= 9) {
        decode_rle(src, pixel_bytes, palette, sink);
    } else {
        decode_raw(src, pixel_bytes, palette, sink);
    }
    *width = h.width;
    *height = h.height;
    return out.release();
}

unsigned char* read_tga(const char* file_name, int* width, int* height, int format, long max_pixels) {
    if (format != TGA_RGB && format != TGA_RGBA) return fail(TGA_BAD_FORMAT);
    // A texture named by a pipe or a device would freeze the first frame.
    const RegularFile file = open_regular_file(file_name);
    if (!file.file) return fail(TGA_CANNOT_OPEN);
    return read_tga_stream(file.file.get(), width, height, format, max_pixels);
}

unsigned char* new_tga_image(int width, int height, int format) {
    if (format != TGA_RGB && format != TGA_RGBA) return fail(TGA_BAD_FORMAT);
    if (width <= 0 || height <= 0) return fail(TGA_ZERO_SIZE);
    if (width > TGA_MAX_SIDE || height > TGA_MAX_SIDE) return fail(TGA_TOO_LARGE);
    // At most 8192 x 8192 x 4 bytes: no product here can overflow a size_t.
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                              static_cast<std::size_t>(format);
    auto* image = static_cast<unsigned char*>(std::malloc(bytes));
    if (image == nullptr) return fail(TGA_TOO_LARGE);
    return image;
}

const char* tga_error_message(int code) {
    static const char* const messages[] = {
        "no error",
        "bad image header",
        "cannot open file",
        "bad format argument",
        "unexpected end-of-file",
        "image contains no data",
        "found colormap for a grayscale image",
        "unsupported colormap entry size",
        "bad colormap",
        "cannot read from file",
        "unknown image type",
        "image has size 0 width or height (or both)",
        "image is too large",
        "cannot write to file",
    };
    static_assert(sizeof messages / sizeof messages[0] == TGA_CANNOT_WRITE + 1, "one message per code");
    if (code < 0 || code > TGA_CANNOT_WRITE) return "unknown error";
    return messages[code];
}

int get_tga_error_code() { return tga_error_code; }
