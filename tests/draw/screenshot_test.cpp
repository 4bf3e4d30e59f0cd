// Screenshot names: the moment in local time, then a counter rather than
// writing over a picture taken in the same second.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "screenshot.h"

TEST(ScreenshotName, IsTheMomentThenACounterAndNeverAnOverwrite) {
    setenv("TZ", "UTC", 1);
    tzset();
    std::set<std::string> taken;
    const auto name = [&] {
        return screenshot_file_name(1772600767, [&](const std::string& n) { return taken.count(n) != 0; });
    };
    EXPECT_EQ(name(), "quillmoor-20260304-050607.tga");
    taken.insert(name());
    EXPECT_EQ(name(), "quillmoor-20260304-050607-2.tga");
    for (int i = 2; i <= 999; ++i) taken.insert("quillmoor-20260304-050607-" + std::to_string(i) + ".tga");
    EXPECT_EQ(name(), "");
}
