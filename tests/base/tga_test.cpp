// The TGA reader against files put together byte by byte: every image type
// and depth, both origin bits, run-length packets, truncation, every error.
#include "tga.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "base/tga_files.h"

namespace {

struct Image {
    bool ok = false;
    int width = -1, height = -1, format = 4;
    Bytes px;
    // Pixel (x, y) with y counted from the bottom row.
    Bytes at(int x, int y) const {
        if (px.empty()) return {};
        const auto i = static_cast<std::size_t>((y * width + x) * format);
        return Bytes(px.begin() + i, px.begin() + i + format);
    }
};

// The 6 x 5 test picture: every pixel differs and neither axis is symmetric.
Bytes rgb(int x, int y) {
    return {static_cast<uint8_t>(10 + 30 * x), static_cast<uint8_t>(20 + 40 * y), static_cast<uint8_t>(1 + 7 * x + 3 * y)};
}

// The picture as 24-bit B, G, R pixels in the order the descriptor's origin bits give.
Bytes picture_24(int descriptor) {
    Bytes out;
    for (int r = 0; r < 5; ++r) {
        const int y = (descriptor & 0x20) ? 4 - r : r;
        for (int c = 0; c < 6; ++c) {
            const Bytes p = rgb((descriptor & 0x10) ? 5 - c : c, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
    }
    return out;
}

TgaHeader header(int type, int depth, int width, int height, int descriptor = 0) {
    TgaHeader h;
    h.image_type = type;
    h.pixel_depth = depth;
    h.width = width;
    h.height = height;
    h.descriptor = descriptor;
    return h;
}

// A colour-mapped header: image type, map length and entry size, index depth, size.
TgaHeader mapped_header(int type, int length, int entry_bits, int depth, int width, int height) {
    TgaHeader h = header(type, depth, width, height);
    h.colormap_type = 1;
    h.colormap_length = length;
    h.colormap_entry_bits = entry_bits;
    return h;
}

class TgaReader : public testing::Test {
protected:
    Image load(const Bytes& file, int format = TGA_RGBA, long max_pixels = TGA_MAX_TEXTURE_PIXELS) {
        write_bytes(dir.file("t.tga"), file);
        Image im;
        im.format = format;
        unsigned char* p = read_tga(dir.file("t.tga").c_str(), &im.width, &im.height, format, max_pixels);
        im.ok = p != nullptr;
        if (p) im.px.assign(p, p + static_cast<std::size_t>(im.width) * im.height * format);
        std::free(p);
        return im;
    }
    ScratchDir dir;
};

TEST_F(TgaReader, TrueColourPixelsLandBottomUpWhateverTheOrigin) {
    for (int descriptor : {0x00, 0x10, 0x20, 0x30}) {
        const Image im = load(header(2, 24, 6, 5, descriptor).bytes() + picture_24(descriptor));
        ASSERT_TRUE(im.ok) << descriptor;
        EXPECT_EQ(im.width, 6);
        EXPECT_EQ(im.height, 5);
        EXPECT_EQ(im.px, make_image(6, 5, TGA_RGBA, [](int x, int y) { return rgb(x, y) + Bytes{255}; }))
            << "descriptor " << descriptor;
    }
    // Three bytes per pixel when asked for RGB.
    const Image im = load(TgaHeader{}.bytes() + picture_24(0), TGA_RGB);
    EXPECT_EQ(im.px, make_image(6, 5, TGA_RGB, rgb));
}

TEST_F(TgaReader, ThirtyTwoBitAlphaIsKeptOnlyWithAlphaBitsAndPremultiplied) {
    // B, G, R, A: opaque teal, half red, invisible white.
    const Bytes data = {90, 60, 30, 255, 0, 0, 255, 128, 255, 255, 255, 0};
    const TgaHeader alpha = header(2, 32, 3, 1, 0x08);
    EXPECT_EQ(load(alpha.bytes() + data).px, (Bytes{30, 60, 90, 255, 128, 0, 0, 128, 0, 0, 0, 0}));
    // As RGB the premultiplied colour remains.
    EXPECT_EQ(load(alpha.bytes() + data, TGA_RGB).at(1, 0), (Bytes{128, 0, 0}));
    EXPECT_EQ(load(header(2, 32, 3, 1).bytes() + data).px, (Bytes{30, 60, 90, 255, 255, 0, 0, 255, 255, 255, 255, 255}));
}

TEST_F(TgaReader, SixteenAndFifteenBitPixelsWidenWithTheSinglePrecisionFactors) {
    // 0xFFFF, pure 6-bit green 0x07E0, and 0x4210 (5-6-5: 8, 16, 16; 5-5-5: 16, 16, 16).
    const Bytes data = {0xFF, 0xFF, 0xE0, 0x07, 0x10, 0x42};
    // No alpha bits: 5-6-5; 8 x 8.2258, 16 x 4.0476, 16 x 8.2258 for the last.
    EXPECT_EQ(load(header(2, 16, 3, 1).bytes() + data).px, (Bytes{254, 254, 254, 255, 0, 254, 0, 255, 65, 64, 131, 255}));
    // One alpha bit: 5-5-5, the top bit ignored.
    EXPECT_EQ(load(header(2, 16, 3, 1, 0x01).bytes() + data).px,
              (Bytes{254, 254, 254, 255, 8, 254, 0, 255, 131, 131, 131, 255}));
    EXPECT_EQ(load(header(2, 15, 3, 1).bytes() + data).at(1, 0), (Bytes{8, 254, 0, 255}));
}

TEST_F(TgaReader, ColourMappedPixelsAreLookedUpAndStrayIndicesAreTransparent) {
    TgaHeader h = mapped_header(1, 3, 24, 8, 3, 2);
    const Bytes map = {0, 0, 255, 0, 255, 0, 255, 0, 0};  // red, green, blue as B, G, R
    const Bytes red = {255, 0, 0, 255}, green = {0, 255, 0, 255}, blue = {0, 0, 255, 255}, none = {0, 0, 0, 0};
    // Bottom row blue, green, red; top row 3 and 200, past the map's end, then green.
    EXPECT_EQ(load(h.bytes() + map + Bytes{2, 1, 0, 3, 200, 1}).px, blue + green + red + none + none + green);

    // A map whose first entry is 10: index 10 is its first stored entry, 9 lies outside.
    h.colormap_first = 10;
    EXPECT_EQ(load(h.bytes() + map + Bytes{10, 12, 9, 11, 13, 0}).px, red + blue + none + green + none + none);

    // 32-bit entries keep their alpha; 16-bit indices; a true-colour type with a map uses it too.
    h = mapped_header(2, 2, 32, 16, 2, 1);
    h.descriptor = 0x08;
    EXPECT_EQ(load(h.bytes() + Bytes{0, 0, 200, 255, 0, 100, 0, 51} + Bytes{1, 0, 0, 0}).px,
              (Bytes{0, 20, 0, 51, 200, 0, 0, 255}));

    // 16-bit 5-6-5 entries, an 8-bit index of a one-entry map, run-length encoded.
    h = mapped_header(9, 1, 16, 8, 2, 1);
    EXPECT_EQ(load(h.bytes() + Bytes{0x1F, 0x00} + Bytes{0x81, 0}).at(1, 0), (Bytes{0, 0, 254, 255}));
}

TEST_F(TgaReader, GreyscalePixelsBecomeGreyWithTheirOwnAlpha) {
    EXPECT_EQ(load(header(3, 8, 2, 1).bytes() + Bytes{0, 77}).px, (Bytes{0, 0, 0, 255, 77, 77, 77, 255}));
    // One run: grey 200 at half alpha.
    EXPECT_EQ(load(header(11, 16, 2, 1, 0x08).bytes() + Bytes{0x81, 200, 128}).px,
              (Bytes{100, 100, 100, 128, 100, 100, 100, 128}));
}

TEST_F(TgaReader, RunLengthPacketsCrossRowsAndStopAtTheLastPixel) {
    const Bytes red = {0, 0, 255}, blue = {255, 0, 0};
    // Run of 8 red (row 0 and two of row 1), raw 4 (the rest of row 1) taken
    // from the picture, raw 3 crossing into row 2, then a run of 20 blue
    // that would overrun the 15 pixels left.
    Bytes file = header(10, 24, 6, 5).bytes() + Bytes{0x87} + red + Bytes{0x03};
    for (int x = 2; x < 6; ++x) file = file + Bytes{rgb(x, 1)[2], rgb(x, 1)[1], rgb(x, 1)[0]};
    file = file + Bytes{0x02} + Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9} + Bytes{0x80 | 19} + blue;
    const Image im = load(file);
    ASSERT_TRUE(im.ok);
    EXPECT_EQ(im.at(5, 0), (Bytes{255, 0, 0, 255}));
    EXPECT_EQ(im.at(1, 1), (Bytes{255, 0, 0, 255}));
    EXPECT_EQ(im.at(2, 1), (Bytes{70, 60, 18, 255}));
    EXPECT_EQ(im.at(5, 1), (Bytes{160, 60, 39, 255}));
    EXPECT_EQ(im.at(0, 2), (Bytes{3, 2, 1, 255}));
    EXPECT_EQ(im.at(2, 2), (Bytes{9, 8, 7, 255}));
    EXPECT_EQ(im.at(3, 2), (Bytes{0, 0, 255, 255}));
    EXPECT_EQ(im.at(5, 4), (Bytes{0, 0, 255, 255}));

    // A raw packet running past the end stores only up to the last pixel,
    // and top-down run-length files land bottom-up like the rest.
    const Image top = load(header(10, 24, 2, 2, 0x20).bytes() + Bytes{0x05} +
                           Bytes{0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 0, 6});
    EXPECT_EQ(top.px, (Bytes{3, 0, 0, 255, 4, 0, 0, 255, 1, 0, 0, 255, 2, 0, 0, 255}));
}

TEST_F(TgaReader, TruncatedDataReadsAsZerosNotAsAnError) {
    // 24-bit: one whole pixel, then two bytes of the second: opaque black from there on.
    Image im = load(header(2, 24, 3, 1).bytes() + Bytes{10, 20, 30, 40, 50});
    ASSERT_TRUE(im.ok);
    EXPECT_EQ(im.px, (Bytes{30, 20, 10, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
    // 32-bit with alpha: transparent black.
    EXPECT_EQ(load(header(2, 32, 3, 1, 0x08).bytes() + Bytes{10, 20, 30, 255}).at(1, 0), (Bytes{0, 0, 0, 0}));

    // Run-length data that ends after its first packet.
    im = load(header(10, 24, 3, 2).bytes() + Bytes{0x81, 9, 9, 9});
    ASSERT_TRUE(im.ok);
    EXPECT_EQ(im.at(1, 0), (Bytes{9, 9, 9, 255}));
    EXPECT_EQ(im.at(2, 1), (Bytes{0, 0, 0, 255}));

    // Colour-mapped data that ends: missing indices read as 0, the first entry.
    EXPECT_EQ(load(mapped_header(1, 1, 24, 8, 2, 1).bytes() + Bytes{0, 99, 0}).at(1, 0), (Bytes{0, 99, 0, 255}));

    // The largest image with no data at all decodes quickly to one colour.
    im = load(header(2, 24, TGA_MAX_SIDE, 3).bytes(), TGA_RGB, TGA_MAX_PIXELS);
    ASSERT_TRUE(im.ok);
    EXPECT_EQ(im.at(TGA_MAX_SIDE - 1, 2), (Bytes{0, 0, 0}));
}

TEST_F(TgaReader, ImageIdIsSkippedAndOddDepthsStillReadWholePixels) {
    TgaHeader h = header(2, 24, 2, 1);
    h.id_length = 3;
    EXPECT_EQ(load(h.bytes() + Bytes{'a', 'b', 'c'} + Bytes{1, 2, 3, 4, 5, 6}).at(0, 0), (Bytes{3, 2, 1, 255}));
    // A 40-bit pixel is five bytes; its low four count as for 32 bits.
    EXPECT_EQ(load(header(2, 40, 2, 1).bytes() + Bytes{1, 2, 3, 4, 99, 5, 6, 7, 8, 99}).at(1, 0),
              (Bytes{7, 6, 5, 255}));
    // Depth 0 still takes one byte a pixel.
    EXPECT_EQ(load(header(3, 0, 2, 1).bytes() + Bytes{40, 80}).at(1, 0), (Bytes{80, 80, 80, 255}));
}

TEST_F(TgaReader, EveryFailureHasItsCodeAndLeavesTheSizesAlone) {
    auto code_of = [this](const Bytes& file, int format = TGA_RGBA) {
        tga_error_code = 0;
        write_bytes(dir.file("bad.tga"), file);
        int w = -7, h = -7;
        unsigned char* p = read_tga(dir.file("bad.tga").c_str(), &w, &h, format);
        EXPECT_EQ(p, nullptr);
        std::free(p);
        EXPECT_EQ(w, -7);
        EXPECT_EQ(h, -7);
        return get_tga_error_code();
    };
    const Bytes good = TgaHeader{}.bytes() + picture_24(0);

    EXPECT_EQ(code_of(good, 5), TGA_BAD_FORMAT);
    int w = 0, ht = 0;
    EXPECT_EQ(read_tga(dir.file("missing.tga").c_str(), &w, &ht, 4), nullptr);
    EXPECT_EQ(tga_error_code, TGA_CANNOT_OPEN);
    // The format is checked before the file is opened.
    EXPECT_EQ(read_tga(dir.file("missing.tga").c_str(), &w, &ht, 5), nullptr);
    EXPECT_EQ(tga_error_code, TGA_BAD_FORMAT);
    EXPECT_EQ(code_of(Bytes(good.begin(), good.begin() + 17)), TGA_BAD_HEADER);

    EXPECT_EQ(code_of(header(2, 24, 0, 5).bytes()), TGA_ZERO_SIZE);
    EXPECT_EQ(code_of(header(0, 24, 6, 0).bytes()), TGA_ZERO_SIZE);  // the size is checked before the type
    EXPECT_EQ(code_of(header(2, 24, TGA_MAX_SIDE + 1, 5).bytes()), TGA_TOO_LARGE);
    EXPECT_EQ(code_of(header(2, 32, 65535, 65535).bytes()), TGA_TOO_LARGE);
    EXPECT_EQ(code_of(header(0, 24, 6, 5).bytes()), TGA_NO_DATA);

    TgaHeader grey = mapped_header(3, 0, 24, 8, 6, 5);
    EXPECT_EQ(code_of(grey.bytes()), TGA_GREYSCALE_COLORMAP);
    grey.image_type = 11;
    EXPECT_EQ(code_of(grey.bytes()), TGA_GREYSCALE_COLORMAP);

    TgaHeader mapped = mapped_header(1, 2, 0, 8, 6, 5);
    for (int bits : {0, 8, 17, 31, 33}) {
        mapped.colormap_entry_bits = bits;
        EXPECT_EQ(code_of(mapped.bytes() + Bytes(8, 0)), TGA_BAD_COLORMAP_ENTRY_SIZE) << bits;
    }
    mapped.colormap_entry_bits = 24;
    EXPECT_EQ(code_of(mapped.bytes() + Bytes{1, 2, 3, 4, 5}), TGA_BAD_COLORMAP);

    EXPECT_EQ(code_of(header(5, 24, 6, 5).bytes() + picture_24(0)), TGA_UNKNOWN_TYPE);
    EXPECT_EQ(code_of(header(128, 24, 6, 5).bytes()), TGA_UNKNOWN_TYPE);

    // A success leaves the last code as it was.
    tga_error_code = TGA_BAD_COLORMAP;
    EXPECT_TRUE(load(good).ok);
    EXPECT_EQ(tga_error_code, TGA_BAD_COLORMAP);
}

TEST_F(TgaReader, ATextureClaimingMoreThanTheSetHoldsIsRefusedBeforeItsBuffer) {
    // The largest textures of the set read, square or tall; one row more does not.
    EXPECT_TRUE(load(header(2, 24, 256, 256).bytes()).ok);
    EXPECT_TRUE(load(header(10, 24, 64, 1024).bytes()).ok);
    for (const Bytes& file : {header(2, 24, 256, 257).bytes(), header(10, 32, 65, 1024).bytes(),
                              header(2, 24, 8192, 8192).bytes()}) {
        tga_error_code = 0;
        EXPECT_FALSE(load(file).ok);
        EXPECT_EQ(tga_error_code, TGA_TOO_LARGE);
    }
    // A picture that is no texture (a screenshot) may be larger when asked
    // for, but no side may pass what any image may have.
    const Image shot = load(header(2, 24, 320, 240).bytes(), TGA_RGB, TGA_MAX_PIXELS);
    EXPECT_TRUE(shot.ok);
    EXPECT_EQ(shot.width, 320);
    tga_error_code = 0;
    EXPECT_FALSE(load(header(2, 24, TGA_MAX_SIDE + 1, 3).bytes(), TGA_RGB, 1L << 40).ok);
    EXPECT_EQ(tga_error_code, TGA_TOO_LARGE);
}

TEST_F(TgaReader, AnIdThatCannotBeSkippedIsAnUnexpectedEnd) {
    // A pipe cannot seek: the image ID after the header cannot be skipped.
    int ends[2] = {-1, -1};
    ASSERT_EQ(pipe(ends), 0);
    TgaHeader h;
    h.id_length = 4;
    std::thread writer([&] {
        const Bytes bytes = h.bytes() + Bytes{1, 2, 3, 4} + picture_24(0);
        EXPECT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(ends[1]);
    });
    std::FILE* stream = fdopen(ends[0], "rb");
    ASSERT_NE(stream, nullptr);
    int w = 0, ht = 0;
    tga_error_code = 0;
    unsigned char* p = read_tga_stream(stream, &w, &ht, TGA_RGBA);
    writer.join();
    std::fclose(stream);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(tga_error_code, TGA_UNEXPECTED_EOF);

    // Nor can an ID that runs past the end of an image held in memory.
    Bytes memory = h.bytes();
    std::FILE* f = fmemopen(memory.data(), memory.size(), "rb");
    ASSERT_NE(f, nullptr);
    tga_error_code = 0;
    EXPECT_EQ(read_tga_stream(f, &w, &ht, TGA_RGBA), nullptr);
    EXPECT_EQ(tga_error_code, TGA_UNEXPECTED_EOF);
    std::fclose(f);
}

TEST_F(TgaReader, ANamedPipeOrAFolderCannotBeOpened) {
    // A texture that is a pipe would wait for a writer inside the first frame.
    const std::string fifo = dir.file("pipe.tga");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& name : {fifo, dir.path()}) {
        int w = 0, ht = 0;
        tga_error_code = 0;
        EXPECT_EQ(read_tga(name.c_str(), &w, &ht, TGA_RGBA), nullptr) << name;
        EXPECT_EQ(tga_error_code, TGA_CANNOT_OPEN) << name;
    }
}

TEST(TgaLibrary, MessagesAndTheBufferAllocator) {
    const char* expected[] = {"no error", "bad image header", "cannot open file", "bad format argument",
                              "unexpected end-of-file", "image contains no data",
                              "found colormap for a grayscale image", "unsupported colormap entry size",
                              "bad colormap", "cannot read from file", "unknown image type",
                              "image has size 0 width or height (or both)", "image is too large",
                              "cannot write to file"};
    for (int code = 0; code <= 13; ++code) EXPECT_STREQ(tga_error_message(code), expected[code]) << code;
    EXPECT_STREQ(tga_error_message(-1), "unknown error");
    EXPECT_STREQ(tga_error_message(14), "unknown error");

    const struct {
        int width, height, format, code;
    } refused[] = {{6, 5, 5, TGA_BAD_FORMAT}, {0, 5, 3, TGA_ZERO_SIZE}, {6, -5, 3, TGA_ZERO_SIZE},
                   {6, TGA_MAX_SIDE + 1, 4, TGA_TOO_LARGE}};
    for (const auto& r : refused) {
        tga_error_code = 0;
        EXPECT_EQ(new_tga_image(r.width, r.height, r.format), nullptr);
        EXPECT_EQ(get_tga_error_code(), r.code);
    }
    unsigned char* image = new_tga_image(6, 5, TGA_RGB);
    ASSERT_NE(image, nullptr);
    image[6 * 5 * 3 - 1] = 1;  // the whole buffer is there (the sanitizer build checks)
    std::free(image);
}

}  // namespace
