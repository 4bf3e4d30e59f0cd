// res.cfg as the size dialog reads, validates and writes it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/window_size.h"

namespace {

constexpr const char* CFG = "window_size_test.cfg";

void write_file(const std::string& text) {
    std::ofstream(CFG, std::ios::binary) << text;
}

std::string read_file() {
    std::ifstream in(CFG, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Fields {
    std::string width, height;
};

Fields read_fields(const std::string& text) {
    write_file(text);
    const WindowSizeText t = read_res_cfg(CFG);
    std::remove(CFG);
    return {t.width, t.height};
}

TEST(ResCfg, ReadsTwoFieldsOfAtMostFourDigits) {
    Fields f = read_fields("1024\n768");
    EXPECT_EQ(f.width, "1024");
    EXPECT_EQ(f.height, "768");

    // A fifth digit is consumed and dropped; the newline after it then ends
    // the height field at once, so the height is empty.
    f = read_fields("12345\n768");
    EXPECT_EQ(f.width, "1234");
    EXPECT_EQ(f.height, "");

    // A field stops at its first non-digit, which is consumed.
    f = read_fields("640x480");
    EXPECT_EQ(f.width, "640");
    EXPECT_EQ(f.height, "480");
    f = read_fields(" 900\n700\n");
    EXPECT_EQ(f.width, "");
    EXPECT_EQ(f.height, "900");
    f = read_fields("");
    EXPECT_EQ(f.width, "");
    EXPECT_EQ(f.height, "");

    std::remove(CFG);
    const WindowSizeText none = read_res_cfg(CFG);
    EXPECT_STREQ(none.width, "800");
    EXPECT_STREQ(none.height, "600");
}

TEST(ResCfg, AcceptsSizesWithinTheLimitsAndFallsBackOtherwise) {
    AcceptedSize s = accept_window_size("1024", "768");
    EXPECT_FALSE(s.fell_back);
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);

    s = accept_window_size("1600", "1200");
    EXPECT_FALSE(s.fell_back);
    EXPECT_EQ(s.width, 1600);
    EXPECT_EQ(s.height, 1200);
    s = accept_window_size("320", "240");
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 240);

    for (const auto& bad : {std::make_pair("1601", "900"), std::make_pair("1000", "1201"),
                            std::make_pair("319", "500"), std::make_pair("700", "239"),
                            std::make_pair("", "600"), std::make_pair("800", ""),
                            std::make_pair("abc", "600"), std::make_pair("0", "0")}) {
        s = accept_window_size(bad.first, bad.second);
        EXPECT_TRUE(s.fell_back) << bad.first << " x " << bad.second;
        EXPECT_EQ(s.width, 800);
        EXPECT_EQ(s.height, 600);
        EXPECT_STREQ(s.text.width, "800");
        EXPECT_STREQ(s.text.height, "600");
    }
}

TEST(ResCfg, KeepsOnlyFourTypedCharactersAndWritesThemAsTyped) {
    // "12345" keeps "1234", which is within the limits.
    AcceptedSize s = accept_window_size("12345", "10245");
    EXPECT_FALSE(s.fell_back);
    EXPECT_EQ(s.width, 1234);
    EXPECT_EQ(s.height, 1024);
    EXPECT_STREQ(s.text.width, "1234");
    EXPECT_STREQ(s.text.height, "1024");

    // A sign or a space is parsed by strtol and written back as typed.
    s = accept_window_size("+900", " 700");
    EXPECT_EQ(s.width, 900);
    EXPECT_EQ(s.height, 700);
    write_res_cfg(s.text, CFG);
    EXPECT_EQ(read_file(), "+900\n 700");

    write_res_cfg(accept_window_size("1024", "768").text, CFG);
    EXPECT_EQ(read_file(), "1024\n768");
    const WindowSizeText again = read_res_cfg(CFG);
    EXPECT_STREQ(again.width, "1024");
    EXPECT_STREQ(again.height, "768");
    std::remove(CFG);
}

TEST(ResCfg, AnUnwritableFileIsIgnored) {
    WindowSizeText text;
    write_res_cfg(text, "no_such_directory/res.cfg");  // must not crash
    SUCCEED();
}

}  // namespace
