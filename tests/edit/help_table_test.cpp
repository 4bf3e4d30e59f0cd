// The help overlay and the README's key table name the same keys, so
// neither can gain or lose a key without the other.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "help_table.h"

namespace {

std::string readme_path() {
    const std::string here = __FILE__;
    return here.substr(0, here.rfind("tests/edit/")) + "README.md";
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    const auto e = s.find_last_not_of(' ');
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// First cells of the rows of the table under "## Keys and mouse", without
// backticks and without the "(repeats)" notes.
std::set<std::string> readme_keys() {
    std::ifstream readme(readme_path());
    std::set<std::string> keys;
    std::string line;
    bool in_section = false;
    while (std::getline(readme, line)) {
        if (line.rfind("## ", 0) == 0) in_section = line == "## Keys and mouse";
        if (!in_section || line.rfind("| ", 0) != 0) continue;
        std::string cell = line.substr(2, line.find(" |", 1) - 2);
        std::string plain;
        for (char c : cell) {
            if (c != '`') plain += c;
        }
        const auto note = plain.find(" (repeat");
        if (note != std::string::npos) plain = plain.substr(0, note);
        plain = trim(plain);
        if (plain != "Key or gesture" && plain.find("---") == std::string::npos) keys.insert(plain);
    }
    return keys;
}

}  // namespace

TEST(HelpTable, NamesTheKeysOfTheReadme) {
    const std::set<std::string> readme = readme_keys();
    ASSERT_GT(readme.size(), 30u) << "no key table found in " << readme_path();
    std::set<std::string> help;
    for (std::size_t i = 0; i < HELP_ROW_COUNT; ++i) help.insert(HELP_ROWS[i].keys);
    for (const std::string& key : readme) EXPECT_EQ(help.count(key), 1u) << "the help lacks " << key;
    for (const std::string& key : help) EXPECT_EQ(readme.count(key), 1u) << "the README lacks " << key;
}
