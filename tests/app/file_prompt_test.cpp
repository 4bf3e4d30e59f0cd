// The file-name prompt's rules: a typed name fits the caller's buffer whole
// or it is refused, never cut to a shorter name; an empty one is refused; the
// folder shown keeps its start and end; a chosen file reads as typed.
#include <gtest/gtest.h>

#include <string>

#include "file_prompt.h"

namespace {

TEST(FilePrompt, ANameThatDoesNotFitWholeIsRefusedWithItsLength) {
    EXPECT_EQ(file_name_refusal(""), "No file name given: type one, choose one with Browse..., or cancel");
    EXPECT_EQ(file_name_refusal(std::string(63, 'a').c_str()), "");
    EXPECT_EQ(file_name_refusal(std::string(64, 'a').c_str()),
              "File name too long: 64 bytes, at most 63 fit; shorten it or cancel");
    // Bytes count, not characters: 32 two-byte letters are 64 bytes.
    std::string wide;
    for (int i = 0; i < 32; ++i) wide += "\xc3\xa9";
    EXPECT_NE(file_name_refusal(wide.c_str()), "");
    EXPECT_EQ(file_name_refusal(wide.substr(2).c_str()), "");
}

// One unit of width per byte, so the room a text needs is its length.
double bytes_wide(const std::string& s) { return static_cast<double>(s.size()); }

TEST(FilePrompt, TheFolderShownKeepsWhereItIsRootedAndWhichFolderItIs) {
    const std::string folder = "/home/ann/projects/quillmoor/build";
    EXPECT_EQ(shortened_folder(folder, 34, bytes_wide), folder);
    EXPECT_EQ(shortened_folder(folder, 33, bytes_wide), "/home/.../quillmoor/build");
    EXPECT_EQ(shortened_folder(folder, 20, bytes_wide), "/home/.../build");
    EXPECT_EQ(shortened_folder(folder, 14, bytes_wide), ".../build");
    EXPECT_EQ(shortened_folder(folder, 7, bytes_wide), "...uild");
    // Cut within a last folder of two-byte letters, whole letters stay.
    EXPECT_EQ(shortened_folder("/h\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 8, bytes_wide),
              "...\xc3\xa9\xc3\xa9");
}

TEST(FilePrompt, AChosenFileIsNamedRelativeToTheFolderOnlyWhenInsideIt) {
    EXPECT_EQ(field_name_for_chosen("/tmp/town/loop.scn", "/tmp/town"), "loop.scn");
    EXPECT_EQ(field_name_for_chosen("/tmp/town//scenes/./hill.scn", "/tmp/town"), "scenes/hill.scn");
    EXPECT_EQ(field_name_for_chosen("/tmp/townhall/loop.scn", "/tmp/town"), "/tmp/townhall/loop.scn");
    EXPECT_EQ(field_name_for_chosen("/srv/loop.scn", "/tmp/town"), "/srv/loop.scn");
    EXPECT_EQ(field_name_for_chosen("/loop.scn", "/"), "loop.scn");
}

}  // namespace
