// An editor handed no seams asks nobody: a prompt and a dialog count as
// cancelled and leave what they were given as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/edited_town.h"

TEST(EditorSeams, NobodyAnswersAnEditorHandedNone) {
    EditedTown town;
    char name[64] = {};
    EXPECT_EQ(town.editor.seams->ask_file_name(name, "Load scene file:"), 0);
    EXPECT_EQ(std::string(name), "");
    std::vector<float> values{1.5f, -2.0f};
    EXPECT_FALSE(town.editor.seams->ask_numbers("Numbers of control point 1", {"x", "y"}, values));
    EXPECT_EQ(values, (std::vector<float>{1.5f, -2.0f}));
}
