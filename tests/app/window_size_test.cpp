// res.cfg as the size dialog reads, validates and writes it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "window_size.h"

namespace {

// Each test has a file of its own: the tests of this file run side by side.
const char* cfg_file() {
    static std::string name;
    name = std::string("window_size_test.") +
           testing::UnitTest::GetInstance()->current_test_info()->name() + ".cfg";
    return name.c_str();
}

std::string read_file() {
    std::ifstream in(cfg_file(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ResCfg, ReadsTwoFieldsOfAtMostFourDigits) {
    struct Case {
        const char* file;
        const char* width;
        const char* height;
    };
    const Case cases[] = {
        {"1024\n768", "1024", "768"},
        // A fifth digit is consumed and dropped; the newline after it then
        // ends the height field at once, so the height is empty.
        {"12345\n768", "1234", ""},
        // A field stops at its first non-digit, which is consumed.
        {"640x480", "640", "480"},
        {" 900\n700\n", "", "900"},
        {"", "", ""},
        // A line end written as CR LF is one line end.
        {"1024\r\n768\r\n", "1024", "768"},
        {"800\r\n600", "800", "600"},
        {"12345\r\n768", "1234", ""},
        {"640\r480", "640", "480"},
    };
    for (const Case& c : cases) {
        std::ofstream(cfg_file(), std::ios::binary) << c.file;
        const WindowSizeText text = read_res_cfg(cfg_file());
        EXPECT_STREQ(text.width, c.width) << c.file;
        EXPECT_STREQ(text.height, c.height) << c.file;
    }
    std::remove(cfg_file());
    const WindowSizeText none = read_res_cfg(cfg_file());
    EXPECT_STREQ(none.width, "800");
    EXPECT_STREQ(none.height, "600");
}

TEST(ResCfg, AcceptsSizesWithinTheLimitsAndFallsBackOtherwise) {
    for (const auto& good : {std::make_pair("1600", "1200"), std::make_pair("320", "240")}) {
        const AcceptedSize s = accept_window_size(good.first, good.second);
        EXPECT_FALSE(s.fell_back) << good.first << " x " << good.second;
        EXPECT_EQ(s.width, std::atoi(good.first));
        EXPECT_EQ(s.height, std::atoi(good.second));
    }
    for (const auto& bad : {std::make_pair("1601", "900"), std::make_pair("1000", "1201"),
                            std::make_pair("319", "500"), std::make_pair("700", "239"),
                            std::make_pair("", "600"), std::make_pair("800", ""),
                            std::make_pair("abc", "600"), std::make_pair("0", "0")}) {
        const AcceptedSize s = accept_window_size(bad.first, bad.second);
        EXPECT_TRUE(s.fell_back) << bad.first << " x " << bad.second;
        EXPECT_EQ(s.width, 800);
        EXPECT_EQ(s.height, 600);
        EXPECT_STREQ(s.text.width, "800");
        EXPECT_STREQ(s.text.height, "600");
    }
}

TEST(ResCfg, KeepsOnlyFourTypedCharactersAndWritesTheNumbersRead) {
    // "12345" keeps "1234", which is within the limits.
    AcceptedSize s = accept_window_size("12345", "10245");
    EXPECT_FALSE(s.fell_back);
    EXPECT_EQ(s.width, 1234);
    EXPECT_EQ(s.height, 1024);
    EXPECT_STREQ(s.text.width, "1234");
    EXPECT_STREQ(s.text.height, "1024");

    // A sign or a space is parsed by strtol and written back as the number
    // read, with no newline after the height, so the next start reads the
    // same size back.
    s = accept_window_size("+900", " 700");
    EXPECT_EQ(s.width, 900);
    EXPECT_EQ(s.height, 700);
    write_res_cfg(s.text, cfg_file());
    EXPECT_EQ(read_file(), "900\n700");
    const WindowSizeText next_start = read_res_cfg(cfg_file());
    EXPECT_STREQ(next_start.width, "900");
    EXPECT_STREQ(next_start.height, "700");
    std::remove(cfg_file());

    // A file that cannot be written is ignored.
    write_res_cfg(s.text, "no_such_directory/res.cfg");
}

TEST(ResCfg, APipeOrAFolderIsRefusedWithoutWaiting) {
    // Reading or writing a pipe would wait for its other end before any
    // window is shown; each is refused with the defaults kept.
    for (const bool pipe : {true, false}) {
        ASSERT_EQ(pipe ? mkfifo(cfg_file(), 0600) : mkdir(cfg_file(), 0700), 0);
        testing::internal::CaptureStdout();
        const WindowSizeText text = read_res_cfg(cfg_file());
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_STREQ(text.width, "800");
        EXPECT_STREQ(text.height, "600");
        EXPECT_EQ(printed, std::string("Window size not read from ") + cfg_file() + ": it is a " +
                               (pipe ? "pipe" : "directory") + ", not a file\n");
        write_res_cfg(accept_window_size("1024", "768").text, cfg_file());
        struct stat info {};
        ASSERT_EQ(lstat(cfg_file(), &info), 0);
        EXPECT_TRUE(pipe ? S_ISFIFO(info.st_mode) : S_ISDIR(info.st_mode)) << "the node was replaced";
        ASSERT_EQ(pipe ? unlink(cfg_file()) : rmdir(cfg_file()), 0);
    }
}

}  // namespace
