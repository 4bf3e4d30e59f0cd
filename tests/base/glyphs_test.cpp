// The town's own font: every letter in both cases, each case its own shape,
// so a path on screen reads as it is written.
#include <gtest/gtest.h>

#include <string>

#include "glyphs.h"

namespace {

std::string picture_of(char c) {
    const char* const* rows = glyph_rows(c);
    std::string cells;
    for (int row = 0; rows != nullptr && row < GLYPH_ROWS; ++row) cells += std::string(rows[row], GLYPH_COLUMNS);
    return cells;
}

}  // namespace

TEST(Glyphs, LowerCaseLettersHaveShapesOfTheirOwn) {
    const std::string blank = picture_of(' ');
    for (char lower = 'a'; lower <= 'z'; ++lower) {
        const char upper = static_cast<char>(lower - 'a' + 'A');
        const std::string small = picture_of(lower);
        ASSERT_EQ(small.size(), static_cast<std::size_t>(GLYPH_COLUMNS * GLYPH_ROWS)) << lower << " has no glyph";
        EXPECT_NE(small, blank) << lower << " is blank";
        EXPECT_NE(small, picture_of(upper)) << lower << " looks like " << upper;
        for (char other = 'a'; other < lower; ++other) {
            EXPECT_NE(small, picture_of(other)) << lower << " looks like " << other;
        }
        for (char digit = '0'; digit <= '9'; ++digit) {
            EXPECT_NE(small, picture_of(digit)) << lower << " looks like " << digit;
        }
    }
}

TEST(Glyphs, CapitalsChangeOnlyTheLowerCaseLetters) {
    EXPECT_EQ(in_capitals("saved /home/ann/Town_2.txt (42 points)"), "SAVED /HOME/ANN/TOWN_2.TXT (42 POINTS)");
    EXPECT_EQ(in_capitals(""), "");
}
