// The file-name prompt's rule for a typed name: it fits the caller's buffer
// whole or it is refused, never cut to a shorter name.
#include <gtest/gtest.h>

#include <string>

#include "file_prompt.h"

namespace {

TEST(FilePrompt, ANameThatDoesNotFitWholeIsRefusedWithItsLength) {
    EXPECT_EQ(file_name_refusal(""), "");
    EXPECT_EQ(file_name_refusal(std::string(63, 'a').c_str()), "");
    EXPECT_EQ(file_name_refusal(std::string(64, 'a').c_str()),
              "File name too long: 64 bytes, at most 63 fit; shorten it or cancel");
    // Bytes count, not characters: 32 two-byte letters are 64 bytes.
    std::string wide;
    for (int i = 0; i < 32; ++i) wide += "\xc3\xa9";
    EXPECT_NE(file_name_refusal(wide.c_str()), "");
    EXPECT_EQ(file_name_refusal(wide.substr(2).c_str()), "");
}

}  // namespace
