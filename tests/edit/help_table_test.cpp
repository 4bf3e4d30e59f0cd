// The help overlay and the README's key table name the same keys, so
// neither can gain or lose a key without the other.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "edit/readme_keys.h"
#include "help_table.h"

TEST(HelpTable, NamesTheKeysOfTheReadme) {
    const std::set<std::string> readme = readme_keys();
    ASSERT_GT(readme.size(), 30u) << "no key table found in " << readme_path();
    std::set<std::string> help;
    for (std::size_t i = 0; i < HELP_ROW_COUNT; ++i) help.insert(HELP_ROWS[i].keys);
    for (const std::string& key : readme) EXPECT_EQ(help.count(key), 1u) << "the help lacks " << key;
    for (const std::string& key : help) EXPECT_EQ(readme.count(key), 1u) << "the README lacks " << key;
}
