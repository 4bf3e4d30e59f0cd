// The TGA writers: the bytes they put in the file, the run/raw packet
// boundaries, the un-premultiplication, and round trips through the reader.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "base/tga_files.h"

namespace {

const std::string IMAGE_ID = "written by Quillmoor.";
using Writer = int (*)(const char*, int, int, const unsigned char*, int);

// What follows the header and the image ID.
Bytes body(const Bytes& file) { return Bytes(file.begin() + 18 + 21, file.end()); }

class TgaWriter : public testing::Test {
protected:
    // Writes with one of the writers, then reads the file back as the same format.
    Bytes round_trip(Writer writer, const Bytes& px, int width, int height, int format) {
        const std::string path = dir.file("round.tga");
        EXPECT_EQ(writer(path.c_str(), width, height, px.data(), format), 1);
        int w = 0, h = 0;
        unsigned char* p = read_tga(path.c_str(), &w, &h, format);
        EXPECT_NE(p, nullptr);
        if (p == nullptr) return {};
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
        Bytes out(p, p + static_cast<std::size_t>(w) * h * format);
        std::free(p);
        return out;
    }
    Bytes written(Writer writer, const Bytes& px, int width, int height, int format) {
        const std::string path = dir.file("out.tga");
        EXPECT_EQ(writer(path.c_str(), width, height, px.data(), format), 1);
        return read_bytes(path);
    }
    ScratchDir dir;
};

auto picture = [](int x, int y) {
    return Bytes{static_cast<uint8_t>(10 + 30 * x), static_cast<uint8_t>(20 + 40 * y), static_cast<uint8_t>(x * y), 255};
};

TEST_F(TgaWriter, UncompressedFilesHoldTheHeaderTheIdAndBottomRowFirst) {
    const Bytes px = make_image(6, 5, TGA_RGB, picture);
    const Bytes file = written(write_tga, px, 6, 5, TGA_RGB);
    ASSERT_EQ(file.size(), 18u + 21u + 6u * 5u * 3u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 18),
              (Bytes{21, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 5, 0, 24, 0}));
    EXPECT_EQ(std::string(file.begin() + 18, file.begin() + 39), IMAGE_ID);
    const Bytes b = body(file);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{0, 20, 10, 0, 20, 40}));  // B, G, R of (0,0), (1,0)
    EXPECT_EQ(Bytes(b.end() - 3, b.end()), (Bytes{20, 180, 160}));             // (5, 4), the top right

    EXPECT_EQ(round_trip(write_tga, px, 6, 5, TGA_RGB), px);
    const Bytes rgba = make_image(6, 5, TGA_RGBA, picture);
    EXPECT_EQ(round_trip(write_tga, rgba, 6, 5, TGA_RGBA), rgba);
    const Bytes rgba_file = written(write_tga, rgba, 6, 5, TGA_RGBA);
    EXPECT_EQ(rgba_file[16], 32);
    EXPECT_EQ(rgba_file[17], 8);
}

TEST_F(TgaWriter, AlphaPixelsAreDividedByTheirAlphaOnTheWayOut) {
    // Premultiplied R, G, B, A as the reader gives them.
    const Bytes px = {
        128, 64, 0,  128,  // half red-orange
        0,   0,  0,  0,    // fully transparent
        10,  20, 30, 0,    // transparent but coloured: kept as it is
        200, 0,  50, 100,  // colour above its alpha saturates
        7,   7,  7,  255,  // opaque: untouched
    };
    const Bytes b = body(written(write_tga, px, 5, 1, TGA_RGBA));
    EXPECT_EQ(b, (Bytes{0, 127, 255, 128, 0, 0, 0, 0, 30, 20, 10, 0, 127, 0, 255, 100, 7, 7, 7, 255}));

    // Reading it back premultiplies again: opaque and transparent pixels come back exactly.
    EXPECT_EQ(round_trip(write_tga, px, 5, 1, TGA_RGBA),
              (Bytes{128, 63, 0, 128, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 49, 100, 7, 7, 7, 255}));
}

TEST_F(TgaWriter, RunLengthPacketsStayInsideOneRow) {
    const Bytes A = {1, 2, 3}, B = {4, 5, 6}, C = {7, 8, 9};
    // Row 0: A A A B C C; row 1: A B C A B C; row 2 ... 4: all C (runs never join rows).
    const std::vector<Bytes> rows[] = {{A, A, A, B, C, C}, {A, B, C, A, B, C}, {C, C, C, C, C, C}};
    auto colour = [&](int x, int y) { return rows[y < 2 ? y : 2][x]; };
    const Bytes px = make_image(6, 5, TGA_RGB, colour);
    const Bytes file = written(write_tga_rle, px, 6, 5, TGA_RGB);
    EXPECT_EQ(file[2], 10);
    const Bytes a = {3, 2, 1}, b = {6, 5, 4}, c = {9, 8, 7};
    Bytes want = Bytes{0x82} + a + Bytes{0x00} + b + Bytes{0x81} + c;
    want = want + Bytes{0x05} + a + b + c + a + b + c;
    for (int row = 2; row < 5; ++row) want = want + Bytes{0x85} + c;
    EXPECT_EQ(body(file), want);
    EXPECT_EQ(round_trip(write_tga_rle, px, 6, 5, TGA_RGB), px);

    // A raw stretch ends where two equal pixels begin a run: A B C C.
    const Bytes abcc = A + B + C + C;
    EXPECT_EQ(body(written(write_tga_rle, abcc, 4, 1, TGA_RGB)), Bytes{0x01} + a + b + Bytes{0x81} + c);
}

TEST_F(TgaWriter, PacketsHoldAtMostOneHundredAndTwentyEightPixels) {
    // 300 equal pixels: runs of 128, 128 and 44.
    const Bytes grey = make_image(300, 1, TGA_RGB, [](int, int) { return Bytes{50, 50, 50}; });
    EXPECT_EQ(body(written(write_tga_rle, grey, 300, 1, TGA_RGB)),
              (Bytes{0xFF, 50, 50, 50, 0xFF, 50, 50, 50, 0x80 | 43, 50, 50, 50}));
    // 129 equal pixels: a run of 128 and a lone raw pixel at the row's end.
    EXPECT_EQ(body(written(write_tga_rle, grey, 129, 1, TGA_RGB)), (Bytes{0xFF, 50, 50, 50, 0x00, 50, 50, 50}));

    // 130 different pixels, two rows: each row is a raw packet of 128 and one of 2.
    auto ramp = [](int x, int y) { return Bytes{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0, 255}; };
    const Bytes px = make_image(130, 2, TGA_RGBA, ramp);
    const Bytes b = body(written(write_tga_rle, px, 130, 2, TGA_RGBA));
    ASSERT_EQ(b.size(), 2u * (1 + 128 * 4 + 1 + 2 * 4));
    EXPECT_EQ(b[0], 0x7F);
    EXPECT_EQ(b[1 + 128 * 4], 0x01);
    EXPECT_EQ(b[1 + 128 * 4 + 1 + 8], 0x7F);
    EXPECT_EQ(round_trip(write_tga_rle, px, 130, 2, TGA_RGBA), px);
}

TEST_F(TgaWriter, RunsCompareThePixelsAsWrittenAfterUnpremultiplying) {
    // Two premultiplied pixels that differ but un-premultiply to the same bytes form one run.
    const Bytes px = {128, 0, 0, 128, 129, 0, 0, 128, 255, 0, 0, 255};
    EXPECT_EQ(body(written(write_tga_rle, px, 3, 1, TGA_RGBA)), (Bytes{0x81, 0, 0, 255, 128, 0x00, 0, 0, 255, 255}));
    EXPECT_EQ(round_trip(write_tga_rle, px, 3, 1, TGA_RGBA), (Bytes{128, 0, 0, 128, 128, 0, 0, 128, 255, 0, 0, 255}));
}

TEST_F(TgaWriter, RefusesWhatItCannotWriteAndWritesNothing) {
    const Bytes px = make_image(6, 5, TGA_RGBA, picture);
    const std::string path = dir.file("refused.tga");
    for (auto writer : {write_tga, write_tga_rle}) {
        tga_error_code = 0;
        EXPECT_EQ(writer(path.c_str(), 6, 5, px.data(), 5), 0);
        EXPECT_EQ(tga_error_code, TGA_BAD_FORMAT);
        EXPECT_EQ(writer(path.c_str(), 0, 5, px.data(), 4), 0);
        EXPECT_EQ(tga_error_code, TGA_ZERO_SIZE);
        EXPECT_EQ(writer(path.c_str(), 70000, 1, px.data(), 4), 0);
        EXPECT_EQ(tga_error_code, TGA_TOO_LARGE);
        EXPECT_EQ(writer(path.c_str(), 6, 5, nullptr, 4), 0);
        EXPECT_EQ(tga_error_code, TGA_NO_DATA);
        EXPECT_TRUE(read_bytes(path).empty());
        EXPECT_EQ(writer(dir.file("no/such/dir.tga").c_str(), 6, 5, px.data(), 4), 0);
        EXPECT_EQ(tga_error_code, TGA_CANNOT_OPEN);
    }
}

TEST_F(TgaWriter, AFailedWriteIsReportedAndLeavesWhatWasThere) {
    // A file size limit in a child process makes the write fail part way:
    // no half image is left, and an older file stays as it was.
    const std::string path = dir.file("limited.tga");
    const Bytes px = make_image(200, 100, TGA_RGB, picture);
    for (const bool old_file : {false, true}) {
        if (old_file) write_bytes(path, {'o', 'l', 'd'});
        for (auto writer : {write_tga, write_tga_rle}) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                signal(SIGXFSZ, SIG_IGN);
                const rlimit limit = {1000, 1000};
                setrlimit(RLIMIT_FSIZE, &limit);
                const int result = writer(path.c_str(), 200, 100, px.data(), TGA_RGB);
                _exit(result == 0 && tga_error_code == TGA_CANNOT_WRITE ? 0 : 1);
            }
            int status = -1;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_EQ(read_bytes(path), old_file ? Bytes({'o', 'l', 'd'}) : Bytes());
            EXPECT_EQ(dir.entries().size(), old_file ? 1u : 0u) << "no temporary file left";
        }
    }
}

TEST_F(TgaWriter, APipeIsRefusedAndKept) {
    // A pipe (or a device) is neither replaced, which would remove the node,
    // nor written into, which waits for a reader that may never come.
    const std::string path = dir.file("pipe");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const pid_t reader = fork();
    ASSERT_GE(reader, 0);
    if (reader == 0) {  // counts what reaches it
        char buffer[256];
        const int fd = open(path.c_str(), O_RDONLY);
        ssize_t total = 0, n = 0;
        while ((n = read(fd, buffer, sizeof buffer)) > 0) total += n;
        _exit(total == 0 ? 0 : 1);
    }
    const Bytes px = make_image(6, 5, TGA_RGB, picture);
    EXPECT_EQ(write_tga(path.c_str(), 6, 5, px.data(), TGA_RGB), 0);
    EXPECT_EQ(tga_error_code, TGA_CANNOT_OPEN);
    struct stat info {};
    const bool still_a_pipe = lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    EXPECT_TRUE(still_a_pipe);
    if (still_a_pipe) {
        close(open(path.c_str(), O_WRONLY));  // lets the reader see the end
    } else {
        kill(reader, SIGKILL);  // waiting on a pipe that is gone
    }
    int status = -1;
    waitpid(reader, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "bytes reached the pipe";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"pipe"}) << "no temporary file left";
}

}  // namespace
