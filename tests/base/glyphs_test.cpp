// The town's own font has every small letter, each a shape of its own, so a
// path on screen reads as it is written.
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

TEST(Glyphs, SmallLettersLookLikeNoOtherCharacter) {
    const std::string others = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
    for (char small = 'a'; small <= 'z'; ++small) {
        ASSERT_EQ(picture_of(small).size(), static_cast<std::size_t>(GLYPH_COLUMNS * GLYPH_ROWS)) << small;
        for (char other : others) {
            if (other == small) continue;
            EXPECT_NE(picture_of(small), picture_of(other)) << small << " looks like " << other;
        }
    }
}
