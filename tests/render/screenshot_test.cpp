// Screenshot names: the moment in local time, and a counter rather than
// writing over a picture taken in the same second.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>
#include <string>

#include "render/screenshot.h"

namespace {

class ScreenshotName : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        had_tz_ = tz != nullptr;
        if (had_tz_) old_tz_ = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (had_tz_) {
            setenv("TZ", old_tz_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    // 2026-03-04 05:06:07 UTC
    const std::time_t when = 1772600767;
    std::set<std::string> taken;
    std::string name() const {
        return screenshot_file_name(when, [this](const std::string& n) { return taken.count(n) != 0; });
    }

private:
    bool had_tz_ = false;
    std::string old_tz_;
};

}  // namespace

TEST_F(ScreenshotName, IsTheMomentThenACounter) {
    EXPECT_EQ(name(), "quillmoor-20260304-050607.tga");
    taken.insert(name());
    EXPECT_EQ(name(), "quillmoor-20260304-050607-2.tga");
    taken.insert(name());
    EXPECT_EQ(name(), "quillmoor-20260304-050607-3.tga");
    for (int i = 3; i <= 999; ++i) taken.insert("quillmoor-20260304-050607-" + std::to_string(i) + ".tga");
    EXPECT_EQ(name(), "") << "every counter taken: no name, never an overwrite";
}
